#pragma once

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

}  // namespace orvell::books
