// Decoding generated books of 5 MB, from the file to the text to read: a windows-1251 text, a
// windows-1251 FB2 book and an EPUB book whose 5 MB of XHTML lie in 50 spine documents.

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
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    state.counters["text_units"] = static_cast<double>(length);
}

void BM_OpenText(benchmark::State& state) {
    const std::string& file = textBook();
    measure(state, file, txtMs);
}
BENCHMARK(BM_OpenText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

void BM_OpenFb2(benchmark::State& state) {
    const std::string& file = fb2Book();
    measure(state, file, fb2Ms);
}
BENCHMARK(BM_OpenFb2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

void BM_OpenEpub(benchmark::State& state) {
    const std::string& file = epubBook();
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
    removeGeneratedBooks();

    reportFigure("decode_txt_ms_5mb", median(txtMs));
    reportFigure("decode_fb2_ms_5mb", median(fb2Ms));
    reportFigure("decode_epub_ms_5mb", median(epubMs));
    return 0;
}
