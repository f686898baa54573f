// ParticlePool: a growable array of records (morvos, rain drops, particles)
// with a search for the first free one. Records are addressed by index and
// keep their index for their whole life; the store, the rain and the
// particle systems each hold pools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "debugbreak.h"
#include "largeblock.h"

template <typename T> class ParticlePool {
public:
    explicit ParticlePool(int32_t count = 0)
        : records_(count > 0 ? static_cast<size_t>(count) : 0)
    {}

    ParticlePool(const ParticlePool&) = default;

    // Copies every record and the flag; the sizes must already agree.
    ParticlePool& operator=(const ParticlePool& other)
    {
        if (this == &other) {
            return *this;
        }
        if (other.records_.size() != records_.size()) {
            DEBUG_BREAK("ParticlePool: copy between pools of different size");
            return *this;
        }
        records_ = other.records_;
        flag_ = other.flag_;
        freeHint_ = other.freeHint_;
        return *this;
    }

    int32_t GetSize() const { return static_cast<int32_t>(records_.size()); }

    // A writable record. Clear active fields only through a reference taken
    // after the last FindFree, so the search still sees the freed record.
    T& Get(int32_t i)
    {
        size_t index = static_cast<size_t>(i);
        if (index < freeHint_) {
            freeHint_ = index;
        }
        return records_[index];
    }
    const T& Get(int32_t i) const { return records_[static_cast<size_t>(i)]; }

    // Read-only view of all records, in index order.
    const T* Records() const { return records_.data(); }
    // Writable view of all records; the next search for a free record starts over at 0.
    T* MutableRecords()
    {
        freeHint_ = 0;
        return records_.data();
    }

    // New records are default records; shrinking drops the tail.
    void Resize(int32_t n)
    {
        records_.resize(n > 0 ? static_cast<size_t>(n) : 0);
        if (freeHint_ > records_.size()) {
            freeHint_ = records_.size();
        }
    }
    void Grow(int32_t n) { Resize(GetSize() + n); }

    // Index of the first record whose active field is 0 (without claiming it); -1 when all are active.
    int32_t PeekFree() const
    {
        size_t i = freeHint_;
        while (i < records_.size() && records_[i].active != 0) {
            ++i;
        }
        freeHint_ = i;
        return i < records_.size() ? static_cast<int32_t>(i) : -1;
    }

    // Claims the first free record: a default record with active = 1 takes
    // its place. Returns its index, or -1 (nothing changes) when all are active.
    int32_t FindFree()
    {
        int32_t i = PeekFree();
        if (i < 0) {
            return -1;
        }
        records_[static_cast<size_t>(i)] = T();
        records_[static_cast<size_t>(i)].active = 1;
        freeHint_ = static_cast<size_t>(i) + 1;
        return i;
    }

    bool GetFlag() const { return flag_; }

private:
    std::vector<T, LargeBlockAllocator<T>> records_;
    bool flag_ = false;
    // Every record below this index is active (the search starts here).
    mutable size_t freeHint_ = 0;
};
