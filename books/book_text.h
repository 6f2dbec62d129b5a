#pragma once

// Opening a book file: plain text, FB2 (also zipped) or EPUB, turned into the text that the
// reader cuts into words. Lines end with a line feed, as in the window's text box.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvell::books {

// A chapter of the book: where it starts in `text` (a UTF-16 offset, at the start of a line) and
// its title, one line.
struct Chapter {
    std::int32_t position = 0;
    std::u16string title;
};

// The text of a book, or why it could not be read.
struct BookText {
    std::u16string text;    // what to read; lines end with LF
    std::u16string reason;  // Russian, for a message box; empty when the book was read
    // When the book was read but not all of it as written: for each damaged part a Russian
    // line that names it, says how much of the book it is and what became of it.
    std::vector<std::u16string> damage;
    std::vector<Chapter> chapters;  // ascending positions; empty for a plain text (one chapter)

    bool ok() const { return reason.empty(); }
};

// Bounds that keep a hostile file from taking the memory or the stack.
struct DecodeLimits {
    std::size_t maxBytes = std::size_t{256} << 20;  // largest file, and most unpacked from a ZIP
    int maxDepth = 256;                             // deepest nesting of XML elements
};

// Reads and decodes the file; the format comes from its name and its first bytes.
BookText openBook(const std::filesystem::path& file, const DecodeLimits& limits = {});

// The same for bytes already read; `fileName` gives the format as a file name would.
BookText decodeBook(std::string_view bytes, std::string_view fileName,
                    const DecodeLimits& limits = {});

// An FB2 book inside a ZIP that holds several: the entry it is, and the title to show for it.
struct ArchivedBook {
    std::string entry;     // the entry's name in the archive, UTF-8
    std::u16string title;  // its <book-title>, else the entry's file name
};

// The FB2 books of a ZIP's bytes, in the archive's order; none for a file of another kind, an
// EPUB, or one that cannot be read (decodeBook tells why). decodeBook opens the first.
std::vector<ArchivedBook> archivedFb2Books(std::string_view bytes, std::string_view fileName,
                                           const DecodeLimits& limits = {});

// As decodeBook, for the FB2 book of the ZIP's entry `entry`.
BookText decodeArchivedBook(std::string_view bytes, const std::string& entry,
                            const DecodeLimits& limits = {});

// Which of the FB2 books of a ZIP that holds several to open, by its index; nothing cancels.
using BookChoice = std::function<std::optional<std::size_t>(const std::vector<ArchivedBook>&)>;

// As openBook, the file read once; of a ZIP with several FB2 books, the one `choose` picks.
// Nothing when the choice is cancelled.
std::optional<BookText> openChosenBook(const std::filesystem::path& file, const BookChoice& choose,
                                       const DecodeLimits& limits = {});

// The message box text for a book that could not be opened: the file's name and the reason.
std::u16string failureMessage(std::u16string_view fileName, std::u16string_view reason);

// The message for a book that opened with damaged parts: the file's name and its damage.
std::u16string damageMessage(std::u16string_view fileName,
                             const std::vector<std::u16string>& damage);

}  // namespace orvell::books
