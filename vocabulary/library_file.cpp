#include "vocabulary/library_file.h"

#include <algorithm>
#include <string_view>

#include "storage/whole_file.h"

namespace orvell {

namespace {

constexpr char kEndOfFile = 0x1A;

std::vector<std::u16string> splitLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    // With room for a quarter more: a vocabulary grows by the roots of each reading, and moving
    // a million lines at the first of them would hold up the tick that appends it.
    const auto count = static_cast<std::size_t>(std::ranges::count(text, u'\n')) + 1;
    lines.reserve(count + count / 4);
    const auto addLine = [&](std::size_t begin, std::size_t end) {
        std::u16string& line = lines.emplace_back(text, begin, end - begin);
        std::erase(line, u'\r');
    };
    std::size_t begin = 0;
    for (std::size_t end = 0; (end = text.find(u'\n', begin)) != std::u16string::npos;
         begin = end + 1) {
        addLine(begin, end);
    }
    if (begin < text.size()) addLine(begin, text.size());
    return lines;
}

}  // namespace

LibraryLines readLibraryFile(FileSystem& fs, const std::filesystem::path& file) {
    LibraryLines result;
    std::string bytes;
    try {
        // The file ends at its first 0x1A.
        readChunks(fs, file, [&bytes](std::string_view chunk) {
            const std::size_t end = chunk.find(kEndOfFile);
            bytes.append(chunk.substr(0, end));
            return end == std::string_view::npos;
        });
    } catch (const FileError& error) {
        result.failure = error;
        // Only lines whose end was read are known whole.
        const std::size_t lastEnd = bytes.rfind('\n');
        bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    }
    // Every code page maps the bytes LF and CR, and only them, to LF and CR, so the lines can
    // be split after decoding.
    result.lines = splitLines(AnsiCodePage().decode(bytes));
    return result;
}

std::string encodeEntries(AnsiCodePage& codePage, std::span<const std::u16string> entries) {
    std::u16string text;
    for (const std::u16string& entry : entries) {
        text += entry;
        text += u"\r\n";
    }
    // A 0x1A byte would end the file for the next load, with every later entry: written as "?"
    // like a character the code page lacks.
    std::ranges::replace(text, static_cast<char16_t>(kEndOfFile), u'?');
    return codePage.encode(text);
}

}  // namespace orvell
