// Sittings as the window reports them, each a begin, the autosave's updates and an end, come
// back from the file whole, as the last report had them, in a later run too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/reading_history.h"
#include "tests/history/history_fixture.h"

namespace orvell {
namespace {

using testing_support::at;
using testing_support::sittingOf;

class SittingsTest : public testing_support::HistoryTest {};

// One call of the window's, on the sitting `sitting` of the case (its token).
struct Call {
    enum class Kind { begin, update, end, clear } kind;
    std::size_t sitting;
    Sitting reported;
};

TEST_F(SittingsTest, TheLastReportOfEachSittingIsKept) {
    using enum Call::Kind;
    const std::string book = std::string(64, 'a');
    // A start, an autosave half a minute later, then a pause.
    const Sitting paused0 = sittingOf("2026-12-10T14:00:00Z", "2026-12-10T14:00:00Z", book, 10,
                                      10, 0);
    const Sitting paused1 = sittingOf("2026-12-10T14:00:00Z", "2026-12-10T14:00:30Z", book, 10,
                                      160, 150, 40);
    const Sitting paused2 = sittingOf("2026-12-10T14:00:00Z", "2026-12-10T14:00:41Z", book, 10,
                                      215, 205, 42);
    // Moved forward a chapter: the skipped entries are past, not read.
    const Sitting moved = sittingOf("2026-12-10T14:05:00Z", "2026-12-10T14:06:00Z", book, 215,
                                    2900, 300, 42);
    // An edit ends a sitting of pasted text, with quotes and a line break in its title.
    Sitting edited = sittingOf("2026-12-10T15:00:00Z", "2026-12-10T15:01:10Z", std::nullopt, 0,
                               349, 320, 45);
    edited.title = "Цитата \"с кавычками\",\nв две строки";
    edited.newRoots = 3;

    struct Case {
        const char* label;
        std::vector<Call> calls;
        std::vector<Sitting> kept;  // in the order they started
    };
    const std::vector<Case> cases = {
        {"a pause after an autosave",
         {{begin, 0, paused0}, {update, 0, paused1}, {end, 0, paused2}},
         {paused2}},
        {"closed after an autosave, without an end",
         {{begin, 0, paused0}, {update, 0, paused1}},
         {paused1}},
        {"a pause, then a move and a sitting after it",
         {{begin, 0, paused0}, {end, 0, paused2}, {begin, 1, moved}, {end, 1, moved}},
         {paused2, moved}},
        {"an edit ends pasted text", {{begin, 0, edited}, {end, 0, edited}}, {edited}},
        {"a clear, then the autosave of the sitting running meanwhile",
         {{begin, 0, paused0}, {begin, 1, moved}, {end, 1, moved}, {clear, 0, {}},
          {update, 0, paused1}, {end, 0, paused2}},
         {paused2}},
        {"cleared", {{begin, 0, paused0}, {end, 0, paused2}, {clear, 0, {}}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(testing_support::kHistoryFolder);
        {
            ReadingHistory history(testing_support::kHistoryFolder);
            openOrFail(history);
            std::vector<SittingToken> tokens(2);
            for (const Call& call : c.calls) {
                switch (call.kind) {
                case begin: tokens.at(call.sitting) = history.beginSitting(call.reported); break;
                case update: history.updateSitting(tokens.at(call.sitting), call.reported); break;
                case end: history.endSitting(tokens.at(call.sitting), call.reported); break;
                case clear: history.clear(); break;
                }
            }
            history.waitForWrites();
            EXPECT_EQ(allSittings(history), c.kept) << "in the run that wrote them";
        }
        ReadingHistory later(testing_support::kHistoryFolder);
        openOrFail(later);
        EXPECT_EQ(allSittings(later), c.kept) << "in a later run";
    }
}

// Writes handed over before the history is on go nowhere, and the reads give nothing.
TEST_F(SittingsTest, NothingIsKeptBeforeTheOpening) {
    const Sitting s = sittingOf("2026-12-10T14:00:00Z", "2026-12-10T14:01:00Z", std::nullopt, 0,
                                99, 99);
    ReadingHistory history(testing_support::kHistoryFolder);
    history.endSitting(history.beginSitting(s), s);
    history.rememberBook("b", "t", "f", 1);
    history.waitForWrites();
    EXPECT_FALSE(history.on());
    EXPECT_EQ(history.totals(), HistoryTotals{});
    EXPECT_FALSE(std::filesystem::exists(testing_support::kHistoryFolder));
    openOrFail(history);
    EXPECT_TRUE(allSittings(history).empty());
}

}  // namespace
}  // namespace orvell
