#include "vocabulary/library_file.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orvell {

namespace {

constexpr char kEndOfFile = 0x1A;

// Closes the file when the scope ends early; close() closes it checking the result.
class OpenFile {
  public:
    OpenFile(FileSystem& fs, FileSystem::Handle h) : fs_(fs), handle_(h) {}
    ~OpenFile() {
        if (!open_) return;
        try {
            fs_.close(handle_);
        } catch (const FileError&) {  // NOLINT(bugprone-empty-catch)
            // Already failing; the first error is the one to report.
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    FileSystem::Handle handle() const { return handle_; }
    void close() {
        open_ = false;
        fs_.close(handle_);
    }

  private:
    FileSystem& fs_;
    FileSystem::Handle handle_;
    bool open_ = true;
};

// Appends the file's bytes up to its end or its first 0x1A.
void readUntilEnd(FileSystem& fs, FileSystem::Handle h, std::string& bytes) {
    std::array<char, 1 << 16> chunk{};
    for (;;) {
        const std::string_view got(chunk.data(), fs.read(h, chunk));
        if (got.empty()) return;
        const std::size_t end = got.find(kEndOfFile);
        bytes.append(got.substr(0, end));
        if (end != std::string_view::npos) return;
    }
}

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
        const std::optional<FileSystem::Handle> handle = fs.openForReading(file);
        if (!handle) return result;
        OpenFile open(fs, *handle);
        readUntilEnd(fs, open.handle(), bytes);
        open.close();
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

void writeLibraryFile(FileSystem& fs, const std::filesystem::path& file,
                      std::span<const std::string_view> pieces) {
    fs.checkWritable(file);
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    try {
        OpenFile open(fs, fs.create(temporary));
        for (std::string_view piece : pieces) fs.write(open.handle(), piece);
        fs.flushToDisk(open.handle());
        open.close();
        fs.replace(temporary, file);
    } catch (const FileError&) {
        fs.remove(temporary);
        throw;
    }
}

}  // namespace orvell
