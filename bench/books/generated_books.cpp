// Generated books of 5 MB, and a text of 46 MB: the prose of the engine's benchmark in paragraphs.

#include "bench/books/generated_books.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "bench/engine/generated_text.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"

namespace orvell::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBookBytes = 5'000'000;
constexpr std::size_t kChapters = 50;
constexpr std::size_t kBigBookBytes = 46'000'000;
// About a megabyte of the big book; each part is generated from a seed of its own.
constexpr std::size_t kBigBookPartWords = 100'000;

const fs::path& folder() {
    static const fs::path path = [] {
        auto p = fs::temp_directory_path() / ("orvell-bench-books-" + std::to_string(getpid()));
        fs::create_directories(p);
        return p;
    }();
    return path;
}

// Paragraphs of generated prose, `length` UTF-16 units in all, give or take a paragraph. The
// generated words hold no character that XML would need escaped.
std::vector<std::u16string> paragraphs(std::size_t length) {
    const std::u16string text = generatedText(length / 5);
    std::vector<std::u16string> list;
    std::size_t total = 0;
    for (std::size_t start = 0; start < text.size() && total < length;) {
        const std::size_t end = std::min(text.find(u"\r\n", start), text.size());
        if (end > start) list.push_back(text.substr(start, end - start));
        total += end - start + 2;
        start = end + 2;
    }
    return list;
}

std::string written(const std::string& name, const std::string& bytes) {
    const fs::path file = folder() / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

std::string writeTextBook() {
    std::u16string text;
    for (const std::u16string& p : paragraphs(kBookBytes)) text.append(p).append(u"\r\n");
    return written("book.txt", test::encoded(text, "windows-1251"));
}

std::string writeFb2Book() {
    std::u16string xml =
        uR"(<?xml version="1.0" encoding="windows-1251"?>
<FictionBook xmlns="http://www.gribuser.ru/xml/fictionbook/2.0"><description><title-info>
<book-title>Книга</book-title></title-info></description><body><section>
)";
    for (const std::u16string& p : paragraphs(kBookBytes))
        xml.append(u"<p>").append(p).append(u"</p>\n");
    xml += u"</section></body></FictionBook>\n";
    return written("book.fb2", test::encoded(xml, "windows-1251"));
}

// The chapters of an EPUB book of 5 MB, each paragraph as `paragraph` writes it.
std::vector<std::string> epubChapters(std::string (*paragraph)(const std::string& text)) {
    // Cyrillic takes two bytes in UTF-8, Latin letters and punctuation one.
    const std::vector<std::u16string> list = paragraphs(kBookBytes * 10 / 18);
    std::vector<std::string> chapters(kChapters);
    for (std::size_t i = 0; i < list.size(); ++i) {
        chapters[i * kChapters / list.size()] += paragraph(test::utf8(list[i]));
    }
    return chapters;
}

std::string writeEpubBook() {
    std::vector<std::string> xhtml =
        epubChapters([](const std::string& text) { return "<p>" + text + "</p>\n"; });
    for (std::string& chapter : xhtml) chapter = test::xhtml(chapter);
    return written("book.epub", test::zipOf(test::epubFiles(xhtml)));
}

// The same book as careless converters write it: paragraphs never closed, attributes
// unquoted, HTML's line breaks and entities, and no end to the body.
std::string writeEpubTagSoupBook() {
    std::vector<std::string> soup = epubChapters(
        [](const std::string& text) { return "<P class=text>" + text + "&nbsp;<br>\n"; });
    for (std::string& chapter : soup) {
        chapter.insert(0, "<html><head><title>Глава</title></head><body>\n");
    }
    return written("soup.epub", test::zipOf(test::epubFiles(soup)));
}

std::string writeBigTextBook() {
    const fs::path file = folder() / "big.txt";
    std::ofstream out(file, std::ios::binary);
    std::size_t bytes = 0;
    for (std::uint32_t seed = 1; bytes < kBigBookBytes; ++seed) {
        std::u16string part = generatedText(kBigBookPartWords, seed);
        part.resize(part.rfind(u"\r\n") + 2);  // whole paragraphs
        const std::string utf8 = test::utf8(part);
        out << utf8;
        bytes += utf8.size();
    }
    return file.string();
}

}  // namespace

const std::string& textBook() {
    static const std::string file = writeTextBook();
    return file;
}

const std::string& fb2Book() {
    static const std::string file = writeFb2Book();
    return file;
}

const std::string& epubBook() {
    static const std::string file = writeEpubBook();
    return file;
}

const std::string& epubTagSoupBook() {
    static const std::string file = writeEpubTagSoupBook();
    return file;
}

const std::string& bigTextBook() {
    static const std::string file = writeBigTextBook();
    return file;
}

void removeGeneratedBooks() { fs::remove_all(folder()); }

double median(std::vector<double> samples) {
    std::ranges::sort(samples);
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

}  // namespace orvell::bench
