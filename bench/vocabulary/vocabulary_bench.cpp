// The vocabulary at the sizes a long-time reader reaches: the lookup of one pacing tick with a
// million roots, against the plain scan over every entry with a hundred thousand, and loading
// and saving a million roots.

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
#include "vocabulary/roots.h"
#include "vocabulary/vocabulary.h"

namespace orvell::bench {
namespace {

constexpr std::size_t kBigVocabulary = 1'000'000;
constexpr std::size_t kScannedVocabulary = 100'000;
constexpr std::size_t kLookupsPerBatch = 1'000;

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

Grown grownTo(std::size_t size) {
    Grown grown;
    for (std::size_t n = 0; grown.vocabulary.larr().size() < size; ++n) {
        std::u16string word = generatedWord(n);
        DisplayEntry e{word.substr(0, 1), word.substr(1, 1), word.substr(2) + u","};
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

// The timings of every run, for the summary at the end.
struct Samples {
    std::vector<double> lookupNs, scanNs, loadMs, saveMs;
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
    return 0;
}
