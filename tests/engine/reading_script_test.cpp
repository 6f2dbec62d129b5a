#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "engine/reading_script.h"
#include "tests/engine/cut_outcome.h"

namespace orvell {
namespace {

// Past the million slots the script once had: it grows to reach any slot stored.
constexpr std::int32_t kLastSlot = 1'500'000;

TEST(ReadingScript, StartsEmptyAndHasNoSlotsOutsideItsRange) {
    auto sarr = std::make_unique<ReadingScript>();
    EXPECT_FALSE(sarr->filled(0));
    EXPECT_FALSE(sarr->filled(kLastSlot));
    EXPECT_FALSE(sarr->at(-1));
    EXPECT_FALSE(sarr->at(ReadingScript::kMaxEntries));
    EXPECT_THROW(sarr->store(-1, pauseEntry()), std::out_of_range);
    EXPECT_THROW(sarr->store(ReadingScript::kMaxEntries, pauseEntry()), std::out_of_range);
}

TEST(ReadingScript, StoreReplacesAndResetEmptiesEverySlot) {
    auto sarr = std::make_unique<ReadingScript>();
    sarr->store(0, {u"", u"\n", u""});
    sarr->store(0, {u"Д", u"о", u"бро"});
    sarr->storePause(1);
    sarr->store(kLastSlot, {u"", u"я", u""});
    EXPECT_EQ(test::entryAt(*sarr, 0), (DisplayEntry{u"Д", u"о", u"бро"}));
    EXPECT_EQ(test::entryAt(*sarr, 1), pauseEntry());
    EXPECT_TRUE(sarr->filled(kLastSlot));

    sarr->reset();
    EXPECT_FALSE(sarr->filled(0));
    EXPECT_FALSE(sarr->filled(1));
    EXPECT_FALSE(sarr->filled(kLastSlot));
}

TEST(ReadingScript, ResetAfterResetEmptiesWhatEachScriptFilled) {
    auto sarr = std::make_unique<ReadingScript>();
    sarr->store(5, {u"", u"a", u""});
    sarr->reset();
    sarr->storePause(2);
    sarr->reset();
    EXPECT_FALSE(sarr->filled(2));
    EXPECT_FALSE(sarr->filled(5));
}

TEST(ReadingScript, PauseSlotCanTakeAWordAgain) {
    auto sarr = std::make_unique<ReadingScript>();
    sarr->storePause(3);
    sarr->store(3, {u"", u"\r", u""});
    EXPECT_EQ(test::entryAt(*sarr, 3), (DisplayEntry{u"", u"\r", u""}));
}

TEST(PauseEntry, IsSixOneAndEightBlanksAndKnownByItsFocus) {
    EXPECT_EQ(pauseEntry(), (DisplayEntry{u"      ", u" ", u"        "}));
    EXPECT_TRUE(isPause(pauseEntry()));
    EXPECT_FALSE(isPause({u"", u"\n", u""}));
    EXPECT_FALSE(isPause({u"", u"-", u""}));
}

}  // namespace
}  // namespace orvell
