#include "toolkit/memory.h"

#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

#include "toolkit/operation_error.h"

namespace {

// Small blocks and large (mapped) ones behave alike: zeroed, writable to the
// last byte, handed over by a move, and bounded.
TEST(MemoryTest, BlocksOfEverySizeAreZeroedWritableAndMovable) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, clMemory::kMappedBytes - 1,
                                   clMemory::kMappedBytes, (std::size_t{5} << 20) + 3}) {
        SCOPED_TRACE(size);
        clMemory block(size);
        ASSERT_EQ(block.Size(), size);
        ASSERT_NE(block.Data(), nullptr);
        const std::span<const std::uint8_t> bytes = block.Bytes();
        EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](auto b) { return b == 0; }));
        if (size > 0) block.Data()[size - 1] = 7;

        clMemory moved(std::move(block));
        EXPECT_TRUE(block.Empty());
        EXPECT_EQ(moved.Size(), size);
        if (size > 0) {
            EXPECT_EQ(moved.Data()[size - 1], 7);
        }

        clMemory other(clMemory::kMappedBytes);
        other = std::move(moved);  // the mapping `other` held goes back
        EXPECT_EQ(other.Size(), size);
        other.Allocate(3);
        EXPECT_EQ(other.Bytes()[2], 0);
    }
    EXPECT_THROW(clMemory(clMemory::kMaxBytes + 1), clOperationError);
}

}  // namespace
