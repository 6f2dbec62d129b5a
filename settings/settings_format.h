#pragma once

// The text of settings.ini: an INI file the program writes whole and the reader may edit by
// hand.

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace orvell {

struct ParsedSettings {
    Settings settings;
    // One line per value that could not be used, or line that could not be read, without an
    // end: "[flash] words=7 is out of range (1–3); the default 1 is used".
    std::vector<std::string> problems;
};

// Never fails. Accepts a byte order mark, CR LF, blank lines, "#" comment lines, text after a
// ";" as a comment, spaces around names and "=", and keys in any order. Section
// names, key names and word values (true, dark) are matched without regard to case. Unknown
// sections and keys are skipped silently; of a key given twice, the last counts. A key that is
// missing keeps its default, and so does one whose value does not read or is out of range,
// with a problem.
ParsedSettings parseSettings(std::string_view text);

// Every key, section by section, each under a comment line saying what it accepts.
// parseSettings gives the same settings back, without problems, for every setting in range.
std::string formatSettings(const Settings& settings);

}  // namespace orvell
