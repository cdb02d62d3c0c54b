#include "toolkit/memory.h"

#include <new>

#include "engine/operation_error.h"

void clMemory::Allocate(std::size_t newSize) {
    Free();
    if (newSize > kMaxBytes) throw clOperationError("clMemory::Allocate");
    try {
        // Value-initialised: every byte is 0.
        data = std::make_unique<std::uint8_t[]>(newSize == 0 ? 1 : newSize);
    } catch (const std::bad_alloc&) {
        throw clOperationError("clMemory::Allocate");
    }
    size = newSize;
}

void clMemory::Free() {
    data.reset();
    size = 0;
}
