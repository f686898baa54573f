// MorvoStore: the state buffers of morvo records. Buffer 0 is the current
// state, buffer 1 the previous one, buffer 2 the one before; every buffer
// holds the same number of records, so one index names one morvo in all of
// them. Owned by the world; the simulator shifts and integrates the buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "morvorecord.h"
#include "particlepool.h"

using MorvoState = ParticlePool<MorvoRecord>;

class MorvoStore {
public:
    // Negative counts become 0; at least one state buffer is made.
    MorvoStore(int32_t count, int32_t stateBuffers, int32_t derivativeBuffers);
    virtual ~MorvoStore();

    MorvoStore(const MorvoStore&) = delete;
    MorvoStore& operator=(const MorvoStore&) = delete;

    int32_t GetCount() const { return count_; }
    // Resizes every buffer to n records (existing ones kept); n < 0 does nothing.
    void SetCapacity(int32_t n);
    // Makes buffer 1 a copy of the current state (reusing the last buffer).
    void ResetHistory();

    // Buffer k (0 = current), or null when k is out of range.
    MorvoState* GetState(int32_t k);
    const MorvoState* GetState(int32_t k) const;
    MorvoState* GetCurrentState() { return GetState(0); }
    const MorvoState* GetCurrentState() const { return GetState(0); }
    int32_t GetStateCount() const { return static_cast<int32_t>(states_.size()); }
    int32_t GetDerivativeCount() const { return static_cast<int32_t>(derivatives_.size()); }

    // Append buffers until there are max(n, 1) (state) or n (derivative); never removes.
    void SetStateBufferCount(int32_t n);
    void SetDerivativeBufferCount(int32_t n);

private:
    int32_t count_;
    std::vector<std::unique_ptr<MorvoState>> states_;
    std::vector<std::unique_ptr<MorvoState>> derivatives_;
};
