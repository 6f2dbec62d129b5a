// Faults made with Windows' own calls, met by the system's file operations as the program meets
// them: the codes come from the system, not from a test double.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/storage/temp_folder.h"
#include "tests/vocabulary/file_failures.h"
#include "vocabulary/vocabulary.h"

namespace orvell {
namespace {

using Lines = std::vector<std::u16string>;
using testing_support::failureOf;
using testing_support::failureOfBackgroundSave;

constexpr const char* kOldFile = "old\r\nlines\r\n";

enum class Fault {
    readOnlyAttribute,       // library.txt marked read-only
    heldOpenWithoutSharing,  // another handle has library.txt open and shares nothing
    missingFolder,           // the file named lies in a folder that does not exist
};

struct WindowsFault {
    const char* name;
    Fault fault;
    const char* file;  // saved to, then loaded from
    std::string saveFailure;
    std::string loadFailure;  // empty when the load goes through
    Lines loaded;

    friend void PrintTo(const WindowsFault& c, std::ostream* os) { *os << c.name; }
};

class WindowsFileFaults : public testing_support::InTempFolder,
                          public testing::WithParamInterface<WindowsFault> {
  protected:
    void SetUp() override {
        InTempFolder::SetUp();
        writeBytes("library.txt", kOldFile);
    }

    void TearDown() override {
        lift();
        InTempFolder::TearDown();
    }

    void impose(Fault fault) {
        switch (fault) {
            case Fault::readOnlyAttribute: {
                ASSERT_TRUE(SetFileAttributesW(L"library.txt", FILE_ATTRIBUTE_READONLY));
                // Wine keeps the attribute as the file's Unix permissions, which do not hold
                // back a process run by root: then nothing here is read-only.
                const HANDLE writer = CreateFileW(L"library.txt", GENERIC_WRITE, 0, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (writer != INVALID_HANDLE_VALUE) {
                    CloseHandle(writer);
                    GTEST_SKIP() << "the read-only attribute does not keep writers out here";
                }
                break;
            }
            case Fault::heldOpenWithoutSharing:
                holder_ = CreateFileW(L"library.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
                ASSERT_NE(holder_, INVALID_HANDLE_VALUE);
                break;
            case Fault::missingFolder:
                break;
        }
    }

    void lift() {
        SetFileAttributesW(L"library.txt", FILE_ATTRIBUTE_NORMAL);
        if (holder_ != INVALID_HANDLE_VALUE) CloseHandle(holder_);
        holder_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_P(WindowsFileFaults, FailTheSaveKeepingTheOldFileAndLeavingNothingBehind) {
    const WindowsFault& row = GetParam();
    Vocabulary vocabulary;
    vocabulary.LoadLib();
    vocabulary.lookup({u"", u"м", u"ир"});

    impose(row.fault);
    if (IsSkipped() || HasFatalFailure()) return;
    EXPECT_EQ(failureOfBackgroundSave(vocabulary, row.file), row.saveFailure);
    EXPECT_EQ(folderContent(), std::vector<std::string>{"library.txt"});
    Vocabulary reloaded;
    EXPECT_EQ(failureOf([&] { reloaded.LoadLib(row.file); }), row.loadFailure);
    EXPECT_EQ(reloaded.larr(), row.loaded);

    lift();
    EXPECT_EQ(readBytes("library.txt"), kOldFile);
    // The vocabulary lost nothing: once the fault is gone, its next save writes the new root.
    vocabulary.SaveLib();
    EXPECT_EQ(readBytes("library.txt"), "old\r\nlines\r\n\xEC\xE8\xF0\r\n");
}

// The codes are the system's: ERROR_ACCESS_DENIED (5), ERROR_SHARING_VIOLATION (32) and
// ERROR_PATH_NOT_FOUND (3). Wine gives the same, except that run by root it lets a read-only file
// be written and replaced, so that row is skipped there.
INSTANTIATE_TEST_SUITE_P(
    Windows, WindowsFileFaults,
    testing::Values(
        // name, fault, file, save failure, load failure, loaded
        WindowsFault{"ReadOnlyAttribute", Fault::readOnlyAttribute, "library.txt",
                     "File access denied", "", Lines{u"old", u"lines"}},
        WindowsFault{"HeldOpenWithoutSharing", Fault::heldOpenWithoutSharing, "library.txt",
                     "I/O error 32", "I/O error 32", Lines{}},
        // A missing file is no error to load.
        WindowsFault{"MissingFolder", Fault::missingFolder, "missing\\library.txt",
                     "I/O error 3", "", Lines{}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvell
