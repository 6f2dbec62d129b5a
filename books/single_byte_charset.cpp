#include "books/single_byte_charset.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <limits>
#include <string>

#include "books/book_failure.h"
#include "books/charset.h"
#include "books/letter_statistics.h"

namespace orvell::books {

namespace {

struct Candidate {
    const char* charset;  // as ICU names it
    std::u16string_view label;
    int prior;  // how much more often books come in it, for texts too short to tell
};

constexpr auto kCandidates = std::to_array<Candidate>({
    {"windows-1251", u"windows-1251", 0},
    {"KOI8-R", u"KOI8-R", 0},
    {"IBM866", u"IBM866", 0},
    {"KOI8-U", u"KOI8-U", -1},
    {"ISO-8859-5", u"ISO-8859-5", -1},
    {"x-mac-cyrillic", u"MacCyrillic", -1},
    {"IBM855", u"IBM855", -1},
    {"windows-1252", u"windows-1252", 0},
    {"ISO-8859-1", u"ISO-8859-1", 0},
    {"ISO-8859-15", u"ISO-8859-15", 0},
});

// Points per character above ASCII; a letter scores by its language's statistics, quotes,
// dashes and the like score nothing.
constexpr int kOddSymbol = -4;  // ©, °, ½, ¤: possible, but rare in prose
constexpr int kGarbage = -8;    // box drawing, control codes, a letter in a misshapen word
// Per word, on top of its letters' points.
constexpr int kCapitalised = -4;        // a word that begins with a capital inside a sentence
constexpr int kInCapitals = -4;         // a word all in capitals
constexpr int kLowerCaseSentence = -4;  // a sentence that begins with a lower-case word
// Cyrillic prose is taken for Russian unless letters that Russian lacks show its language,
// which they do within a line or two.
constexpr std::array<long, kLanguageCount> kLanguagePriors = {0,   -10, -10, -10, -10,
                                                              -10, 0,   0,   0,   0};
// A reading must average this per letter above ASCII to count as prose.
constexpr long kLeastAverage = 1;
// Readings closer than this are too alike to choose between.
constexpr long kLeastLead = 3;
// Enough characters above ASCII to judge by; longer texts are judged by their start.
constexpr std::size_t kJudgedCharacters = 4096;

enum class Kind : std::uint8_t { Letter, Joiner, Typography, OddSymbol, Garbage, Ignored };

// What a byte above ASCII reads as in one charset.
struct Reading {
    char16_t character = 0;
    Kind kind = Kind::Garbage;
    bool cyrillic = false;
    bool upper = false;
    std::array<std::int8_t, kLanguageCount> weights{};
};

using ByteReadings = std::array<Reading, 128>;

bool isTypography(char16_t c) {
    constexpr std::u16string_view kTypographic = u"«»„“”‚‹›…№•·€¿¡\u00A0";
    return kTypographic.find(c) != std::u16string_view::npos;
}

// Characters that stand between two letters in real words.
bool isJoiner(char16_t c) { return c == u'’' || c == u'‘' || c == u'–' || c == u'—'; }

Reading readingOf(char16_t c) {
    Reading reading;
    reading.character = c;
    const bool cyrillic = c >= 0x400 && c < 0x500;
    const bool latin = c >= 0xC0 && c < 0x250;
    if (c == 0xAD) {
        reading.kind = Kind::Ignored;  // a soft hyphen, inside words
    } else if (u_isalpha(c) && (cyrillic || latin)) {
        reading.kind = Kind::Letter;
        reading.cyrillic = cyrillic;
        reading.upper = u_isupper(c);
        const auto lower = static_cast<char16_t>(u_tolower(c));
        for (std::size_t language = 0; language < kLanguageCount; ++language) {
            reading.weights[language] =
                static_cast<std::int8_t>(letterWeight(static_cast<Language>(language), lower));
        }
    } else if (isJoiner(c)) {
        reading.kind = Kind::Joiner;
    } else if (isTypography(c)) {
        reading.kind = Kind::Typography;
    } else if (u_charType(c) == U_CONTROL_CHAR || c == 0xFFFD || (c >= 0x2320 && c < 0x2600) ||
               u_isalpha(c)) {
        reading.kind = Kind::Garbage;  // also a letter of another script: µ, ª
    } else {
        reading.kind = Kind::OddSymbol;
    }
    return reading;
}

const std::array<ByteReadings, kCandidates.size()>& byteReadings() {
    static const auto readings = [] {
        std::array<ByteReadings, kCandidates.size()> all{};
        std::string highBytes;
        for (int byte = 0x80; byte <= 0xFF; ++byte) highBytes += static_cast<char>(byte);
        for (std::size_t i = 0; i < kCandidates.size(); ++i) {
            const std::u16string characters = toUtf16(highBytes, kCandidates[i].charset);
            for (std::size_t byte = 0; byte < all[i].size() && byte < characters.size(); ++byte) {
                all[i][byte] = readingOf(characters[byte]);
            }
        }
        return all;
    }();
    return readings;
}

bool isHigh(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

bool isAsciiLetter(char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

// How much a text, read in one charset, looks like prose in each language, word by word.
class ProseScore {
  public:
    void addLetter(bool upper, bool cyrillic) {
        if (letters_ == 0) firstUpper_ = upper;
        ++letters_;
        uppers_ += upper ? 1 : 0;
        (cyrillic ? cyrillic_ : latin_) = true;
    }

    void addHighLetter(const Reading& reading) {
        addLetter(reading.upper, reading.cyrillic);
        ++high_;
        ++highLetters_;
        for (std::size_t i = 0; i < kLanguageCount; ++i) weights_[i] += reading.weights[i];
    }

    void addPoints(int points) { common_ += points; }

    void endSentence() { sentenceStart_ = true; }

    void endWord() {
        if (high_ > 0) scoreWord();
        if (letters_ > 0) sentenceStart_ = false;
        letters_ = uppers_ = high_ = 0;
        cyrillic_ = latin_ = false;
        weights_ = {};
    }

    long points() const {
        long best = std::numeric_limits<long>::min();
        for (std::size_t i = 0; i < kLanguageCount; ++i) {
            best = std::max(best, languages_[i] + kLanguagePriors[i]);
        }
        return common_ + best;
    }

    long highLetters() const { return highLetters_; }

  private:
    void scoreWord() {
        const bool oneScript = !(cyrillic_ && latin_);
        const bool capitals = letters_ > 1 && uppers_ == letters_;
        if (!oneScript || !(uppers_ == 0 || capitals || (uppers_ == 1 && firstUpper_))) {
            common_ += static_cast<long>(kGarbage) * high_;
            return;
        }
        // A sentence begins with a capital, and prose is otherwise mostly in lower case.
        if (capitals) {
            common_ += kInCapitals;
        } else if (firstUpper_ != sentenceStart_) {
            common_ += sentenceStart_ ? kLowerCaseSentence : kCapitalised;
        }
        for (std::size_t i = 0; i < kLanguageCount; ++i) languages_[i] += weights_[i];
    }

    long common_ = 0;
    std::array<long, kLanguageCount> languages_{};
    long highLetters_ = 0;
    bool sentenceStart_ = true;
    // The word being read.
    int letters_ = 0;
    int uppers_ = 0;
    int high_ = 0;
    bool firstUpper_ = false;
    bool cyrillic_ = false;
    bool latin_ = false;
    std::array<int, kLanguageCount> weights_{};
};

bool isLetterIn(const ByteReadings& readings, std::string_view text, std::size_t at) {
    if (at >= text.size()) return false;
    if (!isHigh(text[at])) return isAsciiLetter(text[at]);
    return readings[static_cast<unsigned char>(text[at]) - 0x80].kind == Kind::Letter;
}

int symbolPoints(Kind kind) {
    switch (kind) {
        case Kind::Joiner:
        case Kind::Typography:
            return 0;
        case Kind::OddSymbol:
            return kOddSymbol;
        default:
            return kGarbage;
    }
}

bool endsSentence(char byte) { return byte == '.' || byte == '!' || byte == '?'; }

// The text as the charset reads it, scored.
ProseScore scoreOf(const ByteReadings& readings, std::string_view text) {
    ProseScore score;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (!isHigh(byte)) {
            if (isAsciiLetter(byte)) {
                score.addLetter(byte <= 'Z', false);
            } else {
                score.endWord();
                if (endsSentence(byte)) score.endSentence();
            }
            continue;
        }
        const Reading& reading = readings[static_cast<unsigned char>(byte) - 0x80];
        if (reading.kind == Kind::Letter) {
            score.addHighLetter(reading);
        } else if (reading.kind != Kind::Ignored) {
            score.endWord();
            // A symbol inside a word is a letter that the charset got wrong.
            const bool inWord = reading.kind != Kind::Joiner && i > 0 &&
                                isLetterIn(readings, text, i - 1) &&
                                isLetterIn(readings, text, i + 1);
            score.addPoints(inWord ? kGarbage : symbolPoints(reading.kind));
            if (reading.character == u'…') score.endSentence();
        }
    }
    score.endWord();
    return score;
}

// The start of the text that holds enough characters above ASCII, ending between words.
std::string_view judgedPart(std::string_view text) {
    std::size_t high = 0;
    std::size_t end = 0;
    while (end < text.size() && high < kJudgedCharacters) {
        if (isHigh(text[end++])) ++high;
    }
    while (end < text.size() && (isHigh(text[end]) || isAsciiLetter(text[end]))) ++end;
    return text.substr(0, end);
}

[[noreturn]] void undecided(std::u16string_view found) {
    throw BookFailure(u"не удалось определить кодировку текста (похоже на " +
                      std::u16string(found) + u")");
}

}  // namespace

const char* singleByteCharset(std::string_view bytes) {
    const std::string_view text = judgedPart(bytes);
    std::bitset<128> present;
    for (const char byte : text) {
        if (isHigh(byte)) present.set(static_cast<unsigned char>(byte) - 0x80);
    }
    const auto& readings = byteReadings();
    std::array<long, kCandidates.size()> points{};
    std::array<long, kCandidates.size()> letters{};
    for (std::size_t i = 0; i < kCandidates.size(); ++i) {
        const ProseScore score = scoreOf(readings[i], text);
        points[i] = score.points() + kCandidates[i].prior;
        letters[i] = score.highLetters();
    }
    const auto best = static_cast<std::size_t>(std::ranges::max_element(points) - points.begin());
    if (points[best] < kLeastAverage * letters[best]) {
        undecided(u"двоичные данные или неизвестную кодировку");
    }
    const auto givesTheSameText = [&](std::size_t other) {
        for (std::size_t byte = 0; byte < present.size(); ++byte) {
            if (present[byte] &&
                readings[other][byte].character != readings[best][byte].character) {
                return false;
            }
        }
        return true;
    };
    for (std::size_t other = 0; other < kCandidates.size(); ++other) {
        if (other != best && points[best] - points[other] < kLeastLead &&
            !givesTheSameText(other)) {
            undecided(std::u16string(kCandidates[best].label) + u" или " +
                      std::u16string(kCandidates[other].label));
        }
    }
    return kCandidates[best].charset;
}

}  // namespace orvell::books
