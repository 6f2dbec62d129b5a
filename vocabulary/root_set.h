#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvell {

// A set of strings that a vocabulary of a million roots can fill in a fraction of a second and
// search in constant time: the strings lie end to end in one block, and a compact
// open-addressed table, never more than half full, points to them. (A node per string, as the
// standard sets have, costs an allocation and a cache miss more per string.)
class RootSet {
  public:
    bool contains(std::u16string_view s) const;
    // Adds s unless it is there already.
    void insert(std::u16string_view s);
    // The same for many strings, faster: the table's memory is fetched ahead of its use.
    void insertAll(std::span<const std::u16string_view> strings);
    void reserve(std::size_t count);
    // How many strings fit before the table must grow, which takes time in proportion to the
    // strings held.
    std::size_t capacity() const { return slots_.size() / 2; }
    void clear();

  private:
    // Where a string lies in the block, and part of its hash to pass over most unequal strings
    // without reading them.
    struct Slot {
        std::size_t offset = kFree;
        std::uint32_t length = 0;
        std::uint32_t tag = 0;
    };
    static constexpr std::size_t kFree = static_cast<std::size_t>(-1);

    static std::uint64_t hashOf(std::u16string_view s);
    std::u16string_view stringAt(const Slot& slot) const;
    // The slot holding s, or the free slot where it belongs.
    std::size_t find(std::u16string_view s, std::uint64_t hash) const;
    void insert(std::u16string_view s, std::uint64_t hash);
    void rehash(std::size_t slotCount);

    std::u16string strings_;
    std::size_t count_ = 0;
    std::vector<Slot> slots_;
};

}  // namespace orvell
