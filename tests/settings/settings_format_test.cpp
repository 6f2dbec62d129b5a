// settings.ini as a reader may leave it after editing it by hand: what reads is used, and
// every value that does not read costs only that key, with one problem saying which.
#include "settings/settings_format.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvell {
namespace {

using Change = std::function<void(Settings&)>;

Settings changed(const Change& change) {
    Settings settings;
    change(settings);
    return settings;
}

TEST(SettingsFormatTest, HandEditedTextGivesItsValuesAndAProblemPerBadOne) {
    struct Case {
        const char* label;
        std::string text;
        Change expected;  // applied to the defaults
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"empty", "", [](Settings&) {}, {}},
        {"as edited: BOM, CR LF, comments, spaces, any order, decimal comma",
         "\xEF\xBB\xBF; mine\r\n# also mine\r\n\r\n[speed] ; the pace\r\n  warmUpFrom =  75 \r\n"
         "warmUp=yes\r\n[pauses]\r\nshort = 0,65\r\nlong=1.5 ; a bit longer\r\n"
         "afterSentence=0\r\n[look]\r\nfocusColour = #FF8000\r\ntheme=night\r\n",
         [](Settings& s) {
             s.reading.speed.warmUpFromPercent = 75;
             s.reading.speed.warmUp = true;
             s.reading.pauses.shortPercent = 65;
             s.reading.pauses.longPercent = 150;
             s.reading.pauses.sentencePauses = 0;
             s.look.focusColour = "#FF8000";
             s.look.theme = Theme::Night;
         },
         {}},
        {"names and words without regard to case, the last of a key twice",
         "[FLASH]\nWords=2\nwords=3\n[Speed]\nwordsperminute=TRUE\n[look]\nTheme=Dark\n"
         "fontZoom=175\n[pauses]\nveryLong=.5\nnumber=10\nshortBelow=1\n",
         [](Settings& s) {
             s.reading.flash.words = 3;
             s.reading.speed.wordsPerMinute = true;
             s.look.theme = Theme::Dark;
             s.look.fontZoom = 175;
             s.reading.pauses.veryLongPercent = 50;
             s.reading.pauses.numberPercent = 1000;
             s.reading.pauses.shortBelow = 1;
         },
         {}},
        {"unknown sections and keys, and keys before any section",
         "words=3\n[window]\nwords=3\ntheme=dark\n[flash]\ncolour=red\nwords =2\n",
         [](Settings& s) { s.reading.flash.words = 2; },
         {}},
        {"out of range",
         "[flash]\nwords=7\nwidth=4\n[pauses]\nshort=0.09\nlong=10.01\nafterLineBreak=-1\n"
         "veryLongAbove=41\n[speed]\nwarmUpFrom=101\nwarmUpWords=99999999999999999999\n"
         "[look]\nfontZoom=105\n",
         [](Settings&) {},
         {"[flash] words=7 is out of range (1–3); the default 1 is used",
          "[flash] width=4 is out of range (5–40); the default 13 is used",
          "[pauses] short=0.09 is out of range (0.1–10); the default 0.7 is used",
          "[pauses] long=10.01 is out of range (0.1–10); the default 1.5 is used",
          "[pauses] afterLineBreak=-1 is out of range (0–6); the default 2 is used",
          "[pauses] veryLongAbove=41 is out of range (1–40); the default 7 is used",
          "[speed] warmUpFrom=101 is out of range (10–100); the default 60 is used",
          std::string("[speed] warmUpWords=99999999999999999999 is out of range (1–100); ") +
              "the default 8 is used",
          std::string("[look] fontZoom=105 is out of range ") +
              "(60, 70, 80, 90, 100, 115, 130, 150, 175 or 200); the default 100 is used"}},
        {"values that do not read, one keeping the good one before it from counting",
         "[flash]\nwords=2\nwords=two\nwidth=\n[pauses]\nnormal=1.234\nnewRoot=1.\n"
         "shortBelow=2.5\n[speed]\nwarmUp=maybe\n[look]\ntheme=blue\nfocusColour=#12345g\n"
         "this line is not a key\n",
         [](Settings&) {},
         {"[flash] words=two is not valid (1–3); the default 1 is used",
          "[flash] width= is not valid (5–40); the default 13 is used",
          "[pauses] normal=1.234 is not valid (0.1–10); the default 1 is used",
          "[pauses] newRoot=1. is not valid (0.1–10); the default 2 is used",
          "[pauses] shortBelow=2.5 is not valid (1–40); the default 2 is used",
          "[speed] warmUp=maybe is not valid (false or true); the default false is used",
          "[look] theme=blue is not valid (light, dark or night); the default light is used",
          std::string("[look] focusColour=#12345g is not valid (#rrggbb or empty); ") +
              "the default (empty) is used",
          std::string("line 14 \"this line is not a key\" ") +
              "is neither a [section] nor a key=value; it is skipped"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ParsedSettings parsed = parseSettings(c.text);
        EXPECT_EQ(parsed.settings, changed(c.expected));
        EXPECT_EQ(parsed.problems, c.problems);
    }
}

// Every field away from its default in some case, at both ends of its range, so a key the
// format leaves out or writes wrongly shows.
TEST(SettingsFormatTest, WhatIsWrittenReadsBackTheSame) {
    const std::vector<Settings> cases = {
        Settings{},
        changed([](Settings& s) {
            s.reading.pauses = {1, 10, 11, 1, 105, 1, 1000, 10, 999, 10, 10, 0, 0};
            s.reading.flash = {3, 5};
            s.reading.speed = {true, true, 10, 1};
            s.look = {Theme::Night, "#00aaFF", 60};
        }),
        changed([](Settings& s) {
            s.reading.pauses = {40, 1000, 1000, 40, 10, 40, 10, 1000, 10, 1000, 1000, 6, 6};
            s.reading.flash = {2, 40};
            s.reading.speed = {true, false, 100, 100};
            s.look = {Theme::Dark, "", 200};
        }),
    };
    for (const Settings& settings : cases) {
        const std::string text = formatSettings(settings);
        SCOPED_TRACE(text);
        const ParsedSettings parsed = parseSettings(text);
        EXPECT_EQ(parsed.settings, settings);
        EXPECT_TRUE(parsed.problems.empty());
    }
    // The spellings a reader looks for, and a comment above every key.
    const std::string text = formatSettings(cases[1]);
    for (const char* line : {"\n[flash]\n", "\nwords=3\n", "\ntheme=night\n",
                             "\nwordsPerMinute=true\n", "\nlong=1.05\n", "\nshort=0.1\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    std::string previous;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        if (line.find('=') != std::string::npos && !line.starts_with(';')) {
            EXPECT_TRUE(previous.starts_with("; ") && previous.ends_with(")")) << line;
        }
        previous = line;
    }
}

}  // namespace
}  // namespace orvell
