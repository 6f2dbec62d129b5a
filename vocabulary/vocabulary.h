#pragma once

#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

#include "display_entry.h"

namespace orvell {

// The learning vocabulary (`larr`): the roots met so far, in the order met, persisted one per
// line in the ANSI code page.
class Vocabulary {
public:
    static constexpr const char* kFileName = "library.txt";

    const std::vector<std::u16string>& larr() const { return larr_; }

    // The learning factor for an entry: 2 when its root was new (and has now been appended),
    // 1 when known.
    int lookup(const DisplayEntry& e);

    // Both throw FileError; the file is always closed. A missing file is not an error to load.
    void LoadLib(const std::filesystem::path& file = kFileName);
    void SaveLib(const std::filesystem::path& file = kFileName);

private:
    std::vector<std::u16string> larr_;
    std::unordered_set<std::u16string> cleaned_;
};

}  // namespace orvell
