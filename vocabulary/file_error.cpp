#include "vocabulary/file_error.h"

#include <cerrno>

namespace orvell {

FileError FileError::fromErrno(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
        case EROFS:
        // Opening a folder as a file is denied access on Windows; say the same here.
        case EISDIR:
            return FileError("File access denied");
        case EMFILE:
        case ENFILE:
            return FileError("Too many open files");
        default:
            return FileError("I/O error " + std::to_string(err));
    }
}

}  // namespace orvell
