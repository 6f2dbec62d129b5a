#include "storage/whole_file.h"

#include <array>
#include <optional>

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

}  // namespace orvell
