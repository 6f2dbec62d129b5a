#pragma once

// Where the reader left each book: the entry a reading had reached, kept across runs in a
// small text file, so that the next reading of the book resumes there.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvell {

struct ReadingPlace {
    std::string book;            // bookIdentity of its text
    std::int32_t entries = 0;    // entries of the script the position counts in
    std::int32_t position = 0;   // entry reached; 0 for a book read to its end
    std::int64_t reachedAt = 0;  // seconds since 1970-01-01 UTC

    bool operator==(const ReadingPlace&) const = default;
};

// The places of the books read last, at most kMaxBooks of them; the one reached longest ago
// is forgotten first.
class ReadingPlaces {
  public:
    static constexpr std::size_t kMaxBooks = 300;

    // nullptr when the book has no place.
    const ReadingPlace* find(std::string_view book) const;
    // Replaces the book's place and makes it the most recent. A place outside its script
    // (no entries, a position not in 0 .. entries - 1) is not kept.
    void remember(ReadingPlace place);
    void forget(std::string_view book);
    std::size_t size() const { return places_.size(); }

    // A version line, then one line per book: identity, entries, position and time, split by
    // tabs, the one reached longest ago first.
    std::string serialise() const;
    // Never fails: a file without the version line, or from a newer version, gives no places,
    // and a line that is not a valid place is skipped, keeping the others.
    static ReadingPlaces parse(std::string_view text);

  private:
    std::vector<ReadingPlace> places_;  // the one reached longest ago first
};

}  // namespace orvell
