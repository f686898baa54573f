// MorvoStore: buffer bookkeeping of the morvo records.
#include "morvostore.h"

#include <algorithm>

MorvoStore::MorvoStore(int32_t count, int32_t stateBuffers, int32_t derivativeBuffers)
    : count_(std::max(count, 0))
{
    SetStateBufferCount(stateBuffers);
    SetDerivativeBufferCount(derivativeBuffers);
}

MorvoStore::~MorvoStore() = default;

void MorvoStore::SetCapacity(int32_t n)
{
    if (n < 0) {
        return;
    }
    for (auto& state : states_) {
        state->Resize(n);
    }
    for (auto& derivative : derivatives_) {
        derivative->Resize(n);
    }
    count_ = n;
}

void MorvoStore::ResetHistory()
{
    if (states_.size() < 2) {
        return;
    }
    std::unique_ptr<MorvoState> last = std::move(states_.back());
    states_.pop_back();
    states_.insert(states_.begin() + 1, std::move(last));
    *states_[1] = *states_[0];
}

MorvoState* MorvoStore::GetState(int32_t k)
{
    if (k < 0 || k >= GetStateCount()) {
        return nullptr;
    }
    return states_[static_cast<size_t>(k)].get();
}

const MorvoState* MorvoStore::GetState(int32_t k) const
{
    if (k < 0 || k >= GetStateCount()) {
        return nullptr;
    }
    return states_[static_cast<size_t>(k)].get();
}

void MorvoStore::SetStateBufferCount(int32_t n)
{
    while (GetStateCount() < std::max(n, 1)) {
        states_.push_back(std::make_unique<MorvoState>(count_));
    }
}

void MorvoStore::SetDerivativeBufferCount(int32_t n)
{
    while (GetDerivativeCount() < n) {
        derivatives_.push_back(std::make_unique<MorvoState>(count_));
    }
}
