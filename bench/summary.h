#pragma once

// Each benchmark program adds its headline figures to the summary that bench/run prints at the
// end, one "name: value" line each (the unit is part of the name). bench/run passes the file
// in ORVELL_BENCH_SUMMARY; run alone, a program prints its figures to standard output.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvell::bench {

inline void reportFigure(const std::string& name, double value) {
    const char* path = std::getenv("ORVELL_BENCH_SUMMARY");
    std::FILE* out = path ? std::fopen(path, "a") : nullptr;
    std::fprintf(out ? out : stdout, "%s: %.10g\n", name.c_str(), value);
    if (out) std::fclose(out);
}

}  // namespace orvell::bench
