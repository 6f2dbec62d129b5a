#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/reading_script.h"

namespace orvell {

// Called once after every word entry has been stored. Returning false abandons the cutting at
// once: no further slot is written and k1 is left as it was. A yield that resets the script
// (a newer start) must return false.
using YieldFn = std::function<bool()>;

enum class CutResult { Finished, Abandoned };

// How a line feed without a CR before it is cut: as the one delimiter it is, or as CR LF, the
// line break of the text the cutting was made for, which the text box keeps as one unit.
enum class LineFeeds { AsTheyAre, AsCrLf };

// Cuts text into the script from slot 0 on (the caller has reset the script), which keeps the
// text, and, when the whole text is cut (or, past any text that fits in memory, the script is
// full), sets k1 to the number of entries written. Positions are the text's own, also where
// line feeds are cut as CR LF.
CutResult cutText(std::u16string text, ReadingScript& sarr, std::int32_t& k1, const YieldFn& yield,
                  LineFeeds lineFeeds = LineFeeds::AsTheyAre);

// Where the word that starts at `start` ends: after the delimiter that ends it, or at it when
// it is a blank, or at the end of the text.
std::size_t wordEnd(std::u16string_view text, std::size_t start);

// The focus rule: splits one collected word (length >= 1) into its display entry.
DisplayEntry cutWord(std::u16string_view word);

}  // namespace orvell
