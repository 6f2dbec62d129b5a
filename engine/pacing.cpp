#include "engine/pacing.h"

#include <algorithm>

#include "engine/rounding.h"

namespace orvell {

namespace {

constexpr std::int64_t kWhole = 100;  // a factor of 100 hundredths leaves a time as it is

std::int64_t learningPercent(const PauseRules& rules, int factor) {
    return factor == 2 ? rules.newRootPercent : kWhole;
}

// The share of j by the length of the right part: of the four rules each later one overrides
// the earlier, so only the last that holds counts.
std::int64_t lengthPercent(const PauseRules& rules, std::size_t rightLength) {
    const auto length = static_cast<std::int64_t>(rightLength);
    if (length > rules.veryLongAbove) return rules.veryLongPercent;
    if (length > rules.longAbove) return rules.longPercent;
    if (length >= rules.shortBelow) return rules.normalPercent;
    return rules.shortPercent;
}

std::uint32_t scaled(std::int64_t ms, std::int64_t percent, std::int64_t learning) {
    return static_cast<std::uint32_t>(roundHalfEven(ms * percent * learning, kWhole * kWhole));
}

bool endsSentence(std::u16string_view right) {
    return !right.empty() &&
           std::u16string_view(u".!?\u2026").find(right.back()) != std::u16string_view::npos;
}

bool hasDigit(const DisplayEntry& e) {
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    return std::ranges::any_of(e.left, digit) || std::ranges::any_of(e.focus, digit) ||
           std::ranges::any_of(e.right, digit);
}

}  // namespace

DisplayTime displayTime(const PauseRules& rules, std::int32_t j, const DisplayEntry& e,
                        int factor) {
    const std::int64_t learning = learningPercent(rules, factor);
    DisplayTime t;
    t.lengthInterval = scaled(j, lengthPercent(rules, e.right.size()), learning);
    t.interval = hasPunctuationPause(e.right)
                     ? scaled(t.lengthInterval, rules.punctuationPercent, learning)
                     : t.lengthInterval;
    if (endsSentence(e.right)) t.interval = scaled(t.interval, rules.sentenceEndPercent, kWhole);
    if (hasDigit(e)) t.interval = scaled(t.interval, rules.numberPercent, kWhole);
    return t;
}

std::uint32_t lengthRuleInterval(std::int32_t j, std::size_t rightLength, int factor) {
    const PauseRules classic;
    return scaled(j, lengthPercent(classic, rightLength), learningPercent(classic, factor));
}

bool hasPunctuationPause(std::u16string_view right) {
    return right.find_first_of(u",:;") != std::u16string_view::npos;
}

std::uint32_t punctuationInterval(std::uint32_t lengthInterval, int factor) {
    const PauseRules classic;
    return scaled(lengthInterval, classic.punctuationPercent, learningPercent(classic, factor));
}

std::uint32_t displayInterval(std::int32_t j, std::u16string_view right, int factor) {
    const DisplayEntry e{{}, {}, std::u16string(right)};
    return displayTime(PauseRules{}, j, e, factor).interval;
}

}  // namespace orvell
