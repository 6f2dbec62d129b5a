#include "books/fb2_entries.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "books/book_failure.h"
#include "books/charset.h"
#include "books/fb2_book.h"
#include "books/zip_archive.h"

namespace orvell::books {

namespace {

// The title comes early in the description, which comes first.
constexpr std::size_t kTitleBytes = std::size_t{64} * 1024;

std::u16string entryFileName(std::string_view entry) {
    return toUtf16(entry.substr(entry.rfind('/') + 1), "UTF-8");
}

std::u16string titleOf(ZipArchive& zip, const std::string& entry, int maxDepth) {
    try {
        const std::optional<std::string> start = zip.read(entry, kTitleBytes);
        std::u16string title = start ? fb2Title(*start, maxDepth) : std::u16string();
        if (!title.empty()) return title;
    } catch (const BookFailure&) {
        return entryFileName(entry);  // damaged or locked
    }
    return entryFileName(entry);
}

}  // namespace

std::vector<ArchivedBook> titledFb2Entries(ZipArchive& zip, int maxDepth) {
    std::vector<ArchivedBook> books;
    for (std::string& entry : zip.namesEndingWith(".fb2")) {
        std::u16string title = titleOf(zip, entry, maxDepth);
        books.push_back({std::move(entry), std::move(title)});
    }
    return books;
}

}  // namespace orvell::books
