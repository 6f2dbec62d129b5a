// The texts a user sees for each failure of a file operation, from the codes of either system.
#include "storage/file_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <ostream>
#include <string>

namespace orvell {
namespace {

struct ErrorText {
    const char* name;
    int err;
    std::string text;

    friend void PrintTo(const ErrorText& c, std::ostream* os) { *os << c.name; }
};

class ErrorTexts : public testing::TestWithParam<ErrorText> {};

TEST_P(ErrorTexts, NameTheFailureAsTheUserSeesIt) {
    EXPECT_EQ(std::string(FileError::fromErrno(GetParam().err).what()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    FileError, ErrorTexts,
    testing::Values(ErrorText{"AccessDenied", EACCES, "File access denied"},
                    ErrorText{"NotPermitted", EPERM, "File access denied"},
                    ErrorText{"ReadOnlyFileSystem", EROFS, "File access denied"},
                    ErrorText{"Folder", EISDIR, "File access denied"},
                    ErrorText{"ProcessOutOfHandles", EMFILE, "Too many open files"},
                    ErrorText{"SystemOutOfHandles", ENFILE, "Too many open files"},
                    ErrorText{"DiskFull", ENOSPC, "I/O error 28"},
                    ErrorText{"InputOutput", EIO, "I/O error 5"}),
    [](const auto& test) { return std::string(test.param.name); });

// The Windows codes, as GetLastError gives them, mapped on every platform.
struct WindowsErrorText {
    const char* name;
    std::uint32_t code;
    std::string text;

    friend void PrintTo(const WindowsErrorText& c, std::ostream* os) { *os << c.name; }
};

class WindowsErrorTexts : public testing::TestWithParam<WindowsErrorText> {};

TEST_P(WindowsErrorTexts, NameTheFailureAsTheUserSeesIt) {
    EXPECT_EQ(std::string(FileError::fromWindowsError(GetParam().code).what()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    FileError, WindowsErrorTexts,
    testing::Values(WindowsErrorText{"AccessDenied", 5, "File access denied"},
                    WindowsErrorText{"WriteProtected", 19, "File access denied"},
                    WindowsErrorText{"OutOfHandles", 4, "Too many open files"},
                    WindowsErrorText{"SharingViolation", 32, "I/O error 32"},
                    WindowsErrorText{"DiskFull", 112, "I/O error 112"},
                    WindowsErrorText{"PathNotFound", 3, "I/O error 3"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvell
