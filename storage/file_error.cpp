#include "storage/file_error.h"

#include <cerrno>

namespace orvell {

namespace {

const char* const kAccessDenied = "File access denied";
const char* const kTooManyOpenFiles = "Too many open files";

FileError ioError(std::uint64_t number) {
    return FileError("I/O error " + std::to_string(number));
}

}  // namespace

FileError FileError::fromErrno(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
        case EROFS:
        // Opening a folder as a file is denied access on Windows; say the same here.
        case EISDIR:
            return FileError(kAccessDenied);
        case EMFILE:
        case ENFILE:
            return FileError(kTooManyOpenFiles);
        default:
            return ioError(static_cast<std::uint64_t>(err));
    }
}

FileError FileError::fromWindowsError(std::uint32_t code) {
    // The codes of winerror.h, named here so that every platform can test the mapping.
    constexpr std::uint32_t kErrorTooManyOpenFiles = 4;
    constexpr std::uint32_t kErrorAccessDenied = 5;
    constexpr std::uint32_t kErrorWriteProtect = 19;
    switch (code) {
        case kErrorAccessDenied:  // also a read-only file, or a folder opened as a file
        case kErrorWriteProtect:
            return FileError(kAccessDenied);
        case kErrorTooManyOpenFiles:
            return FileError(kTooManyOpenFiles);
        default:  // a sharing violation (32), a full disk (112), a missing path (3) ...
            return ioError(code);
    }
}

}  // namespace orvell
