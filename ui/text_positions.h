#pragma once

// The text box's text and the text the cutting takes (cutText), which writes each line break
// as CR LF where the text box counts it once, and positions in the one and the other.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace orvell {

inline QString cutText(QString boxText) {
    return boxText.replace(QChar(u'\n'), QStringLiteral("\r\n"));
}

// The cut text's positions of ascending text box positions, in one pass over the text.
inline std::vector<std::int32_t> cutPositions(const QString& boxText,
                                              const std::vector<qsizetype>& boxPositions) {
    std::vector<std::int32_t> cut;
    cut.reserve(boxPositions.size());
    qsizetype at = 0;
    qsizetype lineBreaks = 0;
    for (const qsizetype position : boxPositions) {
        const qsizetype to = std::clamp<qsizetype>(position, at, boxText.size());
        lineBreaks += QStringView(boxText).sliced(at, to - at).count(u'\n');
        at = to;
        cut.push_back(static_cast<std::int32_t>(at + lineBreaks));
    }
    return cut;
}

// The text box position of a cut text's position.
inline qsizetype boxPosition(const QString& boxText, std::int32_t cutAt) {
    qsizetype position = 0;
    for (std::int64_t cut = 0; position < boxText.size() && cut < cutAt; ++position) {
        cut += boxText[position] == u'\n' ? 2 : 1;
    }
    return position;
}

}  // namespace orvell
