#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/storage/temp_folder.h"
#include "vocabulary/vocabulary.h"

namespace orvell {
namespace {

using Lines = std::vector<std::u16string>;

class LibraryFile : public testing_support::InTempFolder {
  protected:
    // A vocabulary holding exactly these entries, built through the file.
    Vocabulary holding(const std::string& fileBytes) {
        writeBytes("library.txt", fileBytes);
        Vocabulary vocabulary;
        vocabulary.LoadLib();
        std::filesystem::remove("library.txt");
        return vocabulary;
    }
};

struct ReadingRule {
    const char* name;
    std::string bytes;
    Lines lines;

    friend void PrintTo(const ReadingRule& c, std::ostream* os) { *os << c.name; }
};

class ReadingRules : public LibraryFile, public testing::WithParamInterface<ReadingRule> {};

TEST_P(ReadingRules, LoadGivesTheLines) {
    writeBytes("library.txt", GetParam().bytes);
    Vocabulary vocabulary;
    vocabulary.LoadLib();
    EXPECT_EQ(vocabulary.larr(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Load, ReadingRules,
    testing::Values(
        ReadingRule{"ZeroBytes", "", {}}, ReadingRule{"CrLfOnly", "\r\n", {u""}},
        ReadingRule{"LfEndsALine", "a\nb\n", {u"a", u"b"}},
        ReadingRule{"CrLfEndsALine", "a\r\nb\r\n", {u"a", u"b"}},
        ReadingRule{"LastLineWithoutEnd", "a\r\nb", {u"a", u"b"}},
        ReadingRule{"LoneCrIsDropped", "a\rb\r\n", {u"ab"}},
        ReadingRule{"CrBeforeTheEndIsDropped", "a\r", {u"a"}},
        ReadingRule{"DoubledCrBeforeLf", "a\r\r\nb", {u"a", u"b"}},
        ReadingRule{"LoneCrAfterTheLastLineIsAnEmptyLine", "a\n\r", {u"a", u""}},
        ReadingRule{"EmptyLinesStay", "\r\na\r\n\r\n", {u"", u"a", u""}},
        ReadingRule{"EofByteEndsTheFile",
                    "a\r\nb\x1A"
                    "c\r\nd\r\n",
                    {u"a", u"b"}},
        ReadingRule{"EofByteFirst",
                    "\x1A"
                    "a\r\n",
                    {}},
        ReadingRule{"ByteOrderMarkIsText",
                    "\xEF\xBB\xBF"
                    "a\r\n",
                    {u"п»їa"}},
        ReadingRule{"Windows1251", "\xE3\xEE\xE2\xEE\xF0\r\n\xB8\xA8\xB9\r\n", {u"говор", u"ёЁ№"}},
        ReadingRule{"LongLine", std::string(200000, 'x'), {std::u16string(200000, u'x')}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(LibraryFile, MissingFileLoadsNothing) {
    Vocabulary vocabulary = holding("a\r\n");
    vocabulary.LoadLib();
    EXPECT_EQ(vocabulary.larr(), Lines{u"a"});
}

TEST_F(LibraryFile, FolderNamedLikeTheFileLoadsNothing) {
    std::filesystem::create_directory("library.txt");
    Vocabulary vocabulary;
    vocabulary.LoadLib();
    EXPECT_TRUE(vocabulary.larr().empty());
}

TEST_F(LibraryFile, LoadReplacesTheListButAnEmptyFileLeavesIt) {
    Vocabulary vocabulary = holding("a\r\nb\r\n");
    writeBytes("library.txt", "");
    vocabulary.LoadLib();
    EXPECT_EQ(vocabulary.larr(), (Lines{u"a", u"b"}));
    writeBytes("library.txt", "c\r\n");
    vocabulary.LoadLib();
    EXPECT_EQ(vocabulary.larr(), Lines{u"c"});
}

TEST_F(LibraryFile, SaveWritesEachEntryThenCrLfInWindows1251) {
    Vocabulary vocabulary = holding("\xE3\xEE\xE2\xEE\xF0\r\n\r\nread\r\n");
    vocabulary.lookup({u"", u"\"", u"Привет\""});
    vocabulary.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "\xE3\xEE\xE2\xEE\xF0\r\n\r\nread\r\n\xE5\xF2\"\r\n");
    EXPECT_EQ(folderContent(), std::vector<std::string>{"library.txt"});
}

TEST_F(LibraryFile, EmptyVocabularySavesZeroBytes) {
    writeBytes("library.txt", "old\r\n");
    Vocabulary().SaveLib();
    EXPECT_TRUE(std::filesystem::exists("library.txt"));
    EXPECT_EQ(std::filesystem::file_size("library.txt"), 0u);
}

TEST_F(LibraryFile, FirstSaveCreatesTheFile) {
    Vocabulary vocabulary;
    vocabulary.LoadLib();
    vocabulary.lookup({u"", u"м", u"ир"});
    vocabulary.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "\xEC\xE8\xF0\r\n");
}

// Characters windows-1251 lacks become "?", one per character, and what follows them survives.
TEST_F(LibraryFile, UnmappableCharactersBecomeQuestionMarksAndLoseNothingAfterThem) {
    Vocabulary saved;
    for (const char16_t* root : {u"中文", u"a😀b", u"ü", u"мир"}) {
        saved.lookup({u"", u"", root});
    }
    saved.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "??\r\na?b\r\n?\r\n\xEC\xE8\xF0\r\n");
    Vocabulary loaded;
    loaded.LoadLib();
    EXPECT_EQ(loaded.larr(), (Lines{u"??", u"a?b", u"?", u"мир"}));
}

TEST_F(LibraryFile, EndOfFileCharacterInARootIsSavedAsAQuestionMark) {
    Vocabulary saved;
    saved.lookup({u"", u"ж",
                  u"\x1A"
                  u"ж"});
    saved.lookup({u"", u"м", u"ир"});
    saved.SaveLib();
    Vocabulary loaded;
    loaded.LoadLib();
    EXPECT_EQ(loaded.larr(), (Lines{u"ж?ж", u"мир"}));
}

}  // namespace
}  // namespace orvell
