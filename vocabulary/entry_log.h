#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace orvell {

// The vocabulary as the file holds it: its entries' bytes, each followed by CR LF, in blocks
// that never move once allocated. Bytes already appended are never changed, so a writer on
// another thread may read the first `size()` bytes while the owner appends behind them.
class EntryLog {
  public:
    void append(std::string_view bytes);
    std::size_t size() const { return size_; }
    // The bytes [begin, end) as pieces to be written in order; they stay valid until clear().
    std::vector<std::string_view> pieces(std::size_t begin, std::size_t end) const;
    // Only when no one reads the log.
    void clear();

  private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
    using Block = std::array<char, kBlockSize>;

    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace orvell
