#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct zip;

namespace orvell::books {

// A ZIP archive held in memory, read with libzip. Everything unpacked from it counts against
// one budget, so that a small archive cannot unpack into more than the limit (a ZIP bomb).
// Entries are found by their names in Unicode NFC: a name spelled with a letter and a combining
// mark finds the entry spelled with the composed letter, and the other way round.
class ZipArchive {
  public:
    // Throws BookFailure when the bytes are not a readable ZIP. They must outlive the archive.
    ZipArchive(std::string_view bytes, std::size_t unpackBudget);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const std::string& name) const;
    // The entries whose names end with `suffix`, in any letter case, in the archive's order.
    std::vector<std::string> namesEndingWith(std::string_view suffix) const;
    // The unpacked entry, or its first `most` bytes; nothing when there is none of that name.
    // Throws BookFailure on damaged data and when the budget runs out.
    std::optional<std::string> read(const std::string& name, std::size_t most = SIZE_MAX);

  private:
    std::optional<std::uint64_t> indexOf(const std::string& name) const;

    zip* archive_ = nullptr;
    // The entries whose names are not in NFC, by their names in it: most archives have none.
    std::unordered_map<std::string, std::uint64_t> composedNames_;
    std::size_t budget_;
    std::size_t limit_;
};

}  // namespace orvell::books
