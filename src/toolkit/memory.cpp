#include "toolkit/memory.h"

#include <cstdlib>

#include <sys/mman.h>
#include <unistd.h>

#include "toolkit/operation_error.h"

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t PageSize() {
    static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return page;
}

std::size_t RoundUp(std::size_t value, std::size_t unit) {
    return (value + unit - 1) / unit * unit;
}

// A zeroed mapping of `length` bytes (a multiple of the page size) that
// starts on a huge-page boundary, so that all of it but the last partial
// huge page can lie on huge pages; nullptr when the system refuses.
std::uint8_t* MapAligned(std::size_t length) {
    const std::size_t reserve = length + kHugePage;
    void* raw = mmap(nullptr, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    auto* const begin = static_cast<std::uint8_t*>(raw);
    const auto address = reinterpret_cast<std::uintptr_t>(begin);
    auto* const start = begin + (RoundUp(address, kHugePage) - address);
    // The unaligned head and the unused tail go back at once.
    if (start > begin) munmap(begin, static_cast<std::size_t>(start - begin));
    const std::size_t tail = reserve - static_cast<std::size_t>(start - begin) - length;
    if (tail > 0) munmap(start + length, tail);
#ifdef MADV_HUGEPAGE
    // Only a hint: without huge pages the block is an ordinary mapping.
    madvise(start, length / kHugePage * kHugePage, MADV_HUGEPAGE);
#endif
    return start;
}

}  // namespace

void clMemory::Allocate(std::size_t newSize) {
    Free();
    if (newSize > kMaxBytes) throw clOperationError("clMemory::Allocate");
    if (newSize >= kMappedBytes) {
        const std::size_t length = RoundUp(newSize, PageSize());
        data = MapAligned(length);
        if (data == nullptr) throw clOperationError("clMemory::Allocate");
        mapped = length;
    } else {
        data = static_cast<std::uint8_t*>(std::calloc(newSize == 0 ? 1 : newSize, 1));
        if (data == nullptr) throw clOperationError("clMemory::Allocate");
    }
    size = newSize;
}

void clMemory::Free() {
    if (mapped > 0) {
        munmap(data, mapped);
    } else {
        std::free(data);
    }
    data = nullptr;
    size = 0;
    mapped = 0;
}
