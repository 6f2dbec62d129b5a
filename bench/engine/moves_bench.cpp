// Moves by sentence, paragraph and chapter in a script of about a million entries: each move
// is timed alone, from a thousand places spread over the script, both ways and by every unit.
// The longest one is what a reader would feel.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "bench/engine/generated_text.h"
#include "bench/summary.h"
#include "engine/reading_core.h"
#include "engine/speed_table.h"

namespace orvell::bench {
namespace {

// A generated text gives about 1.28 entries a word.
constexpr std::size_t kWords = 780'000;
// Chapters about as long as a book's: one every this many text positions.
constexpr std::int32_t kChapterLength = 20'000;
constexpr std::int32_t kPlaces = 1'000;

using Ms = std::chrono::duration<double, std::milli>;

// A chapter mark at the first word at or past every kChapterLength positions.
std::vector<std::int32_t> chapterMarks(const ReadingScript& sarr, std::int32_t entries) {
    std::vector<std::int32_t> marks;
    std::int32_t next = kChapterLength;
    for (std::int32_t i = 0; i < entries; ++i) {
        const std::int32_t position = sarr.position(i);
        if (position < next || sarr.isPauseAt(i)) continue;
        marks.push_back(position);
        next = position + kChapterLength;
    }
    return marks;
}

// Each move is made this many times and its fastest run kept: on a shared machine any one run
// may lose the processor for a scheduler tick, which says nothing about the move.
constexpr int kRuns = 5;

struct UnitTimes {
    const char* name;
    Unit unit;
    std::vector<double> ms;  // the fastest run of each move, sorted
};

// One move from `from`, timed alone; the fastest of kRuns and the slowest run are kept.
double timeMove(ReadingCore& core, std::int32_t from, Unit unit, bool forward, double& slowestRun) {
    double fastest = 0;
    for (int run = 0; run < kRuns; ++run) {
        core.moveTo(from);
        const auto start = std::chrono::steady_clock::now();
        core.move(unit, forward);
        const double ms = Ms(std::chrono::steady_clock::now() - start).count();
        fastest = run == 0 ? ms : std::min(fastest, ms);
        slowestRun = std::max(slowestRun, ms);
    }
    return fastest;
}

}  // namespace
}  // namespace orvell::bench

int main() {
    using namespace orvell;
    using namespace orvell::bench;
    ReadingCore core([](const DisplayEntry&) { return 1; });
    core.resetScript();
    core.applySpeed(kDefaultSpeedIndex);  // the one-second rule of a move back needs a speed
    core.cut(generatedText(kWords), [] {});
    std::vector<std::int32_t> marks = chapterMarks(core.sarr(), core.k1());
    std::printf("%zu words: %d entries, %zu sentences, %zu paragraphs, %zu chapters\n", kWords,
                core.k1(), core.sarr().sentenceStarts().size(),
                core.sarr().paragraphStarts().size(), marks.size() + 1);
    core.setChapters(std::move(marks));

    std::array<UnitTimes, 3> units = {{{"sentence", Unit::Sentence, {}},
                                       {"paragraph", Unit::Paragraph, {}},
                                       {"chapter", Unit::Chapter, {}}}};
    double slowestRun = 0;
    for (std::int32_t place = 0; place < kPlaces; ++place) {
        const auto from =
            static_cast<std::int32_t>(static_cast<std::int64_t>(core.k1()) * place / kPlaces);
        for (UnitTimes& times : units) {
            for (const bool forward : {true, false})
                times.ms.push_back(timeMove(core, from, times.unit, forward, slowestRun));
        }
    }
    std::vector<double> all;
    for (UnitTimes& times : units) {
        std::ranges::sort(times.ms);
        std::printf("  by %-9s median %.4f ms, longest %.4f ms\n", times.name,
                    times.ms[times.ms.size() / 2], times.ms.back());
        all.insert(all.end(), times.ms.begin(), times.ms.end());
    }
    std::ranges::sort(all);
    std::printf(
        "%zu moves, fastest of %d runs each: median %.4f ms, longest %.4f ms "
        "(slowest single run %.4f ms)\n",
        all.size(), kRuns, all[all.size() / 2], all.back(), slowestRun);
    reportFigure("move_ms_at_1e6", all.back());
    return 0;
}
