#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "vocabulary/vocabulary.h"

// What the kill trials need of the system: a process that saves and can be killed, and a watch on
// its temporary file. saving_process_posix.cpp forks and watches with inotify;
// saving_process_windows.cpp runs this program again and watches the folder's changes.
namespace orvell::testing_support {

inline constexpr const char* kTemporaryFile = "library.txt.tmp";

// A process that saves a vocabulary to library.txt in the current folder in the background, as
// the autosave does, and ends.
class SavingProcess {
  public:
    // Starts saving `vocabulary`, which was loaded from `source`: a fork has the vocabulary
    // already, a new run of this program loads it from the source first.
    SavingProcess(Vocabulary& vocabulary, const std::filesystem::path& source);
    // Kills the process and waits for it, unless it was reaped.
    ~SavingProcess();
    SavingProcess(const SavingProcess&) = delete;
    SavingProcess& operator=(const SavingProcess&) = delete;

    // Ends the process at once, wherever it is; nothing when it has ended already.
    void kill();
    // Waits for the process to end; true when it was killed, false when it had finished its save.
    bool reap();

  private:
    std::intptr_t process_ = 0;  // a process id, or a Windows HANDLE
    bool reaped_ = false;
};

// Tells when a save opens the temporary file in the current folder.
class TemporaryFileWatch {
  public:
    TemporaryFileWatch();
    ~TemporaryFileWatch();
    TemporaryFileWatch(const TemporaryFileWatch&) = delete;
    TemporaryFileWatch& operator=(const TemporaryFileWatch&) = delete;

    // Takes the events so far; true when the temporary file was opened among them.
    bool takeEvents();
    // Returns once the temporary file is opened; false when that takes more than a few seconds.
    bool awaitOpening();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orvell::testing_support
