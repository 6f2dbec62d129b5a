#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "storage/file_error.h"
#include "storage/file_system.h"
#include "vocabulary/ansi_code_page.h"

namespace orvell {

// What reading the vocabulary file gave; no lines when there is no file.
struct LibraryLines {
    // Every line, or, after a failure, the lines completed before it.
    std::vector<std::u16string> lines;
    std::optional<FileError> failure;
};

// Reads the file one entry per line: LF or CR LF ends a line, a lone CR is dropped, the last
// line needs no end, a byte 0x1A ends the file. The file is always closed.
LibraryLines readLibraryFile(FileSystem& fs, const std::filesystem::path& file);

// The entries as the file holds them: each in the code page, followed by CR LF.
std::string encodeEntries(AnsiCodePage& codePage, std::span<const std::u16string> entries);

}  // namespace orvell
