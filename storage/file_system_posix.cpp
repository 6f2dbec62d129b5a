// The operating system's file operations for Linux and macOS; Windows has
// file_system_windows.cpp.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "storage/file_error.h"
#include "storage/file_system.h"

namespace orvell {

namespace {

[[noreturn]] void fail() { throw FileError::fromErrno(errno); }

// Handles are the descriptors that open gave.
int fdOf(FileSystem::Handle h) { return static_cast<int>(h); }

class PosixFileSystem final : public FileSystem {
  public:
    std::optional<Handle> openForReading(const std::filesystem::path& file) override {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
            fail();
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            const int err = errno;
            ::close(fd);
            throw FileError::fromErrno(err);
        }
        if (S_ISDIR(info.st_mode)) {
            ::close(fd);
            return std::nullopt;
        }
        return fd;
    }

    void checkWritable(const std::filesystem::path& file) override {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT) return;
            fail();
        }
        ::close(fd);
    }

    Handle create(const std::filesystem::path& file) override {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) fail();
        return fd;
    }

    std::size_t read(Handle h, std::span<char> buffer) override {
        for (;;) {
            const ssize_t got = ::read(fdOf(h), buffer.data(), buffer.size());
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) fail();
        }
    }

    void write(Handle h, std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t put = ::write(fdOf(h), bytes.data(), bytes.size());
            if (put < 0) {
                if (errno == EINTR) continue;
                fail();
            }
            bytes.remove_prefix(static_cast<std::size_t>(put));
        }
    }

    void flushToDisk(Handle h) override {
        if (::fsync(fdOf(h)) != 0) fail();
    }

    void close(Handle h) override {
        if (::close(fdOf(h)) != 0) fail();
    }

    void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) fail();
        syncFolder(to);
    }

    void remove(const std::filesystem::path& file) noexcept override { ::unlink(file.c_str()); }

  private:
    // Makes the rename itself durable; the new file is complete either way, so a failure here
    // is not worth reporting.
    static void syncFolder(const std::filesystem::path& file) {
        const std::filesystem::path folder =
            file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        ::fsync(fd);
        ::close(fd);
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static PosixFileSystem system;
    return system;
}

}  // namespace orvell
