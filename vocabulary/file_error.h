#pragma once

#include <stdexcept>
#include <string>

namespace orvell {

// A failed operation on the vocabulary file. what() is the text the user sees (without the
// full stop the message box adds): "File access denied", "Too many open files" or
// "I/O error N".
class FileError : public std::runtime_error {
  public:
    explicit FileError(const std::string& what) : std::runtime_error(what) {}

    // The user-facing error for an operating-system error number.
    static FileError fromErrno(int err);
};

}  // namespace orvell
