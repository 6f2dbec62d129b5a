#include "places/reading_places.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "storage/whole_file.h"

namespace orvell {

namespace {

constexpr std::string_view kVersionLine = "Orvell reading places ";
constexpr int kVersion = 1;
constexpr std::size_t kIdentityLength = 64;

template <typename Number>
std::optional<Number> number(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool isIdentity(std::string_view text) {
    return text.size() == kIdentityLength && std::ranges::all_of(text, [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

bool isInsideItsScript(const ReadingPlace& place) {
    return place.entries > 0 && place.position >= 0 && place.position < place.entries;
}

std::string_view takeField(std::string_view& line) {
    const std::size_t end = std::min(line.find('\t'), line.size());
    const std::string_view field = line.substr(0, end);
    line.remove_prefix(std::min(end + 1, line.size()));
    return field;
}

std::optional<ReadingPlace> parsePlace(std::string_view line) {
    ReadingPlace place;
    place.book = takeField(line);
    const auto entries = number<std::int32_t>(takeField(line));
    const auto position = number<std::int32_t>(takeField(line));
    const auto reachedAt = number<std::int64_t>(line);
    if (!isIdentity(place.book) || !entries || !position || !reachedAt) return std::nullopt;
    place.entries = *entries;
    place.position = *position;
    place.reachedAt = *reachedAt;
    return place;
}

}  // namespace

const ReadingPlace* ReadingPlaces::find(std::string_view book) const {
    const auto it = std::ranges::find(places_, book, &ReadingPlace::book);
    return it == places_.end() ? nullptr : &*it;
}

void ReadingPlaces::remember(ReadingPlace place) {
    if (!isInsideItsScript(place)) return;
    forget(place.book);
    places_.push_back(std::move(place));
    if (places_.size() > kMaxBooks) places_.erase(places_.begin());
}

void ReadingPlaces::forget(std::string_view book) {
    std::erase_if(places_, [book](const ReadingPlace& p) { return p.book == book; });
}

std::string ReadingPlaces::serialise() const {
    std::string text = std::string(kVersionLine) + std::to_string(kVersion) + '\n';
    for (const ReadingPlace& p : places_) {
        text += p.book + '\t' + std::to_string(p.entries) + '\t' + std::to_string(p.position) +
                '\t' + std::to_string(p.reachedAt) + '\n';
    }
    return text;
}

ReadingPlaces ReadingPlaces::parse(std::string_view text) {
    ReadingPlaces places;
    std::string_view version = takeLine(text);
    if (!version.starts_with(kVersionLine)) return places;
    version.remove_prefix(kVersionLine.size());
    // A newer version may mean something else by the same fields.
    if (number<int>(version) != kVersion) return places;
    while (!text.empty()) {
        if (std::optional<ReadingPlace> place = parsePlace(takeLine(text)))
            places.remember(std::move(*place));
    }
    return places;
}

}  // namespace orvell
