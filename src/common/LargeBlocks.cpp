#include "common/LargeBlocks.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

// Sanitizer builds bring their own operator new, and other systems their own ways with memory.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TRAKMORA_LARGE_BLOCKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define TRAKMORA_LARGE_BLOCKS 0
#endif
#endif
#if !defined(TRAKMORA_LARGE_BLOCKS) && defined(__linux__)
#define TRAKMORA_LARGE_BLOCKS 1
#endif

#if TRAKMORA_LARGE_BLOCKS
#include <sys/mman.h>

namespace trakmora {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// The block starts this far into its mapping, which keeps operator new's alignment and marks
// the block: no other pointer is needed to check unless it sits at the same place in a page.
constexpr std::uintptr_t kOffset = 64;
// Blocks in use at once, and freed mappings kept for the next large block (a day's competitors
// each read and write blocks of much the same size).
constexpr int kSlots = 256;
constexpr int kSpareSlots = 8;
constexpr std::size_t kMostSpareBytes = std::size_t{64} << 20;

struct Mapping {
    std::uintptr_t start = 0;
    std::size_t length = 0;
};

// All under one lock: large blocks are few, and every other delete passes by with a test of
// its address.
std::mutex lock;
Mapping inUse[kSlots];
Mapping spare[kSpareSlots];
std::size_t spareBytes = 0;

Mapping newMapping(std::size_t length) {
    // Over-asked by one huge page, then trimmed to a huge-page boundary at both ends.
    const std::size_t asked = length + kHugePage;
    void* raw = ::mmap(nullptr, asked, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return {};
    const auto rawStart = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = (rawStart + kHugePage - 1) & ~(kHugePage - 1);
    if (start > rawStart) ::munmap(raw, start - rawStart);
    if (const std::uintptr_t end = start + length, rawEnd = rawStart + asked; rawEnd > end)
        ::munmap(reinterpret_cast<void*>(end), rawEnd - end);
    ::madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE);
    return {start, length};
}

void* takeLargeBlock(std::size_t size) {
    const std::size_t length = (size + kOffset + kHugePage - 1) & ~(kHugePage - 1);
    std::lock_guard<std::mutex> guard(lock);
    int slot = 0;
    while (slot < kSlots && inUse[slot].start != 0)
        ++slot;
    if (slot == kSlots) return nullptr;
    // A spare mapping of the same length is used again; no new pages, no faults.
    Mapping mapping;
    for (Mapping& s : spare)
        if (s.start != 0 && s.length == length) {
            mapping = s;
            spareBytes -= s.length;
            s = {};
            break;
        }
    if (mapping.start == 0) mapping = newMapping(length);
    if (mapping.start == 0) return nullptr;
    inUse[slot] = mapping;
    return reinterpret_cast<void*>(mapping.start + kOffset);
}

// Gives back the block if it is a large one; false for any other pointer.
bool giveBackLargeBlock(void* block) {
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    if ((address & (kHugePage - 1)) != kOffset) return false;
    Mapping mapping;
    {
        std::lock_guard<std::mutex> guard(lock);
        for (Mapping& m : inUse)
            if (m.start + kOffset == address) {
                mapping = m;
                m = {};
                break;
            }
        if (mapping.start == 0) return false;
        if (spareBytes + mapping.length <= kMostSpareBytes)
            for (Mapping& s : spare)
                if (s.start == 0) {
                    s = mapping;
                    spareBytes += mapping.length;
                    return true;
                }
    }
    ::munmap(reinterpret_cast<void*>(mapping.start), mapping.length);
    return true;
}

void* allocate(std::size_t size) {
    if (size >= kLargeBlockBytes)
        if (void* block = takeLargeBlock(size)) return block;
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void release(void* block) noexcept {
    if (block && !giveBackLargeBlock(block)) std::free(block);
}

} // namespace

bool isLargeBlock(const void* block) {
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    if ((address & (kHugePage - 1)) != kOffset) return false;
    std::lock_guard<std::mutex> guard(lock);
    for (const Mapping& m : inUse)
        if (m.start + kOffset == address) return true;
    return false;
}

} // namespace trakmora

// The program's own allocation functions. The array, nothrow and sized forms of the standard
// library come back to these two; they are replaced as well so that nothing depends on that.
void* operator new(std::size_t size) {
    return trakmora::allocate(size);
}
void* operator new[](std::size_t size) {
    return trakmora::allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return trakmora::allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return trakmora::allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    trakmora::release(block);
}
void operator delete[](void* block) noexcept {
    trakmora::release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    trakmora::release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    trakmora::release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    trakmora::release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    trakmora::release(block);
}

#else

namespace trakmora {

bool isLargeBlock(const void*) {
    return false;
}

} // namespace trakmora

#endif
