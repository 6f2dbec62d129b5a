#include "books/html_entities.h"

#include <QHash>
#include <array>

namespace orvell::books {

namespace {

// Latin-1's upper half, U+00A0 to U+00FF, in the order of its code points.
constexpr std::array<const char*, 96> kLatin1 = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

struct Named {
    const char* name;
    char16_t character;
};

// Punctuation and signs of typeset text.
constexpr auto kTypographic = std::to_array<Named>({
    {"OElig", u'Œ'},    {"oelig", u'œ'},  {"Scaron", u'Š'}, {"scaron", u'š'}, {"Yuml", u'Ÿ'},
    {"fnof", u'ƒ'},     {"circ", u'ˆ'},   {"tilde", u'˜'},  {"ensp", 0x2002}, {"emsp", 0x2003},
    {"thinsp", 0x2009}, {"zwnj", 0x200C}, {"zwj", 0x200D},  {"lrm", 0x200E},  {"rlm", 0x200F},
    {"ndash", u'–'},    {"mdash", u'—'},  {"lsquo", u'‘'},  {"rsquo", u'’'},  {"sbquo", u'‚'},
    {"ldquo", u'“'},    {"rdquo", u'”'},  {"bdquo", u'„'},  {"dagger", u'†'}, {"Dagger", u'‡'},
    {"bull", u'•'},     {"hellip", u'…'}, {"permil", u'‰'}, {"prime", u'′'},  {"Prime", u'″'},
    {"lsaquo", u'‹'},   {"rsaquo", u'›'}, {"oline", u'‾'},  {"frasl", u'⁄'},  {"euro", u'€'},
    {"trade", u'™'},    {"larr", u'←'},   {"rarr", u'→'},   {"minus", u'−'},  {"ne", u'≠'},
    {"le", u'≤'},       {"ge", u'≥'},     {"infin", u'∞'},  {"asymp", u'≈'},
});

const QHash<QString, QChar>& entities() {
    static const QHash<QString, QChar> table = [] {
        QHash<QString, QChar> t;
        for (std::size_t i = 0; i < kLatin1.size(); ++i) {
            t.insert(QString::fromLatin1(kLatin1[i]), QChar(static_cast<char16_t>(0xA0 + i)));
        }
        for (const Named& n : kTypographic)
            t.insert(QString::fromLatin1(n.name), QChar(n.character));
        return t;
    }();
    return table;
}

}  // namespace

QChar htmlEntityCharacter(const QString& name) { return entities().value(name); }

QString HtmlEntities::resolveUndeclaredEntity(const QString& name) {
    const QChar character = htmlEntityCharacter(name);
    if (!character.isNull()) return {character};
    return QStringLiteral("&amp;") + name + u';';
}

}  // namespace orvell::books
