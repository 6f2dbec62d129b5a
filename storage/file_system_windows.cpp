// The operating system's file operations for Windows; the other systems use
// file_system_posix.cpp.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "storage/file_error.h"
#include "storage/file_system.h"

namespace orvell {

namespace {

[[noreturn]] void fail() { throw FileError::fromWindowsError(GetLastError()); }

HANDLE handleOf(FileSystem::Handle h) {
    return reinterpret_cast<HANDLE>(h);  // NOLINT(performance-no-int-to-ptr)
}

FileSystem::Handle checked(HANDLE h) {
    if (h == INVALID_HANDLE_VALUE) fail();
    return reinterpret_cast<FileSystem::Handle>(h);
}

bool isFolder(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// ReadFile and WriteFile take at most a DWORD of bytes at a time.
DWORD chunkOf(std::size_t bytes) {
    return static_cast<DWORD>(std::min<std::size_t>(bytes, std::numeric_limits<DWORD>::max()));
}

class WindowsFileSystem final : public FileSystem {
  public:
    std::optional<Handle> openForReading(const std::filesystem::path& file) override {
        if (isFolder(file)) return std::nullopt;
        // Other programs may read the file meanwhile, but not write it.
        const HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && isMissing(GetLastError())) return std::nullopt;
        return checked(h);
    }

    void checkWritable(const std::filesystem::path& file) override {
        const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) return;
            fail();
        }
        CloseHandle(h);
    }

    Handle create(const std::filesystem::path& file) override {
        return checked(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    std::size_t read(Handle h, std::span<char> buffer) override {
        DWORD got = 0;
        if (!ReadFile(handleOf(h), buffer.data(), chunkOf(buffer.size()), &got, nullptr)) fail();
        return got;
    }

    void write(Handle h, std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD put = 0;
            if (!WriteFile(handleOf(h), bytes.data(), chunkOf(bytes.size()), &put, nullptr))
                fail();
            bytes.remove_prefix(put);
        }
    }

    void flushToDisk(Handle h) override {
        if (!FlushFileBuffers(handleOf(h))) fail();
    }

    void close(Handle h) override {
        if (!CloseHandle(handleOf(h))) fail();
    }

    // The write-through flag returns only once the move is on the disk, as the folder's sync
    // does elsewhere.
    void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (!MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail();
    }

    void remove(const std::filesystem::path& file) noexcept override {
        DeleteFileW(file.c_str());
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static WindowsFileSystem system;
    return system;
}

}  // namespace orvell
