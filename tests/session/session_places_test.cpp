// Where a book's next start begins: a step back before the place its reading was left,
// forgotten at its end or when the cutting has changed, started over with Ctrl+R; and what the
// start button's hint says of it.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/reading_session.h"

namespace orvell {
namespace {

constexpr int kSpeed = 3;  // 300 words per minute: a start resumes 65 entries back

// A text of n one-letter words, an entry each.
std::u16string words(int n) {
    std::u16string text;
    for (int i = 0; i < n; ++i) text += u"w ";
    return text;
}

// Starts the reading of the book the session holds, with the script cut from `text`.
void start(ReadingSession& session, const std::u16string& text, bool running) {
    session.begin(kSpeed);
    session.core().cut(
        text, [] {}, LineFeeds::AsCrLf);
    session.cutFinished(running);
}

TEST(SessionPlaces, ResumesForgetsAndStartsOverTheBooksPlace) {
    const std::u16string book = words(300);
    const std::u16string other = u"Другая книга";
    struct Case {
        const char* label;
        // After the book was read up to entry 100 and paused there.
        std::function<void(ReadingSession&)> then;
        std::optional<ResumeHint> hint;
        std::int32_t start;  // where the next start begins
    };
    const std::vector<Case> cases = {
        {"a pause: a step back before it", [](ReadingSession&) {}, ResumeHint{100, 299}, 35},
        {"read to the end: from the first entry", [](ReadingSession& s) { s.rememberPlace(0); },
         std::nullopt, 0},
        {"past the end: the last entry", [](ReadingSession& s) { s.rememberPlace(1000); },
         ResumeHint{299, 299}, 234},
        {"started over", [](ReadingSession& s) { s.startOver(); }, std::nullopt, 0},
        {"started over, then the reading pauses again",
         [](ReadingSession& s) {
             s.startOver();
             s.rememberPlace(150);
         },
         std::nullopt, 0},
        {"opened again: the paused reading no longer moves the place",
         [&](ReadingSession& s) {
             s.holdBook(book, {});
             s.rememberPlace(150);
         },
         ResumeHint{100, 299}, 35},
        {"another book: its own place", [&](ReadingSession& s) { s.holdBook(other, {}); },
         std::nullopt, 0},
        {"another book, then this one again",
         [&](ReadingSession& s) {
             s.holdBook(other, {});
             s.holdBook(book, {});
         },
         ResumeHint{100, 299}, 35},
        {"the text edited: no book", [](ReadingSession& s) { s.dropBook(); }, std::nullopt, 0},
        {"resumed into another number of entries: forgotten",
         [&](ReadingSession& s) { start(s, words(250), true); }, std::nullopt, 0},
        {"paused while the cutting ran: remembered when it ends",
         [&](ReadingSession& s) { start(s, book, false); }, ResumeHint{35, 299}, 0},
        {"a typed text: no place",
         [&](ReadingSession& s) {
             s.dropBook();
             start(s, book, false);
             s.rememberPlace(200);
         },
         std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingSession session([](const DisplayEntry&) { return 1; });
        session.holdBook(book, {});
        EXPECT_EQ(session.resumeHint(), std::nullopt);
        start(session, book, true);
        ASSERT_EQ(session.core().k1(), 300);
        session.core().moveTo(100);
        session.rememberPlace(session.core().sh());
        c.then(session);
        EXPECT_EQ(session.resumeHint(), c.hint);
        session.begin(kSpeed);
        EXPECT_EQ(session.core().sh(), c.start);
    }
}

}  // namespace
}  // namespace orvell
