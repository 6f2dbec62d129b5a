#pragma once

#include <algorithm>
#include <array>
#include <set>

#include "storage/file_error.h"
#include "storage/file_system.h"

namespace orvell::testing_support {

// The system's file operations, except that a chosen one fails with a chosen error number,
// reads can be made short, and open handles are counted.
class FailingFileSystem final : public FileSystem {
  public:
    enum class Operation {
        openForReading,
        checkWritable,
        create,
        read,
        write,
        flushToDisk,
        close,
        replace,
        count
    };

    // The `nth` call of `operation` from now on, and every later one, fail with `err`.
    void failOn(Operation operation, int err, int nth = 1) {
        calls_[static_cast<std::size_t>(operation)] = 0;
        failing_ = operation;
        err_ = err;
        failFrom_ = nth;
    }
    void succeedAgain() { failing_ = Operation::count; }
    void limitReadsTo(std::size_t bytes) { readLimit_ = bytes; }
    std::size_t openHandles() const { return open_.size(); }

    std::optional<Handle> openForReading(const std::filesystem::path& file) override {
        step(Operation::openForReading);
        const std::optional<Handle> h = system_.openForReading(file);
        if (h) open_.insert(*h);
        return h;
    }
    void checkWritable(const std::filesystem::path& file) override {
        step(Operation::checkWritable);
        system_.checkWritable(file);
    }
    Handle create(const std::filesystem::path& file) override {
        step(Operation::create);
        const Handle h = system_.create(file);
        open_.insert(h);
        return h;
    }
    std::size_t read(Handle h, std::span<char> buffer) override {
        step(Operation::read);
        return system_.read(h, buffer.first(std::min(buffer.size(), readLimit_)));
    }
    void write(Handle h, std::string_view bytes) override {
        step(Operation::write);
        system_.write(h, bytes);
    }
    void flushToDisk(Handle h) override {
        step(Operation::flushToDisk);
        system_.flushToDisk(h);
    }
    void close(Handle h) override {
        // A failing close still releases the handle, as POSIX close does.
        open_.erase(h);
        system_.close(h);
        step(Operation::close);
    }
    void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        step(Operation::replace);
        system_.replace(from, to);
    }
    void remove(const std::filesystem::path& file) noexcept override { system_.remove(file); }

  private:
    void step(Operation operation) {
        const int call = ++calls_[static_cast<std::size_t>(operation)];
        if (operation == failing_ && call >= failFrom_) throw FileError::fromErrno(err_);
    }

    FileSystem& system_ = systemFileSystem();
    Operation failing_ = Operation::count;
    int err_ = 0;
    int failFrom_ = 1;
    std::size_t readLimit_ = static_cast<std::size_t>(-1);
    std::array<int, static_cast<std::size_t>(Operation::count)> calls_{};
    std::set<Handle> open_;
};

}  // namespace orvell::testing_support
