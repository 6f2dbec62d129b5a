#pragma once

// Times as history.sqlite stores them: ISO 8601 in UTC to the second, "2026-12-10T14:03:07Z",
// which sort as text in time order.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace orvell {

std::string isoTime(std::chrono::sys_seconds time);
// Nothing for text not of that exact form.
std::optional<std::chrono::sys_seconds> parseIsoTime(std::string_view text);

}  // namespace orvell
