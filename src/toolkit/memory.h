#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

// A zero-filled block of bytes the program owns. Blocks are bounded: a request
// past kMaxBytes, or one the system cannot grant, throws the operation error
// "clMemory::Allocate", so a size read from a damaged file never turns into
// an unbounded allocation.
class clMemory {
public:
    static constexpr std::size_t kMaxBytes = std::size_t{512} << 20;
    // Blocks from this size up are mapped from the system directly (see
    // Allocate).
    static constexpr std::size_t kMappedBytes = std::size_t{1} << 20;

    clMemory() = default;
    explicit clMemory(std::size_t size) { Allocate(size); }
    clMemory(clMemory&& other) noexcept
        : data(std::exchange(other.data, nullptr)),
          size(std::exchange(other.size, 0)),
          mapped(std::exchange(other.mapped, 0)) {}
    clMemory& operator=(clMemory&& other) noexcept {
        if (this != &other) {
            Free();
            data = std::exchange(other.data, nullptr);
            size = std::exchange(other.size, 0);
            mapped = std::exchange(other.mapped, 0);
        }
        return *this;
    }
    clMemory(const clMemory&) = delete;
    clMemory& operator=(const clMemory&) = delete;
    ~clMemory() { Free(); }

    // Replaces the block with `size` zero bytes. Small blocks come from
    // calloc. Large ones (pictures, files read whole) are mapped zeroed from
    // the system and asked to lie on huge pages where the system offers
    // them: such a block is written over at once, and its first touch then
    // costs one page fault every 2 MiB instead of one every 4 KiB (on a
    // virtual machine, some 10 ms for a picture the size of the window).
    void Allocate(std::size_t size);
    void Free();

    std::uint8_t* Data() { return data; }
    const std::uint8_t* Data() const { return data; }
    std::size_t Size() const { return size; }
    bool Empty() const { return size == 0; }
    std::span<std::uint8_t> Bytes() { return {data, size}; }
    std::span<const std::uint8_t> Bytes() const { return {data, size}; }

private:
    std::uint8_t* data = nullptr;
    std::size_t size = 0;
    // The length of the mapping a large block lies in; 0 for a calloc block.
    std::size_t mapped = 0;
};
