// Memory for big, hot arrays (particle pools): blocks of 2 MiB and more are
// aligned to 2 MiB and offered to the kernel for huge pages, which saves
// page-table walks on scattered writes. Smaller blocks come from malloc.
#pragma once

#include <cstddef>
#include <new>

// Null when the memory cannot be had. Release with FreeLargeBlock.
void* AllocateLargeBlock(size_t bytes);
void FreeLargeBlock(void* block);

// Standard allocator over the blocks above, for std::vector.
template <typename T> struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

    T* allocate(size_t n)
    {
        void* block = AllocateLargeBlock(n * sizeof(T));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t) { FreeLargeBlock(block); }

    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const { return true; }
    template <typename U> bool operator!=(const LargeBlockAllocator<U>&) const { return false; }
};
