#include "vocabulary/entry_log.h"

#include <algorithm>
#include <span>

namespace orvell {

void EntryLog::append(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t at = size_ % kBlockSize;
        if (at == 0 && size_ / kBlockSize == blocks_.size())
            blocks_.push_back(std::make_unique_for_overwrite<Block>());
        const std::size_t n = std::min(bytes.size(), kBlockSize - at);
        std::ranges::copy(bytes.substr(0, n),
                          std::span(*blocks_[size_ / kBlockSize]).subspan(at).begin());
        size_ += n;
        bytes.remove_prefix(n);
    }
}

std::vector<std::string_view> EntryLog::pieces(std::size_t begin, std::size_t end) const {
    std::vector<std::string_view> result;
    while (begin < end) {
        const std::size_t at = begin % kBlockSize;
        const std::size_t n = std::min(end - begin, kBlockSize - at);
        result.push_back(
            std::string_view(blocks_[begin / kBlockSize]->data(), kBlockSize).substr(at, n));
        begin += n;
    }
    return result;
}

void EntryLog::clear() {
    blocks_.clear();
    size_ = 0;
}

}  // namespace orvell
