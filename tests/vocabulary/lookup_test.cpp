#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/display_entry.h"
#include "tests/storage/temp_folder.h"
#include "vocabulary/roots.h"
#include "vocabulary/vocabulary.h"

namespace orvell {
namespace {

using Lines = std::vector<std::u16string>;

// A word entry as the segmentation cuts it: focus on the first letter here, since the split
// does not matter to the lookup.
DisplayEntry word(const std::u16string& w) { return {u"", w.substr(0, 1), w.substr(1)}; }

TEST(Lookup, EmptyVocabularyFindsTheFirstWordNewAndAppendsItsRoot) {
    Vocabulary vocabulary;
    EXPECT_EQ(vocabulary.lookup(word(u"Говорить,")), 2);
    EXPECT_EQ(vocabulary.larr(), Lines{u"говор"});
}

TEST(Lookup, AnotherFormWithTheSameRootIsKnown) {
    Vocabulary vocabulary;
    vocabulary.lookup(word(u"говорить"));
    EXPECT_EQ(vocabulary.lookup(DisplayEntry{u"Го", u"в", u"орит."}), 1);
    EXPECT_EQ(vocabulary.larr(), Lines{u"говор"});
}

TEST(Lookup, EmptyRootIsAppendedOnceThenKnownForPausesAndPunctuation) {
    Vocabulary vocabulary;
    EXPECT_EQ(vocabulary.lookup(pauseEntry()), 2);
    EXPECT_EQ(vocabulary.lookup(pauseEntry()), 1);
    EXPECT_EQ(vocabulary.lookup(word(u"\n")), 1);
    EXPECT_EQ(vocabulary.lookup(word(u"\r")), 1);
    EXPECT_EQ(vocabulary.lookup(word(u",")), 1);
    EXPECT_EQ(vocabulary.larr(), Lines{u""});
}

TEST(Lookup, WordInStraightQuotesIsStoredOnceAndThenKnown) {
    Vocabulary vocabulary;
    EXPECT_EQ(vocabulary.lookup(word(u"\"Привет\"")), 2);
    EXPECT_EQ(vocabulary.lookup(word(u"\"Привет\"")), 1);
    EXPECT_EQ(vocabulary.larr(), Lines{u"ет\""});
}

class LookupAfterLoading : public testing_support::InTempFolder {
  protected:
    Vocabulary loaded(const std::string& fileBytes) {
        writeBytes("library.txt", fileBytes);
        Vocabulary vocabulary;
        vocabulary.LoadLib();
        return vocabulary;
    }
};

TEST_F(LookupAfterLoading, EmptyLineMakesPausesKnown) {
    Vocabulary vocabulary = loaded("\r\n");
    EXPECT_EQ(vocabulary.lookup(pauseEntry()), 1);
    EXPECT_EQ(vocabulary.larr(), Lines{u""});
}

TEST_F(LookupAfterLoading, DuplicateLinesStayAndEitherMatches) {
    Vocabulary vocabulary = loaded("read\r\nread\r\n");
    EXPECT_EQ(vocabulary.lookup(word(u"Reading")), 1);
    EXPECT_EQ(vocabulary.larr(), (Lines{u"read", u"read"}));
}

TEST_F(LookupAfterLoading, EntriesAreCleanedBeforeComparing) {
    // A hand-edited file: Latin capitals and punctuation go through clean, so they match.
    Vocabulary vocabulary = loaded("READ,\r\n");
    EXPECT_EQ(vocabulary.lookup(word(u"reading")), 1);
}

TEST_F(LookupAfterLoading, CyrillicCapitalInTheFileNeverMatches) {
    Vocabulary vocabulary = loaded("\xC3\xEE\xE2\xEE\xF0\r\n");  // "Говор" in windows-1251
    EXPECT_EQ(vocabulary.lookup(word(u"говорить")), 2);
    EXPECT_EQ(vocabulary.larr(), (Lines{u"Говор", u"говор"}));
}

TEST_F(LookupAfterLoading, StoredRootOfAQuotedWordMatchesItsWord) {
    Vocabulary vocabulary = loaded("\xE5\xF2\"\r\n");  // ет" in windows-1251
    EXPECT_EQ(vocabulary.lookup(word(u"\"Привет\"")), 1);
    EXPECT_EQ(vocabulary.larr().size(), 1u);
}

// The constant-time lookup against the plain reading of the rule: scan every entry, compare
// its cleaned form (or, for the quoted-word fix, the entry itself) with the root.
TEST_F(LookupAfterLoading, AgreesWithAScanOverEveryEntry) {
    Vocabulary vocabulary =
        loaded("\xC3\xEE\xE2\xEE\xF0\r\nREAD,\r\n\r\n\xE5\xF2\"\r\nspeak\r\n\xAB\xF1\xEB\r\n");
    Lines expected = vocabulary.larr();
    const auto scan = [&expected](const DisplayEntry& e) {
        const std::u16string root = RootOfWord(clean(e.left + e.focus + e.right));
        int factor = 2;
        for (const std::u16string& entry : expected) {
            if (clean(entry) == root || entry == root) factor = 1;
        }
        if (factor == 2) expected.push_back(root);
        return factor;
    };
    const std::vector<std::u16string> words = {
        u"Говорить", u"говорить",   u"Reading,",   u"\"Привет\"", u"«Слово»,", u"«Слово»",
        u"speakers", u"\"quoted\"", u"\"quoted\"", u"(скобки)",   u"скобки",   u"..."};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const DisplayEntry e = word(words[i]);
        EXPECT_EQ(vocabulary.lookup(e), scan(e)) << "word index " << i;
        EXPECT_EQ(vocabulary.larr(), expected);
    }
    EXPECT_EQ(vocabulary.lookup(pauseEntry()), scan(pauseEntry()));
}

}  // namespace
}  // namespace orvell
