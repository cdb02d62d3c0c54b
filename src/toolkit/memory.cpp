#include "toolkit/memory.h"

#include <new>

#include "engine/operation_error.h"

void clMemory::Allocate(std::size_t newSize) {
    Free();
    if (newSize > kMaxBytes) throw clOperationError("clMemory::Allocate");
    data.reset(static_cast<std::uint8_t*>(std::calloc(newSize == 0 ? 1 : newSize, 1)));
    if (!data) throw clOperationError("clMemory::Allocate");
    size = newSize;
}

void clMemory::Free() {
    data.reset();
    size = 0;
}
