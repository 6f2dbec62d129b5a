#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_entry.h"
#include "storage/background_writer.h"
#include "storage/file_error.h"
#include "storage/file_system.h"
#include "vocabulary/ansi_code_page.h"
#include "vocabulary/entry_log.h"
#include "vocabulary/root_set.h"

namespace orvell {

// The learning vocabulary (`larr`): the roots met so far, in the order met, persisted one per
// line in the ANSI code page.
//
// Saving during a reading must not hold up the thread that reads, whatever the size of the
// vocabulary. Each entry is therefore encoded once, when it is added, into a log of the file's
// bytes whose blocks never move (EntryLog), and a save in the background takes as its snapshot
// no more than the log's length: a few pointers, whatever the size. One writer thread writes
// the snapshot to a new file, flushes it to the disk and only then renames it over the old
// one, so that library.txt is at every moment, a crash or a kill included, either the old file
// whole or the new one whole. The writer runs one save at a time in order, and a snapshot taken
// later holds every entry an earlier one held: a later save can neither be overtaken by an
// earlier one nor write less.
//
// Loading a large file at start may likewise go to the writer's thread, which builds the whole
// vocabulary apart and hands it over in one move. Whatever needs the vocabulary (a lookup, a
// save, the list itself) first waits for that, so that it sees the whole file: a root the file
// holds never counts as new, and a vocabulary being loaded is never saved half-read.
class Vocabulary {
  public:
    static constexpr const char* kFileName = "library.txt";

    explicit Vocabulary(FileSystem& fs = systemFileSystem())
        : fs_(&fs), codePage_(std::make_unique<AnsiCodePage>()) {}
    // A move takes the log's blocks and the writer along, so a save in flight goes on. There is
    // one writer per vocabulary, so no copy; and assigning over one would drop its pending saves.
    Vocabulary(Vocabulary&&) = default;
    Vocabulary& operator=(Vocabulary&&) = delete;
    Vocabulary(const Vocabulary&) = delete;
    Vocabulary& operator=(const Vocabulary&) = delete;
    ~Vocabulary() = default;

    const std::vector<std::u16string>& larr() {
        takeOverLoad();
        return larr_;
    }

    // The learning factor for an entry: 2 when its root was new (and has now been appended),
    // 1 when known.
    int lookup(const DisplayEntry& e);

    // Both throw FileError; the file is always closed. A missing file is not an error to load.
    // Both first wait for the background saves. A save replaces the file only once the new one
    // is complete, and writes every entry. After a load that failed part-way, saves keep the
    // lines the load did not reach.
    void LoadLib(const std::filesystem::path& file = kFileName);
    void SaveLib(const std::filesystem::path& file = kFileName);

    // Both return at once, and if the load or save fails, `onFailure` gets the error, on the
    // writer's thread. The load replaces the list as LoadLib does; the save writes the entries
    // so far.
    using FailureHandler = std::function<void(const FileError&)>;
    void loadInBackground(FailureHandler onFailure, const std::filesystem::path& file = kFileName);
    void saveInBackground(FailureHandler onFailure, const std::filesystem::path& file = kFileName);
    // Returns once the background saves handed over so far have ended.
    void waitForSaves() {
        if (writer_) writer_->waitUntilIdle();
    }

  private:
    // The file's lines from entry `from` on, which a failed load did not reach: the saves put
    // them back after the loaded part, at byte `fromByte` of the log. `bytes` is filled by the
    // first save that manages to read them.
    struct UnreadLines {
        std::size_t from = 0;
        std::size_t fromByte = 0;
        std::optional<std::string> bytes;
    };
    // What one save writes: the log's bytes up to the moment it was taken, with the unread
    // lines of a failed load put in.
    struct Snapshot {
        std::filesystem::path file;
        std::vector<std::string_view> loaded;
        std::vector<std::string_view> added;
        std::shared_ptr<UnreadLines> unread;
    };

    // What reading the file gave, made ready to take the list's place.
    struct Loaded {
        std::size_t lines = 0;
        std::vector<std::u16string> larr;
        RootSet known;
        EntryLog log;
        std::optional<FileError> failure;
    };

    static Loaded load(FileSystem& fs, const std::filesystem::path& file);
    // The lines replace the list from its start; no file or an empty one leaves it as it was.
    void takeOver(Loaded loaded);
    // Waits for a load in the background, if one was started, and takes its result over.
    void takeOverLoad();
    void append(std::u16string entry);
    Snapshot snapshot(const std::filesystem::path& file) const;
    // On whichever thread runs the save; saves never run at the same time.
    static void write(FileSystem& fs, const Snapshot& snapshot);

    FileSystem* fs_;
    std::vector<std::u16string> larr_;
    // clean() of every entry, and the entries themselves: a root matches an entry when it
    // equals either form.
    RootSet known_;
    // Encodes the appended entries, on the owner's thread only.
    std::unique_ptr<AnsiCodePage> codePage_;
    EntryLog log_;
    std::shared_ptr<UnreadLines> unread_;
    // The result of a load in the background, until it is taken over.
    std::shared_ptr<Loaded> loading_;
    // Started by the first background save. Last, so that its thread has ended before the log
    // it reads goes.
    std::unique_ptr<BackgroundWriter> writer_;
};

}  // namespace orvell
