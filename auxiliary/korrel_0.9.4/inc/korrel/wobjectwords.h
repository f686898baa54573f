// Handler user words are 32 bits, too narrow for a pointer: the control
// classes that register themselves as user word register a number from
// this table and find themselves again by it. Thread-safe.
#pragma once

#include <mutex>
#include <unordered_map>

template <typename T> class WObjectWords {
public:
    unsigned Add(T* object)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        objects_[++last_] = object;
        return last_;
    }
    void Remove(unsigned word)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        objects_.erase(word);
    }
    // Null when the word is not (or no longer) registered.
    T* Find(unsigned word) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto found = objects_.find(word);
        return found == objects_.end() ? nullptr : found->second;
    }

private:
    mutable std::mutex mutex_;
    std::unordered_map<unsigned, T*> objects_;
    unsigned last_ = 0;
};
