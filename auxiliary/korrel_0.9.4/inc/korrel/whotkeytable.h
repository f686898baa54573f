// The toolkit's hot-key table: which accelerator table serves which window.
// The GUI thread looks a window up for every key while other threads
// register tables, so every operation takes the table's own lock.
#pragma once

#include "guiwindow.h"  // HWND, HACCEL

#include <mutex>
#include <vector>

struct WHotKeyEntry {
    HWND window = nullptr;
    HACCEL table = nullptr;
};

class WHotKeyTable {
public:
    void Add(HWND window, HACCEL table);
    // Removes every entry of the window.
    void Drop(HWND window);
    // The entry registered last for the window, else the one registered last
    // for its parent (so a key in a dialog's control finds the dialog's table).
    bool Find(HWND window, HWND parent, WHotKeyEntry* found) const;
    int Count() const;

private:
    mutable std::mutex mutex_;
    std::vector<WHotKeyEntry> entries_;  // registration order
};

// The table of the process.
WHotKeyTable& KorrelHotKeys();
