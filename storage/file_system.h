#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace orvell {

// The few file operations the program's files need, each throwing FileError with the
// operating system's error number when it fails. The program uses the system's; tests put
// in one that fails a chosen operation.
class FileSystem {
  public:
    // A file descriptor, or a Windows HANDLE.
    using Handle = std::intptr_t;

    virtual ~FileSystem() = default;

    // Nothing when there is no such file; a folder of that name counts as none.
    virtual std::optional<Handle> openForReading(const std::filesystem::path& file) = 0;
    // Fails when an existing file may not be written, as a read-only file; a missing one passes.
    virtual void checkWritable(const std::filesystem::path& file) = 0;
    // Creates the file or truncates it.
    virtual Handle create(const std::filesystem::path& file) = 0;
    // The number of bytes read, 0 at the end of the file.
    virtual std::size_t read(Handle h, std::span<char> buffer) = 0;
    virtual void write(Handle h, std::string_view bytes) = 0;
    // Returns once the written bytes are on the disk.
    virtual void flushToDisk(Handle h) = 0;
    virtual void close(Handle h) = 0;
    // Puts `from` in place of `to` in one step: a reader sees either the old or the new file.
    virtual void replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Best effort, for clearing up after a failure.
    virtual void remove(const std::filesystem::path& file) noexcept = 0;

  protected:
    // Copied or moved only as the object it is, never through this interface.
    FileSystem() = default;
    FileSystem(const FileSystem&) = default;
    FileSystem(FileSystem&&) = default;
    FileSystem& operator=(const FileSystem&) = default;
    FileSystem& operator=(FileSystem&&) = default;
};

FileSystem& systemFileSystem();

}  // namespace orvell
