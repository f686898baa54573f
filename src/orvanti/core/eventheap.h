// EventHeap: a fixed-capacity binary min-heap of scheduled events keyed by
// their fire time. Each stored event holds one reference from the heap.
// No allocation after construction.
#pragma once

#include "refcounted.h"
#include "scheduledevent.h"

#include <memory>

class EventHeap {
public:
    explicit EventHeap(int capacity);
    EventHeap(const EventHeap&) = delete;
    EventHeap& operator=(const EventHeap&) = delete;

    // False (and no reference taken) when the heap is full.
    bool Push(float key, ScheduledEvent* event);
    // Removes the top entry and releases it; nothing when empty.
    void Pop();
    // keys[0], or -1.0 when empty.
    float TopTime() const;
    // The top event, or null when empty.
    ScheduledEvent* Top() const;
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }

private:
    void SwapEntries(int a, int b);
    void SiftUp(int index);
    void SiftDown();

    int count_ = 0;
    int capacity_ = 0;
    std::unique_ptr<float[]> keys_;
    std::unique_ptr<RefHandle<ScheduledEvent>[]> items_;
};
