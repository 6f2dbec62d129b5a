#include "bench/engine/heap_meter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

// The benchmark is single-threaded, so a plain counter will do. It is global because the
// replaced operator new below is.
std::int64_t live = 0;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

// What an allocation really costs: the usable size the allocator rounded the request up to,
// plus the size word that glibc keeps in front of every chunk (Windows' heap keeps a header of
// about as much).
std::size_t usableSize(void* p) {
#ifdef _WIN32
    return _msize(p);
#else
    return malloc_usable_size(p);
#endif
}

std::int64_t chunkBytes(void* p) {
    return static_cast<std::int64_t>(usableSize(p) + sizeof(std::size_t));
}

}  // namespace

namespace orvell::bench {

std::int64_t liveHeapBytes() { return live; }

}  // namespace orvell::bench

// The replaced global allocation functions sit on top of malloc and free, as the standard
// library's own do.
// NOLINTBEGIN(cppcoreguidelines-no-malloc)
void* operator new(std::size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    live += chunkBytes(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    live -= chunkBytes(p);
    std::free(p);
}
// NOLINTEND(cppcoreguidelines-no-malloc)

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
