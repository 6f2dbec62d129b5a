#include "books/epub_book.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include "books/book_failure.h"
#include "books/chapters.h"
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
    std::optional<Content> content;  // of a document to read: not the navigation document
    bool picture = false;            // an image as a page of its own
};

// What an item of `mediaType` is written in, when it is a document to read. OEB 1.2's
// documents, which EPUB 2 still lists, are XHTML under a name of their own.
std::optional<Content> contentOf(QStringView mediaType) {
    if (mediaType == u"application/xhtml+xml" || mediaType == u"text/html" ||
        mediaType == u"text/x-oeb1-document") {
        return Content::Xhtml;
    }
    if (mediaType == u"application/x-dtbook+xml") return Content::Dtbook;
    return std::nullopt;
}

bool isPicture(QStringView mediaType) { return mediaType.startsWith(u"image/"); }

bool isNavigation(QStringView properties) {
    return properties.split(u' ', Qt::SkipEmptyParts).contains(u"nav");
}

// A path in the archive for `href` written in the package document at `base`, or an empty
// string when it points outside the archive. A path from the root starts at the archive's.
// It is in NFC, as the archive's names are looked up, so that links to one document spelled
// composed and decomposed are one path.
QString archivePath(const QString& base, QStringView href) {
    const QStringView link = href.trimmed();
    const QString relative = QUrl::fromPercentEncoding(link.left(link.indexOf(u'#')).toUtf8())
                                 .normalized(QString::NormalizationForm_C);
    const bool fromRoot = relative.startsWith(u'/');
    QString path =
        QDir::cleanPath(fromRoot ? relative : base.left(base.lastIndexOf(u'/') + 1) + relative);
    // Only the root's one slash goes: a second one would name a network share on Windows.
    if (fromRoot) path.remove(0, 1);
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
            paths.insert(archivePath(QString(), reader.attribute("URI")));
        }
    }
    return paths;
}

// The package document as it is written.
struct Package {
    QHash<QString, ManifestItem> manifest;  // by id
    QStringList spine;                      // the ids to read
    QString navigationHref;                 // the first navigation document
    QString ncxHref;                        // the first NCX
    QString tocId;                          // the NCX the spine names
};

void addItem(const XmlReader& xml, Package& package) {
    const QStringView mediaType = xml.attribute("media-type");
    const QString href = xml.attribute("href").toString();
    const bool navigation = isNavigation(xml.attribute("properties"));
    // IDs and references ignore the blanks around them, as XML's do.
    package.manifest.insert(
        xml.attribute("id").trimmed().toString(),
        {href, navigation ? std::nullopt : contentOf(mediaType), isPicture(mediaType)});
    if (navigation && package.navigationHref.isEmpty()) package.navigationHref = href;
    if (mediaType == u"application/x-dtbncx+xml" && package.ncxHref.isEmpty()) {
        package.ncxHref = href;
    }
}

Package packageOf(std::string_view packageXml, int maxDepth) {
    XmlReader xml(packageXml, maxDepth);
    Package package;
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"item") {
            addItem(xml, package);
        } else if (xml.name() == u"itemref" && xml.attribute("linear") != u"no") {
            package.spine.append(xml.attribute("idref").trimmed().toString());
        } else if (xml.name() == u"spine") {
            package.tocId = xml.attribute("toc").trimmed().toString();
        }
    }
    return package;
}

// A table of contents is optional: one the package does not name has no path.
QString contentsPath(const QString& packagePath, const QString& href) {
    return href.isEmpty() ? QString() : archivePath(packagePath, href);
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
    const Package package = packageOf(packageXml, maxDepth);
    Spine read;
    for (const QString& id : package.spine) {
        const auto item = package.manifest.constFind(id);
        if (item == package.manifest.cend()) missing(u"в книге EPUB нет главы", id);
        read.pictures = read.pictures || item->picture;
        const std::optional<Content> content = item->content;
        if (!content) continue;
        const QString path = archivePath(packagePath, item->href);
        if (path.isEmpty()) missing(u"в книге EPUB нет главы", item->href);
        read.documents.push_back({path, *content});
    }
    const auto toc = package.manifest.constFind(package.tocId);
    read.navigation = contentsPath(packagePath, package.navigationHref);
    read.ncx =
        contentsPath(packagePath, toc != package.manifest.cend() ? toc->href : package.ncxHref);
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

// Where a document's text starts in the book's, and where its ids are in it.
struct DocumentPlace {
    qsizetype start = 0;
    QHash<QString, qsizetype> ids;
};

// The spine's documents read one after another.
struct SpineText {
    QString text;
    bool pictures = false;
    std::size_t bytes = 0;  // of the documents found
    std::vector<DamagedDocument> damaged;
    QHash<QString, DocumentPlace> places;  // of each document read
    // Each document that gives text, by its first line, and DTBook's headings.
    std::vector<ChapterMark> openings;
};

SpineText spineText(ZipArchive& zip, const Spine& spine, const QSet<QString>& encrypted,
                    int maxDepth) {
    SpineText read;
    read.pictures = spine.pictures;
    for (const auto& [path, content] : spine.documents) {
        if (encrypted.contains(path)) underDrm();
        const std::optional<std::string> document = zip.read(path.toStdString());
        if (!document) {
            read.damaged.push_back({path, 0, std::nullopt, true});
            continue;
        }
        read.bytes += document->size();
        XhtmlText xhtml = xhtmlText(*document, maxDepth, content);
        const qsizetype start = read.text.size();
        if (!read.places.contains(path)) read.places.insert(path, {start, std::move(xhtml.ids)});
        // Headings first: one that starts the document titles it whole, not cut as a line.
        for (ChapterMark& heading : xhtml.headings) {
            read.openings.push_back({start + heading.position, std::move(heading.title)});
        }
        if (!xhtml.text.isEmpty()) read.openings.push_back({start, openingLine(xhtml.text, 0)});
        read.text += xhtml.text;
        read.pictures = read.pictures || xhtml.pictures > 0;
        if (xhtml.broken) {
            read.damaged.push_back(
                {path, document->size(), std::move(xhtml.broken), xhtml.text.isEmpty()});
        }
    }
    return read;
}

// An entry of a table of contents: where it points, as written, and its title.
struct ContentsEntry {
    QString href;
    QString title;
};

// The links of the navigation document's <nav> of the table of contents, lists flattened.
std::vector<ContentsEntry> navigationEntries(std::string_view xhtml, int maxDepth) {
    XmlReader xml(xhtml, maxDepth);
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token != QXmlStreamReader::StartElement || xml.name() != u"nav" ||
            !xml.localAttribute(u"type").contains(u"toc")) {
            continue;
        }
        std::vector<ContentsEntry> entries;
        const int depth = xml.depth();
        while (xml.depth() >= depth) {
            if (xml.next() == QXmlStreamReader::StartElement && xml.name() == u"a") {
                const QString href = xml.attribute("href").toString();
                entries.push_back({href, xml.elementText()});
            }
        }
        return entries;
    }
    return {};
}

// The navPoints of an NCX in document order, nested ones flattened.
std::vector<ContentsEntry> ncxEntries(std::string_view ncx, int maxDepth) {
    XmlReader xml(ncx, maxDepth);
    std::vector<ContentsEntry> entries;
    std::vector<std::size_t> open;  // the navPoints being read, as indexes into `entries`
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        const bool point = xml.name() == u"navPoint";
        if (token == QXmlStreamReader::EndElement && point) open.pop_back();
        if (token != QXmlStreamReader::StartElement) continue;
        if (point) {
            open.push_back(entries.size());
            entries.emplace_back();
        } else if (!open.empty() && xml.name() == u"text" && entries[open.back()].title.isEmpty()) {
            entries[open.back()].title = xml.elementText();
        } else if (!open.empty() && xml.name() == u"content") {
            entries[open.back()].href = xml.attribute("src").toString();
        }
    }
    return entries;
}

// Where a table of contents points: the start of a document, or of the line holding the
// element of the fragment's id when the document has one. None for a document not read.
std::optional<ChapterMark> markOf(const ContentsEntry& entry, const QString& contentsPath,
                                  const SpineText& read) {
    const auto place = read.places.constFind(archivePath(contentsPath, entry.href));
    if (place == read.places.cend()) return std::nullopt;
    const qsizetype hash = entry.href.indexOf(u'#');
    const QString id =
        hash < 0 ? QString() : QUrl::fromPercentEncoding(entry.href.sliced(hash + 1).toUtf8());
    return ChapterMark{place->start + place->ids.value(id, 0), entry.title};
}

using ContentsReader = std::vector<ContentsEntry> (*)(std::string_view, int);

// The chapter marks of the table of contents at `path`; none when it is missing or unreadable,
// since the book reads without one.
std::vector<ChapterMark> contentsMarks(ZipArchive& zip, const QString& path,
                                       ContentsReader entriesOf, const SpineText& read,
                                       int maxDepth) {
    const std::optional<std::string> contents =
        path.isEmpty() ? std::nullopt : zip.read(path.toStdString());
    if (!contents) return {};
    std::vector<ChapterMark> marks;
    try {
        for (const ContentsEntry& entry : entriesOf(*contents, maxDepth)) {
            if (auto mark = markOf(entry, path, read)) marks.push_back(std::move(*mark));
        }
    } catch (const BookFailure&) {
        return {};
    }
    return marks;
}

// From the navigation document, else the NCX, else the documents and DTBook's headings.
std::vector<Chapter> bookChapters(ZipArchive& zip, const Spine& spine, const SpineText& read,
                                  int maxDepth) {
    const qsizetype size = read.text.size();
    for (const auto& [path, entriesOf] :
         {std::pair{spine.navigation, &navigationEntries}, std::pair{spine.ncx, &ncxEntries}}) {
        std::vector<Chapter> chapters =
            chaptersOf(contentsMarks(zip, path, entriesOf, read, maxDepth), size);
        if (!chapters.empty()) return chapters;
    }
    return chaptersOf(read.openings, size);
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
    if (spine.documents.empty()) {
        throw BookFailure(spine.pictures ? u"в книге нет текста, только изображения"
                                         : u"в книге EPUB нет глав для чтения");
    }
    SpineText read = spineText(zip, spine, encrypted, maxDepth);
    if (read.text.isEmpty()) noText(read.damaged, read.pictures);
    BookText book{read.text.toStdU16String(), {}, {}, bookChapters(zip, spine, read, maxDepth)};
    for (const DamagedDocument& document : read.damaged)
        book.damage.push_back(damageOf(document, read.bytes));
    return book;
}

}  // namespace orvell::books
