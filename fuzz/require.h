#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace orvell::fuzz {

// A broken invariant is a finding: name it and abort, so that libFuzzer keeps the input.
[[noreturn]] inline void fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

// The input as the bytes of a file: libFuzzer hands over unsigned bytes, the readers take chars.
inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): char may view any bytes
    return {reinterpret_cast<const char*>(data), size};
}

// The input as UTF-16LE code units; an odd last byte is not part of the text.
inline std::u16string utf16FromBytes(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return text;
}

}  // namespace orvell::fuzz

#define ORVELL_REQUIRE(condition) \
    ((condition) ? (void)0 : ::orvell::fuzz::fail(__FILE__, __LINE__, #condition))
