#include "history/iso_time.h"

#include <cstdint>

namespace orvell {

namespace {

void appendPadded(std::string& out, std::int64_t value, int width) {
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width)) {
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    }
    out += digits;
}

// The number in text[at, at + width), all digits.
std::optional<int> number(std::string_view text, std::size_t at, std::size_t width) {
    int value = 0;
    for (const char c : text.substr(at, width)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string isoTime(std::chrono::sys_seconds time) {
    using namespace std::chrono;
    const sys_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(time - day);
    std::string out;
    out.reserve(20);
    appendPadded(out, static_cast<int>(date.year()), 4);
    out += '-';
    appendPadded(out, static_cast<std::int64_t>(static_cast<unsigned>(date.month())), 2);
    out += '-';
    appendPadded(out, static_cast<std::int64_t>(static_cast<unsigned>(date.day())), 2);
    out += 'T';
    appendPadded(out, clock.hours().count(), 2);
    out += ':';
    appendPadded(out, clock.minutes().count(), 2);
    out += ':';
    appendPadded(out, static_cast<std::int64_t>(clock.seconds().count()), 2);
    out += 'Z';
    return out;
}

std::optional<std::chrono::sys_seconds> parseIsoTime(std::string_view text) {
    using namespace std::chrono;
    constexpr std::string_view kForm = "0000-00-00T00:00:00Z";
    if (text.size() != kForm.size()) return std::nullopt;
    for (std::size_t i = 0; i < kForm.size(); ++i) {
        if (kForm[i] != '0' && text[i] != kForm[i]) return std::nullopt;
    }
    const auto y = number(text, 0, 4);
    const auto mo = number(text, 5, 2);
    const auto d = number(text, 8, 2);
    const auto h = number(text, 11, 2);
    const auto mi = number(text, 14, 2);
    const auto s = number(text, 17, 2);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
    const year_month_day date{year(*y), month(static_cast<unsigned>(*mo)),
                              day(static_cast<unsigned>(*d))};
    if (!date.ok()) return std::nullopt;
    return sys_days(date) + hours(*h) + minutes(*mi) + seconds(*s);
}

}  // namespace orvell
