#pragma once

// A file read through, or written whole, by the file operations of storage/file_system.h: the
// same steps for every file the program keeps, whatever its format.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace orvell {

// Hands the file's bytes to `take` a chunk at a time, in order, until the file ends or `take`
// returns false. No file, or a folder of its name, gives no chunk. Throws FileError, after the
// chunks read before the failure; the file is always closed.
void readChunks(FileSystem& fs, const std::filesystem::path& file,
                const std::function<bool(std::string_view)>& take);

// The whole of a file that is at most `largest` bytes; nothing when it is larger. No file, or a
// folder of its name, reads as empty. Throws FileError.
std::optional<std::string> readSmallFile(FileSystem& fs, const std::filesystem::path& file,
                                         std::size_t largest);

// Writes the pieces in order to a new file beside `file`, flushes it to the disk, then puts it
// in place of `file`, so that a reader, a crash or a kill meets either the old file whole or
// the new one. Throws FileError; on failure `file` is untouched and the new file removed.
void writeAtomically(FileSystem& fs, const std::filesystem::path& file,
                     std::span<const std::string_view> pieces);
// The same for a whole text, making the file's folder first if need be, as the user's data
// folder may not exist yet.
void writeIntoFolder(FileSystem& fs, const std::filesystem::path& file, std::string_view text);

// A path as messages show it: UTF-8, with forward slashes on every system.
std::string shownPath(const std::filesystem::path& file);

// The next line of `text`, without its end (LF or CR LF); `text` moves past it.
std::string_view takeLine(std::string_view& text);

}  // namespace orvell
