#pragma once

// The history window's figures as text, in the Russian way.

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

namespace orvell {

// A count with its thousands grouped: "12 345".
QString russianCount(std::int64_t n);
// A time of reading: "45 мин", "12 ч 05 мин".
QString readingTime(std::int64_t ms);
// A moment as a local date and time, "10.12.2026 14:03"; "—" for none.
QString localMoment(std::optional<std::chrono::sys_seconds> at);
// A share, with one decimal: "42,5".
QString russianDecimal(double value);

}  // namespace orvell
