#pragma once

#include <QString>
#include <string_view>
#include <vector>

#include "books/book_text.h"
#include "books/xhtml_text.h"

namespace orvell::books {

class ZipArchive;

// The text of an EPUB 2 or 3 book: the documents of its spine in reading order, each as
// xhtmlText gives it. Its chapters come from its navigation document, else its NCX, else each
// document and each heading of DTBook is one. A document whose markup is broken gives what can be
// recovered, and one missing from the archive is left out; the damage names them. Throws
// BookFailure, also for a book under DRM, and for one with no text at all.
BookText epubBook(ZipArchive& zip, int maxDepth);

// The package document named by META-INF/container.xml.
QString packagePath(std::string_view containerXml, int maxDepth);

// A document of the spine: its path in the archive and what it is written in.
struct SpineDocument {
    QString path;
    Content content = Content::Xhtml;
};

// What the spine says to read.
struct Spine {
    std::vector<SpineDocument> documents;  // in order
    bool pictures = false;                 // whether it also holds images as pages of their own
    // The archive paths of the tables of contents, empty when the package names none: its
    // navigation document and its NCX (the spine's toc, else an item of that media type).
    QString navigation;
    QString ncx;
};

// The spine without items marked linear="no" and the navigation document. Throws BookFailure
// for an item not in the manifest or outside the archive.
Spine spineOf(std::string_view packageXml, const QString& packagePath, int maxDepth);

}  // namespace orvell::books
