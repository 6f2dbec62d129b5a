#pragma once

#include <string>
#include <vector>

#include "bench/ui/pacing_recorder.h"

namespace orvell::bench {

// How closely a reading kept to the intervals its ticks set. An entry's actual display time
// runs from its tick to the next one, so the last entry recorded has none.
struct PacingFigures {
    std::size_t entries = 0;       // entries with a measured display time
    double medianErrorMs = 0;      // of |actual - set|
    double p99ErrorMs = 0;         // of |actual - set|
    double maxErrorMs = 0;         // of |actual - set|
    double driftPercent = 0;       // (sum of actual - sum of set) / sum of set
    double firstEntryErrorMs = 0;  // first tick after the start command, minus j
};

PacingFigures pacingFigures(const std::vector<ShownEntry>& shown,
                            std::chrono::steady_clock::time_point start, int j);

// The figures that are further from their target, each taken on its own.
PacingFigures worseOf(const PacingFigures& a, const PacingFigures& b);

void printTable(const std::vector<std::pair<std::string, PacingFigures>>& rows);

}  // namespace orvell::bench
