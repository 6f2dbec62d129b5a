// Cutting long texts into the reading script: entries per second, and the heap the script
// holds per entry, for a text of about a million entries and one of five million.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/engine/generated_text.h"
#include "bench/engine/heap_meter.h"
#include "bench/summary.h"
#include "engine/reading_script.h"
#include "engine/segmentation.h"

namespace orvell::bench {
namespace {

// A generated text gives about 1.28 entries a word, pauses included.
constexpr std::size_t kMillionWords = 850'000;
constexpr std::size_t kFiveMillionWords = 3'901'000;

struct LongText {
    explicit LongText(std::size_t wordCount) : words(wordCount), text(generatedText(wordCount)) {}

    std::size_t words;
    std::u16string text;
    double entries = 0;  // summed over the runs
    double seconds = 0;
};

std::int32_t cutInto(ReadingScript& sarr, std::u16string t) {
    std::int32_t k1 = 0;
    cutText(std::move(t), sarr, k1, [] { return true; });
    return k1;
}

void cutLongText(benchmark::State& state, LongText& longText) {
    auto sarr = std::make_unique<ReadingScript>();
    for (auto _ : state) {
        sarr->reset();
        std::u16string copy = longText.text;
        const auto start = std::chrono::steady_clock::now();
        const std::int32_t k1 = cutInto(*sarr, std::move(copy));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        longText.entries += k1;
        longText.seconds += took.count();
    }
    state.counters["entries_per_s"] = benchmark::Counter(longText.entries / longText.seconds);
}

void registerCut(const char* name, LongText& longText, benchmark::IterationCount runs) {
    benchmark::RegisterBenchmark(
        name, [&longText](benchmark::State& state) { cutLongText(state, longText); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(runs);
}

// The heap the script holds once the whole text is cut: its slots and its sentence and
// paragraph marks.
double scriptBytesPerEntry(const LongText& longText) {
    // The text the script keeps was made before counting: it is the book's, not the entries'.
    std::u16string text = longText.text;
    const std::int64_t before = liveHeapBytes();
    auto sarr = std::make_unique<ReadingScript>();
    const std::int32_t entries = cutInto(*sarr, std::move(text));
    std::printf("%zu words: %d entries\n", longText.words, entries);
    return static_cast<double>(liveHeapBytes() - before) / entries;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    LongText millionEntries{kMillionWords};
    LongText fiveMillionEntries{kFiveMillionWords};
    registerCut("BM_CutMillionEntries", millionEntries, 5);
    registerCut("BM_CutFiveMillionEntries", fiveMillionEntries, 3);
    const double bytesPerEntry = scriptBytesPerEntry(millionEntries);
    const double bytesPerEntry5e6 = scriptBytesPerEntry(fiveMillionEntries);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    reportFigure("segmentation_entries_per_s", millionEntries.entries / millionEntries.seconds);
    reportFigure("segmentation_bytes_per_entry", bytesPerEntry);
    reportFigure("segmentation_entries_per_s_5e6",
                 fiveMillionEntries.entries / fiveMillionEntries.seconds);
    reportFigure("segmentation_bytes_per_entry_5e6", bytesPerEntry5e6);
    return 0;
}
