// SortedEventQueue: up to capacity (time, event) pairs in a fixed pool of
// nodes linked in ascending time. The engine's list-based alternative to
// the EventHeap; events are not reference-counted here.
#pragma once

#include "scheduledevent.h"

#include <memory>

class SortedEventQueue {
public:
    // An empty queue without a pool: every Insert fails.
    SortedEventQueue() = default;
    explicit SortedEventQueue(int capacity);
    SortedEventQueue(const SortedEventQueue&) = delete;
    SortedEventQueue& operator=(const SortedEventQueue&) = delete;

    // After every entry of a smaller time, so before entries of the same
    // time; false when full.
    bool Insert(float time, ScheduledEvent* event);
    // Removes the head; nothing when empty.
    void Pop();
    // The head's time and event; on an empty queue a caller error
    // (debug break) that gives -1.0 and null.
    float TopTime() const;
    ScheduledEvent* TopEvent() const;
    int Count() const { return count_; }

private:
    struct Node {
        float time = -1.0f;
        ScheduledEvent* event = nullptr;
        Node* next = nullptr;
    };

    int count_ = 0;
    int capacity_ = 0;
    Node* head_ = nullptr;
    std::unique_ptr<Node[]> nodes_;
    std::unique_ptr<unsigned char[]> free_;
};
