#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "history/iso_time.h"
#include "history/reading_history.h"
#include "history/sitting.h"
#include "tests/storage/temp_folder.h"

namespace orvell::testing_support {

// Not there yet: the history's opening makes it.
inline const std::filesystem::path kHistoryFolder = "data/Orvell";
inline const std::filesystem::path kHistoryFile = kHistoryFolder / ReadingHistory::kFileName;

inline std::chrono::sys_seconds at(std::string_view iso) {
    const std::optional<std::chrono::sys_seconds> time = parseIsoTime(iso);
    if (!time) throw std::invalid_argument("not a time: " + std::string(iso));
    return *time;
}

// A sitting of `words` words from `start`, one word per 200 ms of reading.
inline Sitting sittingOf(std::string_view start, std::string_view end,
                         std::optional<std::string> book, std::int64_t first, std::int64_t last,
                         std::int64_t words, std::int64_t rootsTotal = 0) {
    Sitting s;
    s.startedAt = at(start);
    s.endedAt = at(end);
    s.title = book ? "Книга " + *book : "Вставленный текст";
    s.book = std::move(book);
    s.firstEntry = first;
    s.lastEntry = last;
    s.words = words;
    s.activeMs = words * 200;
    s.speed = 300;
    s.rootsTotal = rootsTotal;
    return s;
}

// A history opened in kHistoryFolder, or a test failure.
class HistoryTest : public InTempFolder {
  protected:
    static void openOrFail(ReadingHistory& history) {
        const HistoryOpening opening = history.open();
        ASSERT_EQ(opening.state, HistoryOpening::State::on) << opening.problem;
    }

    // Every sitting there is.
    static std::vector<Sitting> allSittings(const ReadingHistory& history) {
        return history.sittings(at("1970-01-01T00:00:00Z"), at("9999-12-31T23:59:59Z"));
    }
};

}  // namespace orvell::testing_support
