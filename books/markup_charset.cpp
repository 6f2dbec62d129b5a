#include "books/markup_charset.h"

#include <QXmlStreamReader>
#include <optional>

#include "books/book_failure.h"
#include "books/charset.h"

namespace orvell::books {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n";

bool isUnicode(QStringView encoding) {
    return encoding.startsWith(u"utf-8", Qt::CaseInsensitive) ||
           encoding.startsWith(u"utf-16", Qt::CaseInsensitive);
}

// The bytes from the XML declaration on, when only white space comes before it.
std::optional<std::string_view> fromDeclaration(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(kWhiteSpace);
    if (start == std::string_view::npos || !bytes.substr(start).starts_with("<?xml")) {
        return std::nullopt;
    }
    return bytes.substr(start);
}

// The encoding the XML declaration names, or an empty string. The declaration is read from the
// bytes taken as Latin-1, which any encoding it can name agrees with, so that Qt's own list of
// encodings, which differs between platforms, plays no part.
QString declaredEncoding(std::string_view bytes) {
    constexpr std::size_t kDeclarationBytes = 256;
    const std::optional<std::string_view> declaration = fromDeclaration(bytes);
    if (!declaration) return {};
    QXmlStreamReader probe(QString::fromLatin1(declaration->substr(0, kDeclarationBytes)));
    if (probe.readNext() != QXmlStreamReader::StartDocument) return {};
    return probe.documentEncoding().toString();
}

// The charset an HTML <meta> names in the head, or an empty string.
std::string metaCharset(std::string_view bytes) {
    constexpr std::size_t kHeadBytes = 1024;
    std::string head(bytes.substr(0, kHeadBytes));
    for (char& c : head) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::size_t at = head.find("charset=");
    if (at == std::string::npos) return {};
    std::size_t start = at + std::string_view("charset=").size();
    if (start < head.size() && (head[start] == '"' || head[start] == '\'')) ++start;
    const std::size_t end =
        head.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_:.", start);
    return head.substr(start, end == std::string::npos ? end : end - start);
}

QString decoded(std::string_view bytes, const char* charset) {
    return QString::fromStdU16String(toUtf16(bytes, charset));
}

// The bytes decoded in the named charset, or nothing when ICU does not know it.
std::optional<QString> decodedIfKnown(std::string_view bytes, const std::string& charset) {
    if (charset.empty()) return std::nullopt;
    try {
        return decoded(bytes, charset.c_str());
    } catch (const BookFailure&) {
        return std::nullopt;
    }
}

// The characters of bytes without a byte order mark.
QString unmarkedCharacters(std::string_view bytes) {
    if (bytes.starts_with(std::string_view("<\0", 2))) return decoded(bytes, "UTF-16LE");
    if (bytes.starts_with(std::string_view("\0<", 2))) return decoded(bytes, "UTF-16BE");
    const QString encoding = declaredEncoding(bytes);
    if (isUnicode(encoding)) return decoded(bytes, "UTF-8");
    if (auto characters = decodedIfKnown(bytes, encoding.toStdString())) return *characters;
    // A page saved again in UTF-8 may keep the <meta> of its old charset.
    if (isUtf8(bytes)) return decoded(bytes, "UTF-8");
    if (auto characters = decodedIfKnown(bytes, metaCharset(bytes))) return *characters;
    return decoded(bytes, detectCharset(bytes));
}

// The characters without the white space that comes before an XML declaration.
QString withDeclarationFirst(QString characters) {
    const auto isSpace = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
    };
    qsizetype start = 0;
    while (start < characters.size() && isSpace(characters[start])) ++start;
    if (start > 0 && QStringView(characters).sliced(start).startsWith(u"<?xml")) {
        characters.remove(0, start);
    }
    return characters;
}

}  // namespace

QString markupCharacters(std::string_view bytes) {
    if (const auto mark = byteOrderMark(bytes)) {
        return withDeclarationFirst(decoded(bytes.substr(mark->size), mark->charset));
    }
    return withDeclarationFirst(unmarkedCharacters(bytes));
}

bool readsAsTheyAre(std::string_view bytes) {
    if (byteOrderMark(bytes)) return false;
    if (const std::optional<std::string_view> declaration = fromDeclaration(bytes)) {
        if (declaration->size() != bytes.size()) return false;
    }
    const QString encoding = declaredEncoding(bytes);
    return encoding.isEmpty() ? isUtf8(bytes) : isUnicode(encoding);
}

}  // namespace orvell::books
