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

// Cuts text into the script from slot 0 on (the caller has reset the script) and, when the
// whole text is cut (or, past any text that fits in memory, the script is full), sets k1 to the
// number of entries written.
CutResult cutText(std::u16string text, ReadingScript& sarr, std::int32_t& k1, const YieldFn& yield);

// The focus rule: splits one collected word (length >= 1) into its display entry.
DisplayEntry cutWord(std::u16string_view word);

}  // namespace orvell
