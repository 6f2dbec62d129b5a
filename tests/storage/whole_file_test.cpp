// A file written whole or not at all: whichever step fails, the old file stays as it was,
// nothing is left beside it and no handle stays open; once the fault is gone, the next write
// goes through.
#include "storage/whole_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_error.h"
#include "tests/storage/failing_file_system.h"
#include "tests/storage/temp_folder.h"

namespace orvell {
namespace {

using testing_support::FailingFileSystem;
using Operation = FailingFileSystem::Operation;

constexpr const char* kFile = "data.txt";
constexpr const char* kOldFile = "old\r\nlines\r\n";
constexpr std::array<std::string_view, 2> kNewPieces{"new\r\n", "lines\r\n"};

class WholeFile : public testing_support::InTempFolder {
  protected:
    void SetUp() override {
        InTempFolder::SetUp();
        writeBytes(kFile, kOldFile);
    }

    static void expectOldFileAlone(FailingFileSystem& fs) {
        EXPECT_EQ(readBytes(kFile), kOldFile);
        EXPECT_EQ(folderContent(), std::vector<std::string>{kFile});
        EXPECT_EQ(fs.openHandles(), 0U);
    }
};

struct WriteFault {
    const char* name;
    Operation operation;
    int err;
    std::string text;

    friend void PrintTo(const WriteFault& c, std::ostream* os) { *os << c.name; }
};

class WriteFaults : public WholeFile, public testing::WithParamInterface<WriteFault> {};

TEST_P(WriteFaults, LeaveTheOldFileWholeAndNoTemporaryFile) {
    FailingFileSystem fs;
    fs.failOn(GetParam().operation, GetParam().err);
    EXPECT_THAT([&] { writeAtomically(fs, kFile, kNewPieces); },
                testing::ThrowsMessage<FileError>(testing::StrEq(GetParam().text)));
    expectOldFileAlone(fs);

    fs.succeedAgain();
    writeAtomically(fs, kFile, kNewPieces);
    EXPECT_EQ(readBytes(kFile), "new\r\nlines\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Write, WriteFaults,
    testing::Values(WriteFault{"ReadOnlyFile", Operation::checkWritable, EACCES,
                               "File access denied"},
                    WriteFault{"ReadOnlyFolder", Operation::create, EROFS, "File access denied"},
                    WriteFault{"NoHandle", Operation::create, EMFILE, "Too many open files"},
                    WriteFault{"DiskFull", Operation::write, ENOSPC, "I/O error 28"},
                    WriteFault{"FlushFails", Operation::flushToDisk, EIO, "I/O error 5"},
                    WriteFault{"CloseFails", Operation::close, EIO, "I/O error 5"},
                    WriteFault{"ReplaceFails", Operation::replace, EBUSY, "I/O error 16"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(WholeFile, FullDeviceFailsTheWriteAndKeepsTheOldFile) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    FailingFileSystem fs;
    // The new file goes to a device that is always full: the system's own write fails.
    std::filesystem::create_symlink("/dev/full", "data.txt.tmp");
    EXPECT_THAT([&] { writeAtomically(fs, kFile, kNewPieces); },
                testing::ThrowsMessage<FileError>(testing::StrEq("I/O error 28")));
    expectOldFileAlone(fs);

    writeAtomically(fs, kFile, kNewPieces);
    EXPECT_EQ(readBytes(kFile), "new\r\nlines\r\n");
}

}  // namespace
}  // namespace orvell
