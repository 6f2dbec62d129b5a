#include "books/epub_book.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QUrl>

#include "books/book_failure.h"
#include "books/text_lines.h"
#include "books/xhtml_text.h"
#include "books/xml_reader.h"
#include "books/zip_archive.h"

namespace orvell::books {

namespace {

const std::string kContainer = "META-INF/container.xml";

[[noreturn]] void missing(std::u16string_view what, const QString& path) {
    throw BookFailure(std::u16string(what) + u" «" + path.toStdU16String() + u"»");
}

struct ManifestItem {
    QString href;
    bool readable = false;  // an XHTML document that is not the navigation document
};

bool isXhtml(QStringView mediaType) {
    return mediaType == u"application/xhtml+xml" || mediaType == u"text/html";
}

bool isNavigation(QStringView properties) {
    return properties.split(u' ', Qt::SkipEmptyParts).contains(u"nav");
}

// A path in the archive for `href` written in the package document at `base`, or an empty
// string when it points outside the archive.
QString archivePath(const QString& base, QStringView href) {
    const QString relative = QUrl::fromPercentEncoding(href.left(href.indexOf(u'#')).toUtf8());
    const QString folder = base.left(base.lastIndexOf(u'/') + 1);
    QString path = QDir::cleanPath(folder + relative);
    if (path.isEmpty() || path.startsWith(u'/') || path == u".." || path.startsWith(u"../")) {
        return {};
    }
    return path;
}

// The resources that META-INF/encryption.xml says are encrypted. Fonts are often only
// obfuscated, which is no obstacle to reading; an encrypted chapter is.
QSet<QString> encryptedPaths(ZipArchive& zip, int maxDepth) {
    QSet<QString> paths;
    const std::optional<std::string> xml = zip.read("META-INF/encryption.xml");
    if (!xml) return paths;
    XmlReader reader(*xml, maxDepth);
    for (auto token = reader.next(); token != QXmlStreamReader::EndDocument;
         token = reader.next()) {
        if (token == QXmlStreamReader::StartElement && reader.name() == u"CipherReference") {
            paths.insert(QUrl::fromPercentEncoding(reader.attribute("URI").toUtf8()));
        }
    }
    return paths;
}

[[noreturn]] void underDrm() {
    throw BookFailure(u"книга EPUB защищена от копирования (DRM), её текст зашифрован");
}

}  // namespace

QString packagePath(std::string_view containerXml, int maxDepth) {
    XmlReader xml(containerXml, maxDepth);
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token == QXmlStreamReader::StartElement && xml.name() == u"rootfile") {
            const QString path = archivePath(QString(), xml.attribute("full-path"));
            if (!path.isEmpty()) return path;
        }
    }
    throw BookFailure(u"в книге EPUB не указано её описание (rootfile в META-INF/container.xml)");
}

QStringList spineDocuments(std::string_view packageXml, const QString& packagePath, int maxDepth) {
    XmlReader xml(packageXml, maxDepth);
    QHash<QString, ManifestItem> manifest;
    QStringList spine;
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"item") {
            manifest.insert(
                xml.attribute("id").toString(),
                {xml.attribute("href").toString(), isXhtml(xml.attribute("media-type")) &&
                                                       !isNavigation(xml.attribute("properties"))});
        } else if (xml.name() == u"itemref" && xml.attribute("linear") != u"no") {
            spine.append(xml.attribute("idref").toString());
        }
    }
    QStringList documents;
    for (const QString& id : spine) {
        const auto item = manifest.constFind(id);
        if (item == manifest.cend()) missing(u"в книге EPUB нет главы", id);
        if (!item->readable) continue;
        const QString path = archivePath(packagePath, item->href);
        if (path.isEmpty()) missing(u"в книге EPUB нет главы", item->href);
        documents.append(path);
    }
    return documents;
}

QString epubText(ZipArchive& zip, int maxDepth) {
    if (zip.contains("META-INF/rights.xml")) underDrm();
    const QSet<QString> encrypted = encryptedPaths(zip, maxDepth);
    const std::optional<std::string> container = zip.read(kContainer);
    if (!container) throw BookFailure(u"в книге EPUB нет файла META-INF/container.xml");
    const QString package = packagePath(*container, maxDepth);
    const std::optional<std::string> packageXml = zip.read(package.toStdString());
    if (!packageXml) missing(u"в книге EPUB нет описания", package);
    const QStringList documents = spineDocuments(*packageXml, package, maxDepth);
    if (documents.isEmpty()) throw BookFailure(u"в книге EPUB нет глав для чтения");
    TextLines lines;
    for (const QString& path : documents) {
        if (encrypted.contains(path)) underDrm();
        const std::optional<std::string> document = zip.read(path.toStdString());
        if (!document) missing(u"в книге EPUB нет главы", path);
        addXhtmlText(*document, maxDepth, lines);
    }
    return lines.take();
}

}  // namespace orvell::books
