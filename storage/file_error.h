#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvell {

// A failed operation on one of the program's files. what() is the text the user sees (without
// the full stop the message box adds): "File access denied", "Too many open files" or
// "I/O error N", N being the operating system's error number.
class FileError : public std::runtime_error {
  public:
    explicit FileError(const std::string& what) : std::runtime_error(what) {}

    // The user-facing error for a POSIX error number.
    static FileError fromErrno(int err);
    // The same for a Windows error code, as GetLastError gives it.
    static FileError fromWindowsError(std::uint32_t code);
};

}  // namespace orvell
