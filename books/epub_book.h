#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace orvell::books {

class ZipArchive;

// The text of an EPUB 2 or 3 book: the documents of its spine in reading order, each as
// addXhtmlText gives it. Throws BookFailure, also for a book under DRM.
QString epubText(ZipArchive& zip, int maxDepth);

// The package document named by META-INF/container.xml.
QString packagePath(std::string_view containerXml, int maxDepth);

// The archive paths of the spine's documents to read, in order: items marked linear="no" and
// the navigation document are left out. Throws BookFailure for an item not in the manifest
// or outside the archive.
QStringList spineDocuments(std::string_view packageXml, const QString& packagePath, int maxDepth);

}  // namespace orvell::books
