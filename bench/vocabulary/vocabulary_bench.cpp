// The vocabulary at the sizes a long-time reader reaches: the lookup of one pacing tick with a
// million roots, against the plain scan over every entry with a hundred thousand, loading and
// saving a million roots, and the first new roots after a load.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/summary.h"
#include "bench/vocabulary/generated_words.h"
#include "bench/vocabulary/large_library.h"
#include "vocabulary/roots.h"
#include "vocabulary/vocabulary.h"

namespace orvell::bench {
namespace {

constexpr std::size_t kBigVocabulary = 1'000'000;
constexpr std::size_t kScannedVocabulary = 100'000;
constexpr std::size_t kLookupsPerBatch = 1'000;
// Just short of a size at which the set of known roots, whose table grows by doubling, would be
// full: the worst case for the first new roots after a load.
constexpr std::size_t kNearlyFullTable = 1'048'000;
constexpr std::size_t kNewWordsAfterLoad = 2'000;

using Clock = std::chrono::steady_clock;

double median(std::vector<double> samples) {
    std::ranges::sort(samples);
    return samples.empty() ? 0 : samples[samples.size() / 2];
}

// A vocabulary of exactly `size` roots, grown by showing words, and the words shown.
struct Grown {
    Vocabulary vocabulary;
    std::vector<DisplayEntry> shown;
};

// The n-th generated word as the reading shows it.
DisplayEntry shownWord(std::size_t n) {
    const std::u16string word = generatedWord(n);
    return {word.substr(0, 1), word.substr(1, 1), word.substr(2) + u","};
}

Grown grownTo(std::size_t size) {
    Grown grown;
    for (std::size_t n = 0; grown.vocabulary.larr().size() < size; ++n) {
        DisplayEntry e = shownWord(n);
        grown.vocabulary.lookup(e);
        grown.shown.push_back(std::move(e));
    }
    return grown;
}

// Words already met, in a shuffled order, so that lookups do not run along the memory.
std::vector<DisplayEntry> sample(const std::vector<DisplayEntry>& shown) {
    std::vector<DisplayEntry> picked;
    std::minstd_rand rng(7);
    picked.reserve(4 * kLookupsPerBatch);
    for (std::size_t i = 0; i < 4 * kLookupsPerBatch; ++i)
        picked.push_back(shown[rng() % shown.size()]);
    return picked;
}

Grown& big() {
    static Grown grown = grownTo(kBigVocabulary);
    return grown;
}

const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("orvell-bench-vocabulary-" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return path;
}

std::filesystem::path bigFile() { return folder() / "library.txt"; }

const std::filesystem::path& nearlyFullFile() {
    static const std::filesystem::path file = [] {
        auto p = folder() / "nearly-full.txt";
        writeLargeLibrary(p, kNearlyFullTable);
        return p;
    }();
    return file;
}

// The timings of every run, for the summary at the end.
struct Samples {
    std::vector<double> lookupNs, scanNs, loadMs, saveMs, newRootMaxMs;
};
Samples& samples() {
    static Samples all;
    return all;
}

void BM_Lookup(benchmark::State& state) {
    Vocabulary& vocabulary = big().vocabulary;
    const std::vector<DisplayEntry> words = sample(big().shown);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (std::size_t i = 0; i < kLookupsPerBatch; ++i) {
            benchmark::DoNotOptimize(vocabulary.lookup(words[next]));
            next = (next + 1) % words.size();
        }
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        samples().lookupNs.push_back(took.count() * 1e9 / kLookupsPerBatch);
    }
    state.counters["vocabulary"] = static_cast<double>(vocabulary.larr().size());
}
BENCHMARK(BM_Lookup)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

// The rule as written: clean every entry and compare it with the root, every entry, every tick.
int scanLookup(std::vector<std::u16string>& larr, const DisplayEntry& e) {
    int factor = 2;
    const std::u16string r = RootOfWord(clean(e.left + e.focus + e.right));
    const std::size_t count = larr.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (clean(larr[i]) == r) factor = 1;
    }
    if (factor == 2) larr.push_back(r);
    return factor;
}

void BM_LinearScan(benchmark::State& state) {
    Grown grown = grownTo(kScannedVocabulary);
    std::vector<std::u16string> larr = grown.vocabulary.larr();
    const std::vector<DisplayEntry> words = sample(grown.shown);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(scanLookup(larr, words[next]));
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        samples().scanNs.push_back(took.count() * 1e9);
        next = (next + 1) % words.size();
    }
}
BENCHMARK(BM_LinearScan)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_SaveLib(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = Clock::now();
        big().vocabulary.SaveLib(bigFile());
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        samples().saveMs.push_back(took.count() * 1e3);
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(bigFile()));
}
BENCHMARK(BM_SaveLib)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

void BM_LoadLib(benchmark::State& state) {
    if (!std::filesystem::exists(bigFile())) big().vocabulary.SaveLib(bigFile());
    for (auto _ : state) {
        Vocabulary vocabulary;
        const auto start = Clock::now();
        vocabulary.LoadLib(bigFile());
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());  // freeing the million roots is not timed
        samples().loadMs.push_back(took.count() * 1e3);
    }
}
BENCHMARK(BM_LoadLib)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

// The words of a reading right after a load, each timed on its own: the longest holds its
// entry on the screen that much too long.
void BM_NewRootsAfterLoad(benchmark::State& state) {
    for (auto _ : state) {
        Vocabulary vocabulary;
        vocabulary.LoadLib(nearlyFullFile());
        std::chrono::duration<double> longest{0};
        for (std::size_t n = 0; n < kNewWordsAfterLoad; ++n) {
            const DisplayEntry e = shownWord(n);
            const auto start = Clock::now();
            benchmark::DoNotOptimize(vocabulary.lookup(e));
            longest = std::max<std::chrono::duration<double>>(longest, Clock::now() - start);
        }
        state.SetIterationTime(longest.count());
        samples().newRootMaxMs.push_back(longest.count() * 1e3);
        state.counters["new_roots"] =
            static_cast<double>(vocabulary.larr().size() - kNearlyFullTable);
    }
}
BENCHMARK(BM_NewRootsAfterLoad)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(folder());

    reportFigure("lookup_ns_at_1e6", median(samples().lookupNs));
    reportFigure("linear_scan_ns_at_1e5", median(samples().scanNs));
    reportFigure("loadlib_ms_at_1e6", median(samples().loadMs));
    reportFigure("savelib_ms_at_1e6", median(samples().saveMs));
    reportFigure("new_root_max_ms_after_load_at_1e6", median(samples().newRootMaxMs));
    return 0;
}
