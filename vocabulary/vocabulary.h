#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/display_entry.h"
#include "vocabulary/file_system.h"
#include "vocabulary/root_set.h"

namespace orvell {

// The learning vocabulary (`larr`): the roots met so far, in the order met, persisted one per
// line in the ANSI code page.
class Vocabulary {
  public:
    static constexpr const char* kFileName = "library.txt";

    explicit Vocabulary(FileSystem& fs = systemFileSystem()) : fs_(&fs) {}

    const std::vector<std::u16string>& larr() const { return larr_; }

    // The learning factor for an entry: 2 when its root was new (and has now been appended),
    // 1 when known.
    int lookup(const DisplayEntry& e);

    // Both throw FileError; the file is always closed. A missing file is not an error to load.
    // A save replaces the file only once the new one is complete. After a load that failed
    // part-way, saves keep the lines the load did not reach.
    void LoadLib(const std::filesystem::path& file = kFileName);
    void SaveLib(const std::filesystem::path& file = kFileName);

  private:
    // The file's lines from `from` on, which a failed load did not reach; `lines` is filled by
    // the first save that manages to read them.
    struct UnreadLines {
        std::size_t from;
        std::optional<std::vector<std::u16string>> lines;
    };

    void append(std::u16string entry);
    void replaceAll(std::vector<std::u16string> entries);
    const std::vector<std::u16string>& unreadLines(const std::filesystem::path& file);

    FileSystem* fs_;
    std::vector<std::u16string> larr_;
    // clean() of every entry, and the entries themselves: a root matches an entry when it
    // equals either form.
    RootSet known_;
    std::optional<UnreadLines> unread_;
};

}  // namespace orvell
