#include "books/xml_reader.h"

#include <QByteArray>

#include "books/book_failure.h"
#include "books/charset.h"

namespace orvell::books {

namespace {

// The encoding named by the XML declaration, or an empty string when QXmlStreamReader can
// take the bytes as they are (no declaration, UTF-8 or UTF-16). The declaration is read from
// the bytes taken as Latin-1, which any encoding it can name agrees with, so that Qt's own
// list of encodings, which differs between platforms, plays no part.
QString foreignEncoding(std::string_view bytes) {
    constexpr std::size_t kDeclarationBytes = 256;
    QXmlStreamReader probe(QString::fromLatin1(bytes.substr(0, kDeclarationBytes)));
    if (probe.readNext() != QXmlStreamReader::StartDocument) return {};
    QString encoding = probe.documentEncoding().toString();
    if (encoding.isEmpty() || encoding.startsWith(u"utf-8", Qt::CaseInsensitive) ||
        encoding.startsWith(u"utf-16", Qt::CaseInsensitive)) {
        return {};
    }
    return encoding;
}

}  // namespace

XmlReader::XmlReader(std::string_view bytes, int maxDepth) : maxDepth_(maxDepth) {
    const QByteArray raw =
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString encoding = foreignEncoding(bytes);
    if (encoding.isEmpty()) {
        reader_.addData(raw);
    } else {
        decoded_ = QString::fromStdU16String(toUtf16(bytes, encoding.toLatin1().constData()));
        reader_.addData(decoded_);
    }
    reader_.setEntityResolver(&entities_);
}

QXmlStreamReader::TokenType XmlReader::next() {
    const QXmlStreamReader::TokenType token = reader_.readNext();
    switch (token) {
        case QXmlStreamReader::StartElement:
            if (++depth_ > maxDepth_)
                throw BookFailure(u"слишком глубокая вложенность разметки XML");
            break;
        case QXmlStreamReader::EndElement:
            --depth_;
            break;
        case QXmlStreamReader::DTD:
            if (!reader_.entityDeclarations().isEmpty()) {
                throw BookFailure(u"разметка XML объявляет свои сущности; такие файлы не читаются");
            }
            break;
        case QXmlStreamReader::Invalid:
            if (reader_.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                throw BookFailure(u"файл обрывается посреди разметки XML");
            }
            throw BookFailure(u"разметка XML повреждена (строка " +
                              decimal(static_cast<std::uintmax_t>(reader_.lineNumber())) + u")");
        default:
            break;
    }
    return token;
}

void XmlReader::skipElement() {
    const int depth = depth_;
    while (depth_ >= depth) next();
}

QString XmlReader::elementText() {
    const int depth = depth_;
    QString text;
    while (depth_ >= depth) {
        if (next() == QXmlStreamReader::Characters) text += reader_.text();
    }
    return text;
}

}  // namespace orvell::books
