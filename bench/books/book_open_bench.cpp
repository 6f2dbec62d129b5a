// Decoding generated books of 5 MB, from the file to the text to read: a windows-1251 text, a
// windows-1251 FB2 book and an EPUB book whose 5 MB of XHTML lie in 50 spine documents, also
// written as tag soup.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/books/generated_books.h"
#include "bench/summary.h"
#include "books/book_text.h"

namespace orvell::bench {
namespace {

using Clock = std::chrono::steady_clock;

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
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    state.counters["text_units"] = static_cast<double>(length);
}

// Each opening's time goes to `ms`; the book is made on the first run.
void registerOpen(const char* name, const std::string& (*book)(), std::vector<double>& ms) {
    benchmark::RegisterBenchmark(
        name, [book, &ms](benchmark::State& state) { measure(state, book(), ms); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(9);
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::vector<double> txtMs;
    std::vector<double> fb2Ms;
    std::vector<double> epubMs;
    std::vector<double> soupMs;
    registerOpen("BM_OpenText", textBook, txtMs);
    registerOpen("BM_OpenFb2", fb2Book, fb2Ms);
    registerOpen("BM_OpenEpub", epubBook, epubMs);
    registerOpen("BM_OpenEpubTagSoup", epubTagSoupBook, soupMs);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeGeneratedBooks();

    reportFigure("decode_txt_ms_5mb", median(txtMs));
    reportFigure("decode_fb2_ms_5mb", median(fb2Ms));
    reportFigure("decode_epub_ms_5mb", median(epubMs));
    reportFigure("decode_epub_tag_soup_ms_5mb", median(soupMs));
    return 0;
}
