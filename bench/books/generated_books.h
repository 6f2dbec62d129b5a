#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvell::bench {

// Generated books, written into a temporary folder of this run, each on its first call. Of
// about 5 MB each: a windows-1251 text, a windows-1251 FB2 book and an EPUB book whose 5 MB of
// XHTML lie in 50 spine documents.
const std::string& textBook();
const std::string& fb2Book();
const std::string& epubBook();
// The EPUB book written as HTML-style tag soup.
const std::string& epubTagSoupBook();
// And a huge one: a UTF-8 text of 46 MB, written a part at a time, so that this process never
// holds it whole and its peak memory stays that of what it measures.
const std::string& bigTextBook();

// Removes the folder and the books in it.
void removeGeneratedBooks();

double median(std::vector<double> samples);

}  // namespace orvell::bench
