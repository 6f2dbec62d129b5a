#include "books/epub_book.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QUrl>

#include "books/book_failure.h"
#include "books/xhtml_text.h"
#include "books/xml_reader.h"
#include "books/zip_archive.h"

namespace orvell::books {

namespace {

const std::string kContainer = "META-INF/container.xml";

std::u16string quoted(const QString& name) {
    return std::u16string(u"«").append(name.toStdU16String()).append(u"»");
}

[[noreturn]] void missing(std::u16string_view what, const QString& path) {
    throw BookFailure(std::u16string(what) + u" " + quoted(path));
}

struct ManifestItem {
    QString href;
    bool readable = false;  // an XHTML document that is not the navigation document
    bool picture = false;   // an image as a page of its own
};

bool isXhtml(QStringView mediaType) {
    return mediaType == u"application/xhtml+xml" || mediaType == u"text/html";
}

bool isPicture(QStringView mediaType) { return mediaType.startsWith(u"image/"); }

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

Spine spineOf(std::string_view packageXml, const QString& packagePath, int maxDepth) {
    XmlReader xml(packageXml, maxDepth);
    QHash<QString, ManifestItem> manifest;
    QStringList spine;
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"item") {
            const QStringView mediaType = xml.attribute("media-type");
            manifest.insert(xml.attribute("id").toString(),
                            {xml.attribute("href").toString(),
                             isXhtml(mediaType) && !isNavigation(xml.attribute("properties")),
                             isPicture(mediaType)});
        } else if (xml.name() == u"itemref" && xml.attribute("linear") != u"no") {
            spine.append(xml.attribute("idref").toString());
        }
    }
    Spine read;
    for (const QString& id : spine) {
        const auto item = manifest.constFind(id);
        if (item == manifest.cend()) missing(u"в книге EPUB нет главы", id);
        read.pictures = read.pictures || item->picture;
        if (!item->readable) continue;
        const QString path = archivePath(packagePath, item->href);
        if (path.isEmpty()) missing(u"в книге EPUB нет главы", item->href);
        read.documents.append(path);
    }
    return read;
}

namespace {

// A document of the spine that was not read as it was written.
struct DamagedDocument {
    QString path;
    std::size_t bytes = 0;               // 0 when it is not in the archive
    std::optional<BrokenMarkup> broken;  // where its XML broke, if it is there
    bool leftOut = false;                // no text of it could be read
};

std::u16string damageOf(const DamagedDocument& document, std::size_t bookBytes) {
    const std::u16string name = quoted(document.path);
    if (!document.broken) return name + u": этой части нет в архиве, она пропущена";
    return name + u" (" + percent(document.bytes, bookBytes) + u" книги): " +
           document.broken->reason() +
           (document.leftOut ? u"; текст не прочитан" : u"; текст прочитан, насколько удалось");
}

// Why a book whose spine gave no text at all is refused: the first damage, or pictures alone.
[[noreturn]] void noText(const std::vector<DamagedDocument>& damaged, bool pictures) {
    if (!damaged.empty()) {
        const DamagedDocument& first = damaged.front();
        if (!first.broken) missing(u"в книге EPUB нет главы", first.path);
        throw BookFailure(first.broken->reason() + u" в " + quoted(first.path));
    }
    if (pictures) throw BookFailure(u"в книге нет текста, только изображения");
    throw BookFailure(u"в книге EPUB нет текста");
}

}  // namespace

BookText epubBook(ZipArchive& zip, int maxDepth) {
    if (zip.contains("META-INF/rights.xml")) underDrm();
    const QSet<QString> encrypted = encryptedPaths(zip, maxDepth);
    const std::optional<std::string> container = zip.read(kContainer);
    if (!container) throw BookFailure(u"в книге EPUB нет файла META-INF/container.xml");
    const QString package = packagePath(*container, maxDepth);
    const std::optional<std::string> packageXml = zip.read(package.toStdString());
    if (!packageXml) missing(u"в книге EPUB нет описания", package);
    const Spine spine = spineOf(*packageXml, package, maxDepth);
    if (spine.documents.isEmpty()) {
        throw BookFailure(spine.pictures ? u"в книге нет текста, только изображения"
                                         : u"в книге EPUB нет глав для чтения");
    }
    QString text;
    bool pictures = spine.pictures;
    std::size_t bookBytes = 0;
    std::vector<DamagedDocument> damaged;
    for (const QString& path : spine.documents) {
        if (encrypted.contains(path)) underDrm();
        const std::optional<std::string> document = zip.read(path.toStdString());
        if (!document) {
            damaged.push_back({path, 0, std::nullopt, true});
            continue;
        }
        bookBytes += document->size();
        XhtmlText read = xhtmlText(*document, maxDepth);
        text += read.text;
        pictures = pictures || read.pictures > 0;
        if (read.broken) {
            damaged.push_back(
                {path, document->size(), std::move(read.broken), read.text.isEmpty()});
        }
    }
    if (text.isEmpty()) noText(damaged, pictures);
    BookText book{text.toStdU16String(), {}, {}};
    for (const DamagedDocument& document : damaged)
        book.damage.push_back(damageOf(document, bookBytes));
    return book;
}

}  // namespace orvell::books
