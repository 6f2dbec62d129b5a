#include "books/xml_reader.h"

#include <QByteArray>

#include "books/book_failure.h"
#include "books/markup_charset.h"

namespace orvell::books {

namespace {

BrokenMarkup broken(const QXmlStreamReader& reader) {
    const auto line = static_cast<std::int64_t>(reader.lineNumber());
    const auto offset = static_cast<std::int64_t>(reader.characterOffset());
    if (reader.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
        return {u"файл обрывается посреди разметки XML", line, offset, true};
    }
    return {u"разметка XML повреждена (строка " + decimal(static_cast<std::uintmax_t>(line)) + u")",
            line, offset, false};
}

}  // namespace

XmlReader::XmlReader(std::string_view bytes, int maxDepth) : maxDepth_(maxDepth) {
    if (readsAsTheyAre(bytes)) {
        reader_.addData(
            QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    } else {
        decoded_ = markupCharacters(bytes);
        reader_.addData(decoded_);
    }
    reader_.setEntityResolver(&entities_);
}

QXmlStreamReader::TokenType XmlReader::next() {
    const QXmlStreamReader::TokenType token = reader_.readNext();
    switch (token) {
        case QXmlStreamReader::StartElement:
            if (++depth_ > maxDepth_) throw tooDeepMarkup();
            break;
        case QXmlStreamReader::EndElement:
            --depth_;
            break;
        case QXmlStreamReader::DTD:
            if (!reader_.entityDeclarations().isEmpty()) throw entityDeclarations();
            break;
        case QXmlStreamReader::Invalid:
            throw broken(reader_);
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

QStringView XmlReader::localAttribute(QStringView name) const {
    for (const QXmlStreamAttribute& attribute : reader_.attributes()) {
        if (attribute.name() == name) return attribute.value();
    }
    return {};
}

}  // namespace orvell::books
