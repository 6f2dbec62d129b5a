// Decoding generated books of 5 MB, from the file to the text to read: a windows-1251 text, a
// windows-1251 FB2 book and an EPUB book whose 5 MB of XHTML lie in 50 spine documents.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/engine/generated_text.h"
#include "bench/summary.h"
#include "books/book_text.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"

namespace orvell::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBookBytes = 5'000'000;
constexpr std::size_t kChapters = 50;

using Clock = std::chrono::steady_clock;

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

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

std::string textBook() {
    std::u16string text;
    for (const std::u16string& p : paragraphs(kBookBytes)) text.append(p).append(u"\r\n");
    return written("book.txt", test::encoded(text, "windows-1251"));
}

std::string fb2Book() {
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

std::string epubBook() {
    // Cyrillic takes two bytes in UTF-8, Latin letters and punctuation one.
    const std::vector<std::u16string> list = paragraphs(kBookBytes * 10 / 18);
    std::vector<std::string> chapters(kChapters);
    for (std::size_t i = 0; i < list.size(); ++i) {
        chapters[i * kChapters / list.size()] += "<p>" + test::utf8(list[i]) + "</p>\n";
    }
    for (std::string& chapter : chapters) chapter = test::xhtml(chapter);
    return written("book.epub", test::zipOf(test::epubFiles(chapters)));
}

std::vector<double> txtMs, fb2Ms, epubMs;

void measure(benchmark::State& state, const std::string& file, std::vector<double>& ms) {
    std::size_t length = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const books::BookText book = books::openBook(file);
        const std::chrono::duration<double> took = Clock::now() - start;
        if (!book.ok()) state.SkipWithError("the book was refused");
        length = book.text.size();
        state.SetIterationTime(took.count());
        ms.push_back(took.count() * 1e3);
    }
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(file));
    state.counters["text_units"] = static_cast<double>(length);
}

void BM_OpenText(benchmark::State& state) {
    static const std::string file = textBook();
    measure(state, file, txtMs);
}
BENCHMARK(BM_OpenText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

void BM_OpenFb2(benchmark::State& state) {
    static const std::string file = fb2Book();
    measure(state, file, fb2Ms);
}
BENCHMARK(BM_OpenFb2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

void BM_OpenEpub(benchmark::State& state) {
    static const std::string file = epubBook();
    measure(state, file, epubMs);
}
BENCHMARK(BM_OpenEpub)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(folder());

    reportFigure("decode_txt_ms_5mb", median(txtMs));
    reportFigure("decode_fb2_ms_5mb", median(fb2Ms));
    reportFigure("decode_epub_ms_5mb", median(epubMs));
    return 0;
}
