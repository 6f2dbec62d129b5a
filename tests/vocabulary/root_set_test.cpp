#include "vocabulary/root_set.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace orvell {
namespace {

std::u16string numbered(std::size_t n) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) about a chain of operator+.
    std::u16string s = u"к";
    s.append(n % 7, u'а').append(1, u'#');
    s.append(1, static_cast<char16_t>(0x400 + n % 97)).append(n / 97 + 1, u'д');
    return s;
}

TEST(RootSet, HoldsTheEmptyStringAndTellsPrefixesApart) {
    RootSet set;
    EXPECT_FALSE(set.contains(u""));
    set.insert(u"");
    set.insert(u"говор");
    EXPECT_TRUE(set.contains(u""));
    EXPECT_TRUE(set.contains(u"говор"));
    EXPECT_FALSE(set.contains(u"гово"));
    EXPECT_FALSE(set.contains(u"говоры"));
}

TEST(RootSet, KeepsEveryStringThroughGrowthOneByOneAndInBulk) {
    std::vector<std::u16string> strings(20000);
    for (std::size_t n = 0; n < strings.size(); ++n) strings[n] = numbered(n);
    RootSet oneByOne;
    for (const std::u16string& s : strings) oneByOne.insert(s);

    // In bulk, twice over, so that duplicates meet both within a batch and in the table.
    std::vector<std::u16string_view> views(strings.begin(), strings.end());
    views.insert(views.end(), strings.begin(), strings.end());
    RootSet bulk;
    bulk.insert(u"x");
    bulk.insertAll(views);

    for (const std::u16string& s : strings) {
        ASSERT_TRUE(oneByOne.contains(s)) << "one by one";
        ASSERT_TRUE(bulk.contains(s)) << "in bulk";
    }
    EXPECT_TRUE(bulk.contains(u"x"));
    EXPECT_FALSE(bulk.contains(numbered(20000)));
    EXPECT_FALSE(oneByOne.contains(u"x"));
}

// The roots a reading adds after a load must not make the table grow at once, whatever the
// size loaded: sizes on either side of a table's limit.
TEST(RootSet, LeavesAQuarterOfRoomAfterABulkInsert) {
    for (const std::size_t count : std::to_array<std::size_t>({1, 100, 4090, 4096, 4100, 6000})) {
        std::vector<std::u16string> strings(count);
        for (std::size_t n = 0; n < count; ++n) strings[n] = numbered(n);
        const std::vector<std::u16string_view> views(strings.begin(), strings.end());
        RootSet set;
        set.insertAll(views);
        EXPECT_GE(set.capacity(), count + count / 4) << count << " strings";
    }
}

}  // namespace
}  // namespace orvell
