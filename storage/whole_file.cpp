#include "storage/whole_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <system_error>

#include "storage/file_error.h"

namespace orvell {

namespace {

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

}  // namespace

void readChunks(FileSystem& fs, const std::filesystem::path& file,
                const std::function<bool(std::string_view)>& take) {
    const std::optional<FileSystem::Handle> handle = fs.openForReading(file);
    if (!handle) return;
    OpenFile open(fs, *handle);
    std::array<char, 1 << 16> chunk{};
    for (;;) {
        const std::string_view got(chunk.data(), fs.read(open.handle(), chunk));
        if (got.empty() || !take(got)) break;
    }
    open.close();
}

void writeAtomically(FileSystem& fs, const std::filesystem::path& file,
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

std::optional<std::string> readSmallFile(FileSystem& fs, const std::filesystem::path& file,
                                         std::size_t largest) {
    std::string bytes;
    bool tooLarge = false;
    readChunks(fs, file, [&](std::string_view chunk) {
        tooLarge = bytes.size() + chunk.size() > largest;
        if (!tooLarge) bytes.append(chunk);
        return !tooLarge;
    });
    if (tooLarge) return std::nullopt;
    return bytes;
}

void writeIntoFolder(FileSystem& fs, const std::filesystem::path& file, std::string_view text) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) throw FileError("cannot create the folder");
    const std::array pieces{text};
    writeAtomically(fs, file, pieces);
}

std::string shownPath(const std::filesystem::path& file) {
    const std::u8string text = file.generic_u8string();
    return {text.begin(), text.end()};
}

std::string_view takeLine(std::string_view& text) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace orvell
