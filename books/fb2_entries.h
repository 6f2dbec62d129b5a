#pragma once

#include <vector>

#include "books/book_text.h"

namespace orvell::books {

class ZipArchive;

// The FB2 entries of a ZIP in the archive's order, each titled for the reader to choose by. Only
// the start of each is unpacked; one that cannot be read is titled by its file name, and
// opening it tells what is wrong.
std::vector<ArchivedBook> titledFb2Entries(ZipArchive& zip, int maxDepth);

}  // namespace orvell::books
