#pragma once

#include <algorithm>
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

// The XML of a document breaks: it is not well-formed at `line`, or ends in the middle of an
// element. `offset` counts the characters read before the break.
class BrokenMarkup : public BookFailure {
  public:
    BrokenMarkup(std::u16string reason, std::int64_t line, std::int64_t offset, bool cutShort)
        : BookFailure(std::move(reason)), line_(line), offset_(offset), cutShort_(cutShort) {}
    std::int64_t line() const { return line_; }
    std::int64_t offset() const { return offset_; }
    bool cutShort() const { return cutShort_; }

  private:
    std::int64_t line_;
    std::int64_t offset_;
    bool cutShort_;
};

// The limits of markup that every parser of a book keeps.
inline BookFailure tooDeepMarkup() {
    return BookFailure(u"слишком глубокая вложенность разметки XML");
}
inline BookFailure entityDeclarations() {
    return BookFailure(u"разметка XML объявляет свои сущности; такие файлы не читаются");
}

// Numbers as reasons write them.
inline std::u16string decimal(std::uintmax_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

inline std::u16string megabytes(std::uintmax_t bytes) { return decimal(bytes >> 20) + u" МБ"; }

// How much `part` is of `whole`, as "40 %"; a part under one per cent is "менее 1 %".
inline std::u16string percent(std::uintmax_t part, std::uintmax_t whole) {
    if (whole == 0 || part >= whole) return u"100 %";
    const std::uintmax_t rounded = std::min<std::uintmax_t>((part * 100 + whole / 2) / whole, 99);
    return rounded == 0 ? u"менее 1 %" : decimal(rounded) + u" %";
}

}  // namespace orvell::books
