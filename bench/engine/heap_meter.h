#pragma once

#include <cstdint>

namespace orvell::bench {

// Bytes the program holds on the heap right now, counted by the replaced global operator new
// and delete of this program, allocator rounding and chunk headers included.
std::int64_t liveHeapBytes();

}  // namespace orvell::bench
