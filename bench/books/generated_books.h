#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvell::bench {

// Generated books of about 5 MB each, written into a temporary folder of this run: a
// windows-1251 text, a windows-1251 FB2 book and an EPUB book whose 5 MB of XHTML lie in 50
// spine documents. Each is written on its first call.
const std::string& textBook();
const std::string& fb2Book();
const std::string& epubBook();
// The EPUB book written as HTML-style tag soup.
const std::string& epubTagSoupBook();

// Removes the folder and the books in it.
void removeGeneratedBooks();

double median(std::vector<double> samples);

}  // namespace orvell::bench
