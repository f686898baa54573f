// Swapping a hook or handler that another thread may be reading: the debug
// break and debug output handlers and the message queue's hooks.
#pragma once

#include <mutex>
#include <utility>

// Puts value into slot while holding mutex; gives the slot's old value.
template <typename T> T ExchangeLocked(std::mutex& mutex, T& slot, T value)
{
    std::lock_guard<std::mutex> lock(mutex);
    T old = std::move(slot);
    slot = std::move(value);
    return old;
}
