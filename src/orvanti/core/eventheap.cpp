// The scheduler's min-heap: ties stay in insertion order along a path and
// go to the left child on the way down.
#include "eventheap.h"

#include <utility>

EventHeap::EventHeap(int capacity)
    : capacity_(capacity > 0 ? capacity : 0),
      keys_(new float[capacity_ > 0 ? capacity_ : 1]()),
      items_(new RefHandle<ScheduledEvent>[capacity_ > 0 ? capacity_ : 1])
{}

bool EventHeap::Push(float key, ScheduledEvent* event)
{
    if (count_ >= capacity_)
        return false;
    keys_[count_] = key;
    items_[count_] = event;
    ++count_;
    SiftUp(count_ - 1);
    return true;
}

void EventHeap::Pop()
{
    if (count_ == 0)
        return;
    --count_;
    // Moves the top's handle out first, so the event's Destroy runs with
    // the heap already consistent.
    RefHandle<ScheduledEvent> top;
    top.Swap(items_[0]);
    if (count_ > 0) {
        keys_[0] = keys_[count_];
        items_[0].Swap(items_[count_]);
        SiftDown();
    }
}

float EventHeap::TopTime() const
{
    return count_ >= 1 ? keys_[0] : -1.0f;
}

ScheduledEvent* EventHeap::Top() const
{
    return count_ >= 1 ? items_[0].Get() : nullptr;
}

void EventHeap::SwapEntries(int a, int b)
{
    std::swap(keys_[a], keys_[b]);
    items_[a].Swap(items_[b]);
}

void EventHeap::SiftUp(int index)
{
    while (index > 0) {
        int parent = (index - 1) / 2;
        if (keys_[parent] <= keys_[index])
            return;
        SwapEntries(index, parent);
        index = parent;
    }
}

void EventHeap::SiftDown()
{
    int index = 0;
    int right = 2 * index + 2;
    int left = right - 1;
    while (right < count_) {
        int chosen = keys_[right] < keys_[left] ? right : left;
        if (!(keys_[chosen] < keys_[index]))
            return;
        SwapEntries(index, chosen);
        index = chosen;
        right = 2 * index + 2;
        left = right - 1;
    }
    if (right == count_ && keys_[left] < keys_[index])
        SwapEntries(index, left);
}
