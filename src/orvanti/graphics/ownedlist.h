// The graphics managers' lists of owned objects (models, materials,
// textures): deleting one object, and deleting them all in list order.
#pragma once

#include <list>
#include <memory>

// Deletes the object and drops it from the list; nothing when it is not there.
template <typename T> void RemoveOwned(std::list<std::unique_ptr<T>>& list, const T* item)
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->get() == item) {
            list.erase(it);
            return;
        }
    }
}

// Deletes the objects front to back, then empties the list.
template <typename T> void ClearInListOrder(std::list<std::unique_ptr<T>>& list)
{
    for (auto& item : list)
        item.reset();
    list.clear();
}
