#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/file_error.h"
#include "tests/storage/failing_file_system.h"
#include "tests/storage/temp_folder.h"
#include "tests/vocabulary/file_failures.h"
#include "vocabulary/vocabulary.h"

namespace orvell {
namespace {

using Lines = std::vector<std::u16string>;
using testing_support::FailingFileSystem;
using Operation = FailingFileSystem::Operation;
using testing_support::failureOf;
using testing_support::failureOfBackgroundSave;

constexpr const char* kOldFile = "old\r\nlines\r\n";

class FileFaults : public testing_support::InTempFolder {};

TEST_F(FileFaults, SavingWhereAFolderHasTheNameFailsAndLeavesNothingBehind) {
    std::filesystem::create_directory("library.txt");
    Vocabulary vocabulary;
    vocabulary.lookup({u"", u"м", u"ир"});
    EXPECT_EQ(failureOfBackgroundSave(vocabulary), "File access denied");
    EXPECT_TRUE(std::filesystem::is_directory("library.txt"));
    EXPECT_EQ(folderContent(), std::vector<std::string>{"library.txt"});

    // The vocabulary lost nothing: once the way is clear, the next save writes the root.
    std::filesystem::remove("library.txt");
    vocabulary.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "\xEC\xE8\xF0\r\n");
}

// Windows has no limit of open handles that a test could lower.
#ifndef _WIN32
// Lowers the limit of open files to what is open now, for one scope.
class NoFreeHandles {
  public:
    NoFreeHandles() {
        getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = dup(0);
        close(lowestFree);
        rlimit lowered = saved_;
        lowered.rlim_cur = static_cast<rlim_t>(lowestFree);
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~NoFreeHandles() { setrlimit(RLIMIT_NOFILE, &saved_); }
    NoFreeHandles(const NoFreeHandles&) = delete;
    NoFreeHandles& operator=(const NoFreeHandles&) = delete;

  private:
    rlimit saved_{};
};

TEST_F(FileFaults, NoFreeHandleFailsLoadAndSaveWithoutLosingAnEntry) {
    writeBytes("library.txt", kOldFile);
    // The sanitizers need free handles to check a type the first time they meet it, so this
    // meets the types first: the system's file operations, then a file error on the same paths.
    Vocabulary().LoadLib();
    FailingFileSystem fs;
    fs.failOn(Operation::openForReading, EMFILE);
    Vocabulary rehearsal(fs);
    EXPECT_EQ(failureOf([&] { rehearsal.LoadLib(); }), "Too many open files");
    EXPECT_EQ(failureOf([&] { rehearsal.SaveLib(); }), "Too many open files");

    Vocabulary vocabulary;
    std::string loadFailure;
    std::string saveFailure;
    {
        NoFreeHandles limit;
        loadFailure = failureOf([&] { vocabulary.LoadLib(); });
        saveFailure = failureOf([&] { vocabulary.SaveLib(); });
    }
    EXPECT_EQ(loadFailure, "Too many open files");
    EXPECT_EQ(saveFailure, "Too many open files");
    EXPECT_EQ(readBytes("library.txt"), kOldFile);

    // The load never read the file, so a later save keeps all of it.
    vocabulary.lookup({u"", u"м", u"ир"});
    vocabulary.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "old\r\nlines\r\n\xEC\xE8\xF0\r\n");
}
#endif

TEST_F(FileFaults, LoadFailingToOpenKeepsTheListAndCloses) {
    FailingFileSystem fs;
    writeBytes("library.txt", kOldFile);
    Vocabulary vocabulary(fs);
    fs.failOn(Operation::openForReading, EACCES);
    EXPECT_EQ(failureOf([&] { vocabulary.LoadLib(); }), "File access denied");
    EXPECT_TRUE(vocabulary.larr().empty());
    EXPECT_EQ(fs.openHandles(), 0u);
}

// A load that breaks off part-way, at once or in the background, keeps the whole lines read so
// far; the lines it did not reach are written back, after them, by every later save of the run.
class FailedLoad : public FileFaults, public testing::WithParamInterface<bool> {
  protected:
    static constexpr const char* kFile = "one\r\ntwo\r\nthree\r\nfour\r\n";

    void SetUp() override {
        FileFaults::SetUp();
        writeBytes("library.txt", kFile);
        fs_.limitReadsTo(8);
        fs_.failOn(Operation::read, EIO, 2);  // after "one\r\ntwo", mid-line
        if (GetParam()) {
            std::vector<std::string> failures;
            vocabulary_.loadInBackground(
                [&](const FileError& e) { failures.emplace_back(e.what()); });
            vocabulary_.larr();  // waits for the load
            EXPECT_EQ(failures, std::vector<std::string>{"I/O error 5"});
        } else {
            EXPECT_EQ(failureOf([&] { vocabulary_.LoadLib(); }), "I/O error 5");
        }
        fs_.succeedAgain();
    }

    FailingFileSystem fs_;
    Vocabulary vocabulary_{fs_};
};

TEST_P(FailedLoad, KeepsTheWholeLinesReadAndClosesTheFile) {
    EXPECT_EQ(vocabulary_.larr(), Lines{u"one"});
    EXPECT_EQ(fs_.openHandles(), 0u);
}

TEST_P(FailedLoad, SavesKeepTheUnreadLinesBeforeTheNewRoots) {
    vocabulary_.lookup({u"", u"м", u"ир"});
    vocabulary_.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "one\r\ntwo\r\nthree\r\nfour\r\n\xEC\xE8\xF0\r\n");

    // The unread lines are kept once, not read back again from the file just written.
    vocabulary_.lookup({u"", u"ж", u"ук"});
    vocabulary_.SaveLib();
    EXPECT_EQ(readBytes("library.txt"),
              "one\r\ntwo\r\nthree\r\nfour\r\n\xEC\xE8\xF0\r\n\xE6\xF3\xEA\r\n");
    EXPECT_EQ(vocabulary_.larr(), (Lines{u"one", u"мир", u"жук"}));
}

TEST_P(FailedLoad, SaveFailsWhileTheFileStillCannotBeRead) {
    vocabulary_.lookup({u"", u"м", u"ир"});
    fs_.failOn(Operation::read, EIO);
    EXPECT_EQ(failureOfBackgroundSave(vocabulary_), "I/O error 5");
    EXPECT_EQ(readBytes("library.txt"), kFile);
    EXPECT_EQ(fs_.openHandles(), 0u);
}

TEST_P(FailedLoad, ASuccessfulLoadEndsTheKeeping) {
    vocabulary_.LoadLib();
    vocabulary_.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), kFile);
}

INSTANTIATE_TEST_SUITE_P(Vocabulary, FailedLoad, testing::Values(false, true),
                         [](const auto& test) {
                             return test.param ? "InTheBackground" : "AtOnce";
                         });

}  // namespace
}  // namespace orvell
