#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>
#include <vector>

// An allocator for the tables of numbers a data file fills: a block of a
// megabyte or more is mapped on its own and asks for huge pages, so that a
// table of ten million rows costs a few hundred page faults instead of a
// hundred thousand, and goes back to the system when it is freed. Elements
// are default-initialised: a table that is written cell by cell is not
// first filled with zeros (fresh mappings read as zeros anyway).
template <typename T>
struct LargeAllocator {
    using value_type = T;
    static constexpr std::size_t kMappedBytes = std::size_t(1) << 20;

    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
        if (bytes < kMappedBytes) return static_cast<T*>(::operator new(bytes));
        void* block =
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
        ::madvise(block, bytes, MADV_HUGEPAGE);
        return static_cast<T*>(block);
    }
    void deallocate(T* p, std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kMappedBytes)
            ::operator delete(p);
        else
            ::munmap(p, bytes);
    }
    template <typename U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
    }
    template <typename U>
    bool operator==(const LargeAllocator<U>&) const {
        return true;
    }
};

// A column-major table of numbers, as the reader fills it and the grid and
// the drawing share it.
using NumberVector = std::vector<double, LargeAllocator<double>>;
