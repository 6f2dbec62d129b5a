#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace orvell::books {

// Thrown inside the decoders when a book cannot be read; the entry point turns it into the
// reason of a BookText.
class BookFailure {
  public:
    explicit BookFailure(std::u16string reason) : reason_(std::move(reason)) {}
    const std::u16string& reason() const { return reason_; }

  private:
    std::u16string reason_;
};

// Numbers as reasons write them.
inline std::u16string decimal(std::uintmax_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

inline std::u16string megabytes(std::uintmax_t bytes) { return decimal(bytes >> 20) + u" МБ"; }

}  // namespace orvell::books
