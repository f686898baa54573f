// The hot-key table under its lock.
#include "korrel/whotkeytable.h"

#include <algorithm>

void WHotKeyTable::Add(HWND window, HACCEL table)
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(WHotKeyEntry{window, table});
}

void WHotKeyTable::Drop(HWND window)
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [window](const WHotKeyEntry& entry) { return entry.window == window; }),
                   entries_.end());
}

bool WHotKeyTable::Find(HWND window, HWND parent, WHotKeyEntry* found) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (HWND wanted : {window, parent}) {
        bool taken = false;
        for (const WHotKeyEntry& entry : entries_) {
            if (wanted && entry.window == wanted) {
                *found = entry;
                taken = true;
            }
        }
        if (taken) {
            return true;
        }
    }
    return false;
}

int WHotKeyTable::Count() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(entries_.size());
}

WHotKeyTable& KorrelHotKeys()
{
    static WHotKeyTable* table = new WHotKeyTable;
    return *table;
}
