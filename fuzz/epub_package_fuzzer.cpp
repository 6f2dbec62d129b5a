// Reads arbitrary bytes as an EPUB book's container file and as its package document.
//
// What holds for any bytes: each is read or refused with a reason. A package path and every
// spine document is a path inside the archive: not empty, relative, never climbing out of it
// with "..", without the fragment of its reference.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "books/book_failure.h"
#include "books/epub_book.h"
#include "fuzz/require.h"

namespace {

constexpr int kMaxDepth = 64;

void requireInsideArchive(const QString& path) {
    ORVELL_REQUIRE(!path.isEmpty());
    ORVELL_REQUIRE(!path.startsWith(u'/'));
    ORVELL_REQUIRE(path != u".." && !path.startsWith(u"../") && !path.contains(u"/../"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = orvell::fuzz::bytesOf(data, size);
    try {
        requireInsideArchive(orvell::books::packagePath(bytes, kMaxDepth));
    } catch (const orvell::books::BookFailure& failure) {
        ORVELL_REQUIRE(!failure.reason().empty());
    }
    try {
        const QString package = QStringLiteral("OEBPS/content.opf");
        for (const orvell::books::SpineDocument& document :
             orvell::books::spineOf(bytes, package, kMaxDepth).documents) {
            requireInsideArchive(document.path);
        }
    } catch (const orvell::books::BookFailure& failure) {
        ORVELL_REQUIRE(!failure.reason().empty());
    }
    return 0;
}
