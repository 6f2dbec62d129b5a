// Cutting a text that fills the reading script: entries per second, and the heap the full
// script holds per entry.

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

// More words than fit: the cutting stops when the script is full, with this text at exactly
// its last entry.
constexpr std::size_t kTextWords = 850'000;

const std::u16string& text() {
    static const std::u16string t = generatedText(kTextWords);
    return t;
}

std::int32_t cutInto(ReadingScript& sarr, std::u16string t) {
    std::int32_t k1 = 0;
    cutText(std::move(t), sarr, k1, [] { return true; });
    return k1;
}

// Every run's entries and time, for the summary at the end.
struct Totals {
    double entries = 0;
    double seconds = 0;
};
Totals& totals() {
    static Totals all;
    return all;
}

void BM_CutFullScript(benchmark::State& state) {
    auto sarr = std::make_unique<ReadingScript>();
    for (auto _ : state) {
        sarr->reset();
        std::u16string copy = text();
        const auto start = std::chrono::steady_clock::now();
        const std::int32_t k1 = cutInto(*sarr, std::move(copy));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        totals().entries += k1;
        totals().seconds += took.count();
    }
    state.counters["entries_per_s"] = benchmark::Counter(totals().entries / totals().seconds);
}
BENCHMARK(BM_CutFullScript)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The heap the script holds once full: its slots, its entries and their strings.
double scriptBytesPerEntry(std::int32_t& entries) {
    const std::u16string& t = text();  // made before counting: the text is not the script's
    const std::int64_t before = liveHeapBytes();
    auto sarr = std::make_unique<ReadingScript>();
    entries = cutInto(*sarr, t);
    return static_cast<double>(liveHeapBytes() - before) / entries;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    std::int32_t entries = 0;
    const double bytesPerEntry = bench::scriptBytesPerEntry(entries);
    if (entries != ReadingScript::kMaxEntries) {
        std::fprintf(stderr, "the generated text gives %d entries, not %d\n", entries,
                     ReadingScript::kMaxEntries);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    bench::reportFigure("segmentation_entries_per_s",
                        bench::totals().entries / bench::totals().seconds);
    bench::reportFigure("segmentation_bytes_per_entry", bytesPerEntry);
    return 0;
}
