// The kill trials' process and watch on Linux: a fork of the test, and inotify.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>
#include <span>
#include <string_view>

#include "tests/vocabulary/saving_process.h"

namespace orvell::testing_support {

// The child's exit status is 0 when the save went through.
SavingProcess::SavingProcess(Vocabulary& vocabulary, const std::filesystem::path& /*source*/)
    : process_(fork()) {
    if (process_ == 0) {
        int status = 0;
        vocabulary.saveInBackground([&](const FileError&) { status = 1; });
        vocabulary.waitForSaves();
        // Leaves at once: the parent's exit handlers and sanitizer reports are the parent's.
        _exit(status);
    }
}

SavingProcess::~SavingProcess() {
    if (reaped_) return;
    kill();
    reap();
}

void SavingProcess::kill() { ::kill(static_cast<pid_t>(process_), SIGKILL); }

bool SavingProcess::reap() {
    reaped_ = true;
    const auto child = static_cast<pid_t>(process_);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status)) {
        EXPECT_EQ(WTERMSIG(status), SIGKILL);
        return true;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save failed";
    return false;
}

// Polling for the file instead would take the processor from the save and slow it down.
struct TemporaryFileWatch::State {
    int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
};

TemporaryFileWatch::TemporaryFileWatch() : state_(std::make_unique<State>()) {
    EXPECT_GE(inotify_add_watch(state_->fd, ".", IN_OPEN), 0);
}

TemporaryFileWatch::~TemporaryFileWatch() { close(state_->fd); }

bool TemporaryFileWatch::takeEvents() {
    bool opened = false;
    std::array<char, 4096> events{};
    for (ssize_t got = 0; (got = read(state_->fd, events.data(), events.size())) > 0;) {
        // Each event is its header, then `len` bytes of name padded with zeros.
        std::span<const char> rest(events.data(), static_cast<std::size_t>(got));
        while (!rest.empty()) {
            inotify_event event{};
            std::memcpy(&event, rest.data(), sizeof event);
            const std::span<const char> name = rest.subspan(sizeof event, event.len);
            opened |= !name.empty() && std::string_view(name.data()) == kTemporaryFile;
            rest = rest.subspan(sizeof event + event.len);
        }
    }
    return opened;
}

bool TemporaryFileWatch::awaitOpening() {
    pollfd ready{state_->fd, POLLIN, 0};
    while (poll(&ready, 1, 5'000) > 0) {
        if (takeEvents()) return true;
    }
    return false;
}

}  // namespace orvell::testing_support
