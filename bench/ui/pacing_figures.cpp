#include "bench/ui/pacing_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orvell::bench {

namespace {

using Ms = std::chrono::duration<double, std::milli>;

// Nearest-rank percentile of sorted values.
double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const auto rank =
        static_cast<std::size_t>(std::ceil(p / 100 * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

double furtherFromZero(double a, double b) { return std::abs(a) >= std::abs(b) ? a : b; }

}  // namespace

PacingFigures pacingFigures(const std::vector<ShownEntry>& shown,
                            std::chrono::steady_clock::time_point start, int j) {
    PacingFigures f;
    if (shown.empty()) return f;
    f.firstEntryErrorMs = Ms(shown.front().moment - start).count() - j;
    std::vector<double> errors;
    double actualTotal = 0;
    double setTotal = 0;
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        const double actual = Ms(shown[i + 1].moment - shown[i].moment).count();
        errors.push_back(std::abs(actual - shown[i].interval));
        actualTotal += actual;
        setTotal += shown[i].interval;
    }
    std::ranges::sort(errors);
    f.entries = errors.size();
    f.medianErrorMs = percentile(errors, 50);
    f.p99ErrorMs = percentile(errors, 99);
    f.maxErrorMs = errors.empty() ? 0 : errors.back();
    f.driftPercent = setTotal > 0 ? (actualTotal - setTotal) / setTotal * 100 : 0;
    return f;
}

PacingFigures worseOf(const PacingFigures& a, const PacingFigures& b) {
    return {std::max(a.entries, b.entries),
            std::max(a.medianErrorMs, b.medianErrorMs),
            std::max(a.p99ErrorMs, b.p99ErrorMs),
            std::max(a.maxErrorMs, b.maxErrorMs),
            furtherFromZero(a.driftPercent, b.driftPercent),
            furtherFromZero(a.firstEntryErrorMs, b.firstEntryErrorMs)};
}

void printTable(const std::vector<std::pair<std::string, PacingFigures>>& rows) {
    std::printf("%-28s %8s %10s %10s %10s %9s %15s\n", "text", "entries", "median_ms", "p99_ms",
                "max_ms", "drift_%", "first_entry_ms");
    for (const auto& [name, f] : rows)
        std::printf("%-28s %8zu %10.3f %10.3f %10.3f %9.3f %+15.3f\n", name.c_str(), f.entries,
                    f.medianErrorMs, f.p99ErrorMs, f.maxErrorMs, f.driftPercent,
                    f.firstEntryErrorMs);
}

}  // namespace orvell::bench
