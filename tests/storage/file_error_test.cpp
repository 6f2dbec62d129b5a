// The texts a user sees for each failure of a file operation, from the codes of either system.
#include "storage/file_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>

namespace orvell {
namespace {

// POSIX error numbers and Windows codes (as GetLastError gives them) alike, mapped on every
// platform.
struct ErrorText {
    const char* name;
    FileError error;
    std::string text;

    friend void PrintTo(const ErrorText& c, std::ostream* os) { *os << c.name; }
};

class ErrorTexts : public testing::TestWithParam<ErrorText> {};

TEST_P(ErrorTexts, NameTheFailureAsTheUserSeesIt) {
    EXPECT_EQ(std::string(GetParam().error.what()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    FileError, ErrorTexts,
    testing::Values(
        ErrorText{"AccessDenied", FileError::fromErrno(EACCES), "File access denied"},
        ErrorText{"NotPermitted", FileError::fromErrno(EPERM), "File access denied"},
        ErrorText{"ReadOnlyFileSystem", FileError::fromErrno(EROFS), "File access denied"},
        ErrorText{"Folder", FileError::fromErrno(EISDIR), "File access denied"},
        ErrorText{"ProcessOutOfHandles", FileError::fromErrno(EMFILE), "Too many open files"},
        ErrorText{"SystemOutOfHandles", FileError::fromErrno(ENFILE), "Too many open files"},
        ErrorText{"DiskFull", FileError::fromErrno(ENOSPC), "I/O error 28"},
        ErrorText{"InputOutput", FileError::fromErrno(EIO), "I/O error 5"},
        ErrorText{"WindowsAccessDenied", FileError::fromWindowsError(5), "File access denied"},
        ErrorText{"WindowsWriteProtected", FileError::fromWindowsError(19), "File access denied"},
        ErrorText{"WindowsOutOfHandles", FileError::fromWindowsError(4), "Too many open files"},
        ErrorText{"WindowsSharingViolation", FileError::fromWindowsError(32), "I/O error 32"},
        ErrorText{"WindowsDiskFull", FileError::fromWindowsError(112), "I/O error 112"},
        ErrorText{"WindowsPathNotFound", FileError::fromWindowsError(3), "I/O error 3"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvell
