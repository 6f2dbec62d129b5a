#include "books/forgiving_markup.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "books/book_failure.h"
#include "books/html_entities.h"

namespace orvell::books {

namespace {

// Writes what the parser reports as well-formed XML. Nothing before the root element or after
// it is kept, as an XML reader would stop there too.
class CleanXml {
  public:
    using Attribute = std::pair<std::string_view, std::string_view>;

    explicit CleanXml(int maxDepth) : maxDepth_(maxDepth) {}

    // False when the parser should stop: the root is closed, or the element would be nested
    // too deep.
    bool start(std::string_view name, const std::vector<Attribute>& attributes);
    // False when that closed the root.
    bool end();
    void text(std::string_view utf8);
    // The XML, with the elements still open closed.
    std::string finish();
    bool tooDeep() const { return tooDeep_; }

  private:
    void escaped(std::string_view utf8, bool inAttribute);

    std::string xml_;
    std::vector<std::string> open_;
    int maxDepth_;
    bool rootClosed_ = false;
    bool tooDeep_ = false;
};

bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

// The name without a namespace prefix if every XML reader takes it, else an empty one.
std::string_view localName(std::string_view name) {
    name = name.substr(name.rfind(':') + 1);
    if (name.empty() || !isNameStart(name.front())) return {};
    const bool plain = std::ranges::all_of(name, [](char c) {
        return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    });
    return plain ? name : std::string_view();
}

bool isNamespaceDeclaration(std::string_view name) {
    return name == "xmlns" || name.starts_with("xmlns:");
}

bool CleanXml::start(std::string_view name, const std::vector<Attribute>& attributes) {
    if (rootClosed_) return false;
    if (std::ssize(open_) >= maxDepth_) {
        tooDeep_ = true;
        return false;
    }
    std::string_view element = localName(name);
    // An element of no name an XML reader takes still counts for the nesting, as a neutral one.
    if (element.empty()) element = "span";
    open_.emplace_back(element);
    xml_ += '<';
    xml_ += element;
    std::vector<std::string_view> written;
    for (const auto& [attributeName, value] : attributes) {
        const std::string_view local = localName(attributeName);
        if (local.empty() || isNamespaceDeclaration(attributeName) ||
            std::ranges::find(written, local) != written.end()) {
            continue;
        }
        written.push_back(local);
        xml_ += ' ';
        xml_ += local;
        xml_ += "=\"";
        escaped(value, true);
        xml_ += '"';
    }
    xml_ += '>';
    return true;
}

bool CleanXml::end() {
    if (open_.empty()) return !rootClosed_;
    xml_ += "</";
    xml_ += open_.back();
    xml_ += '>';
    open_.pop_back();
    rootClosed_ = open_.empty();
    return !rootClosed_;
}

void CleanXml::text(std::string_view utf8) {
    if (!open_.empty()) escaped(utf8, false);
}

std::string CleanXml::finish() {
    while (!open_.empty()) end();
    return std::move(xml_);
}

// The parser gives UTF-8; what XML does not allow in a document is left out: the control
// characters but tab and line breaks, and the non-characters U+FFFE and U+FFFF.
void CleanXml::escaped(std::string_view utf8, bool inAttribute) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
            case '&':
                xml_ += "&amp;";
                continue;
            case '<':
                xml_ += "&lt;";
                continue;
            case '>':
                xml_ += "&gt;";
                continue;
            case '"':
                xml_ += inAttribute ? "&quot;" : "\"";
                continue;
            case '\t':
            case '\n':
            case '\r':
                xml_ += c;
                continue;
            default:
                break;
        }
        if (static_cast<unsigned char>(c) < 0x20) continue;
        if (utf8.substr(i).starts_with("\xEF\xBF\xBE") ||
            utf8.substr(i).starts_with("\xEF\xBF\xBF")) {
            i += 2;
            continue;
        }
        xml_ += c;
    }
}

// One parse: the XML written so far, and what made it stop early.
struct Recovery {
    explicit Recovery(int maxDepth) : xml(maxDepth) {}
    CleanXml xml;
    xmlParserCtxtPtr context = nullptr;
    bool declaresEntities = false;
    std::exception_ptr error;  // from a callback, which must not throw through the parser
};

// Runs `step` on the parse; a failure stops the parser and is thrown once it returns.
template <typename Step>
void withRecovery(void* user, Step step) {
    auto& recovery = *static_cast<Recovery*>(user);
    try {
        if (!step(recovery)) xmlStopParser(recovery.context);
    } catch (...) {
        recovery.error = std::current_exception();
        xmlStopParser(recovery.context);
    }
}

// libxml2 hands over its strings as unsigned char and its attributes as C arrays.
// NOLINTBEGIN(cppcoreguidelines-pro-type-reinterpret-cast,cppcoreguidelines-pro-bounds-pointer-arithmetic)
std::string_view view(const xmlChar* text) {
    return text == nullptr ? std::string_view() : reinterpret_cast<const char*>(text);
}

std::string_view view(const xmlChar* text, std::ptrdiff_t length) {
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)};
}

void onHtmlStart(void* user, const xmlChar* name, const xmlChar** attributes) {
    withRecovery(user, [&](Recovery& recovery) {
        std::vector<CleanXml::Attribute> list;
        for (; attributes != nullptr && *attributes != nullptr; attributes += 2) {
            list.emplace_back(view(attributes[0]), view(attributes[1]));
        }
        return recovery.xml.start(view(name), list);
    });
}

// Attributes come five pointers each: local name, prefix, namespace, start and end of value.
void onXmlStart(void* user, const xmlChar* localName, const xmlChar* /*prefix*/,
                const xmlChar* /*uri*/, int /*namespaces*/, const xmlChar** /*declared*/,
                int attributeCount, int /*defaulted*/, const xmlChar** attributes) {
    withRecovery(user, [&](Recovery& recovery) {
        std::vector<CleanXml::Attribute> list;
        for (int i = 0; i < attributeCount; ++i) {
            const xmlChar* const* attribute = attributes + std::ptrdiff_t{5} * i;
            list.emplace_back(view(attribute[0]), view(attribute[3], attribute[4] - attribute[3]));
        }
        return recovery.xml.start(view(localName), list);
    });
}

// NOLINTEND(cppcoreguidelines-pro-type-reinterpret-cast,cppcoreguidelines-pro-bounds-pointer-arithmetic)

void onHtmlEnd(void* user, const xmlChar* /*name*/) {
    withRecovery(user, [](Recovery& recovery) { return recovery.xml.end(); });
}

void onXmlEnd(void* user, const xmlChar* /*localName*/, const xmlChar* /*prefix*/,
              const xmlChar* /*uri*/) {
    withRecovery(user, [](Recovery& recovery) { return recovery.xml.end(); });
}

void onCharacters(void* user, const xmlChar* text, int length) {
    withRecovery(user, [&](Recovery& recovery) {
        recovery.xml.text(view(text, length));
        return true;
    });
}

void onEntityDeclaration(void* user, const xmlChar* /*name*/, int /*type*/,
                         const xmlChar* /*publicId*/, const xmlChar* /*systemId*/,
                         xmlChar* /*content*/) {
    withRecovery(user, [](Recovery& recovery) {
        recovery.declaresEntities = true;
        return false;
    });
}

xmlEntityPtr onEntity(void* /*user*/, const xmlChar* name) { return xmlGetPredefinedEntity(name); }

// The parser's messages: the errors are what is being recovered from.
// NOLINTNEXTLINE(cert-dcl50-cpp): the parser's callback type is a C variadic function
void ignoreMessage(void* /*user*/, const char* /*format*/, ...) {}

xmlSAXHandler handlerFor(MarkupDialect dialect) {
    xmlSAXHandler handler{};
    if (dialect == MarkupDialect::Html) {
        handler.startElement = onHtmlStart;
        handler.endElement = onHtmlEnd;
    } else {
        handler.initialized = XML_SAX2_MAGIC;
        handler.startElementNs = onXmlStart;
        handler.endElementNs = onXmlEnd;
        handler.entityDecl = onEntityDeclaration;
        handler.getEntity = onEntity;
    }
    handler.characters = onCharacters;
    // White space between elements still parts the words of inline ones.
    handler.ignorableWhitespace = onCharacters;
    handler.cdataBlock = onCharacters;
    handler.warning = ignoreMessage;
    handler.error = ignoreMessage;
    handler.fatalError = ignoreMessage;
    return handler;
}

bool isReferenceName(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u':';
}

QChar predefinedEntity(QStringView name) {
    constexpr auto kPredefined = std::to_array<std::pair<QStringView, char16_t>>(
        {{u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}});
    for (const auto& [entity, character] : kPredefined) {
        if (name == entity) return character;
    }
    return {};
}

// The text with every entity reference as a character reference: after its first error, a
// recovering XML parser drops every named reference, &amp; too, but keeps character ones. An
// unknown name and a stray ampersand stay in the text as written, as XmlReader keeps them.
// Comments and CDATA sections are copied as they are.
QString withCharacterReferences(QStringView text) {
    constexpr auto kVerbatim = std::to_array<std::pair<QStringView, QStringView>>(
        {{u"<!--", u"-->"}, {u"<![CDATA[", u"]]>"}});
    QString out;
    out.reserve(text.size() + text.size() / 16);
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype next = i;
        while (next < text.size() && text[next] != u'&' && text[next] != u'<') ++next;
        out += text.sliced(i, next - i);
        i = next;
        if (i == text.size()) break;
        if (text[i] == u'<') {
            qsizetype end = i + 1;
            for (const auto& [open, close] : kVerbatim) {
                if (!text.sliced(i).startsWith(open)) continue;
                const qsizetype closed = text.indexOf(close, i + std::ssize(open));
                end = closed < 0 ? text.size() : closed + std::ssize(close);
            }
            out += text.sliced(i, end - i);
            i = end;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == u'#') {
            out += u'&';
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && isReferenceName(text[end])) ++end;
        QChar character;
        if (end < text.size() && text[end] == u';' && end > i + 1) {
            const QStringView name = text.sliced(i + 1, end - i - 1);
            character = predefinedEntity(name);
            if (character.isNull()) character = htmlEntityCharacter(name.toString());
        }
        if (character.isNull()) {
            out += u"&#38;";
            ++i;
        } else {
            out += QStringLiteral("&#%1;").arg(character.unicode());
            i = end + 1;
        }
    }
    return out;
}

// The parser may make a document of its own for what a handler left to it, such as the
// entities of a DTD; it is freed with the parser.
struct ContextFree {
    void operator()(xmlParserCtxtPtr context) const {
        if (context->myDoc != nullptr) xmlFreeDoc(context->myDoc);
        xmlFreeParserCtxt(context);
    }
};
using Context = std::unique_ptr<xmlParserCtxt, ContextFree>;

Context contextFor(const QByteArray& utf8, MarkupDialect dialect) {
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);
    const auto size = static_cast<int>(utf8.size());
    // Recover, never reach the network, and take the bytes as the UTF-8 they are whatever
    // the document says; no option loads a DTD, substitutes entities or processes XIncludes.
    if (dialect == MarkupDialect::Html) {
        Context context(htmlCreateMemoryParserCtxt(utf8.constData(), size));
        if (context) {
            htmlCtxtUseOptions(context.get(),
                               HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC);
            xmlSwitchEncoding(context.get(), XML_CHAR_ENCODING_UTF8);
        }
        return context;
    }
    Context context(xmlCreateMemoryParserCtxt(utf8.constData(), size));
    if (context) {
        xmlCtxtUseOptions(context.get(),
                          XML_PARSE_RECOVER | XML_PARSE_NONET | XML_PARSE_IGNORE_ENC);
    }
    return context;
}

}  // namespace

std::string recoveredMarkup(const QString& characters, MarkupDialect dialect, int maxDepth) {
    QByteArray utf8 = dialect == MarkupDialect::Xml ? withCharacterReferences(characters).toUtf8()
                                                    : characters.toUtf8();
    // XML allows no NUL, and one among the first bytes makes the parser take the document for
    // UTF-16 or UCS-4, whatever the options say.
    utf8.removeIf([](char c) { return c == '\0'; });
    Recovery recovery(maxDepth);
    const Context context = contextFor(utf8, dialect);
    if (!context) return {};  // nothing to parse
    const xmlSAXHandler handler = handlerFor(dialect);
    std::memcpy(context->sax, &handler, sizeof handler);
    context->userData = &recovery;
    recovery.context = context.get();
    if (dialect == MarkupDialect::Html) {
        htmlParseDocument(context.get());
    } else {
        xmlParseDocument(context.get());
    }
    if (recovery.error) std::rethrow_exception(recovery.error);
    if (recovery.xml.tooDeep()) throw tooDeepMarkup();
    if (recovery.declaresEntities) throw entityDeclarations();
    return recovery.xml.finish();
}

}  // namespace orvell::books
