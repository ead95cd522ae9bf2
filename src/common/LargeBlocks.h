#pragma once
// Large blocks of memory (a download read whole, a competitor log being written, the fixes of a
// day) come straight from the system on huge pages where it has them: a fresh page costs a fault
// the first time it is touched, and a block of several megabytes in small pages costs thousands
// of them, more than reading the file. The program's operator new and delete do this for every
// block of kLargeBlockBytes or more; smaller ones go to malloc as usual.
#include <cstddef>

namespace trakmora {

inline constexpr std::size_t kLargeBlockBytes = std::size_t{256} << 10;

// Whether `block` (from operator new) is one of the large blocks held apart; false for
// everything else, and always false when the replacement is not built in (sanitizer builds,
// which bring their own allocator).
bool isLargeBlock(const void* block);

} // namespace trakmora
