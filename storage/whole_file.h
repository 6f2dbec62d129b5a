#pragma once

// A file read through, or written whole, by the file operations of storage/file_system.h: the
// same steps for every file the program keeps, whatever its format.

#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

#include "storage/file_system.h"

namespace orvell {

// Hands the file's bytes to `take` a chunk at a time, in order, until the file ends or `take`
// returns false. No file, or a folder of its name, gives no chunk. Throws FileError, after the
// chunks read before the failure; the file is always closed.
void readChunks(FileSystem& fs, const std::filesystem::path& file,
                const std::function<bool(std::string_view)>& take);

// Writes the pieces in order to a new file beside `file`, flushes it to the disk, then puts it
// in place of `file`, so that a reader, a crash or a kill meets either the old file whole or
// the new one. Throws FileError; on failure `file` is untouched and the new file removed.
void writeAtomically(FileSystem& fs, const std::filesystem::path& file,
                     std::span<const std::string_view> pieces);

}  // namespace orvell
