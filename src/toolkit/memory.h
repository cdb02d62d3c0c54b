#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <utility>

// A zero-filled block of bytes the program owns. Blocks are bounded: a request
// past kMaxBytes, or one the system cannot grant, throws the operation error
// "clMemory::Allocate", so a size read from a damaged file never turns into
// an unbounded allocation.
class clMemory {
public:
    static constexpr std::size_t kMaxBytes = std::size_t{512} << 20;

    clMemory() = default;
    explicit clMemory(std::size_t size) { Allocate(size); }
    clMemory(clMemory&& other) noexcept
        : data(std::move(other.data)), size(std::exchange(other.size, 0)) {}
    clMemory& operator=(clMemory&& other) noexcept {
        data = std::move(other.data);
        size = std::exchange(other.size, 0);
        return *this;
    }

    // Replaces the block with `size` zero bytes.
    void Allocate(std::size_t size);
    void Free();

    std::uint8_t* Data() { return data.get(); }
    const std::uint8_t* Data() const { return data.get(); }
    std::size_t Size() const { return size; }
    bool Empty() const { return size == 0; }
    std::span<std::uint8_t> Bytes() { return {data.get(), size}; }
    std::span<const std::uint8_t> Bytes() const { return {data.get(), size}; }

private:
    // calloc: large blocks come from the system already zero, so a block that
    // is written over at once (a picture being decoded) is not cleared first.
    struct clFree {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t[], clFree> data;
    std::size_t size = 0;
};
