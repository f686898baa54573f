// The list-based event queue.
#include "sortedeventqueue.h"

#include "debugbreak.h"

SortedEventQueue::SortedEventQueue(int capacity)
    : capacity_(capacity > 0 ? capacity : 0),
      nodes_(new Node[capacity_ > 0 ? capacity_ : 1]),
      free_(new unsigned char[capacity_ > 0 ? capacity_ : 1])
{
    for (int i = 0; i < capacity_; ++i)
        free_[i] = 1;
}

bool SortedEventQueue::Insert(float time, ScheduledEvent* event)
{
    if (count_ >= capacity_)
        return false;
    int slot = 0;
    while (free_[slot] == 0)
        ++slot;
    Node* node = &nodes_[slot];
    free_[slot] = 0;
    node->time = time;
    node->event = event;

    Node* previous = nullptr;
    Node* next = head_;
    while (next != nullptr && next->time < time) {
        previous = next;
        next = next->next;
    }
    node->next = next;
    if (previous == nullptr)
        head_ = node;
    else
        previous->next = node;
    ++count_;
    return true;
}

void SortedEventQueue::Pop()
{
    if (count_ == 0 || head_ == nullptr)
        return;
    Node* node = head_;
    free_[node - nodes_.get()] = 1;
    head_ = node->next;
    --count_;
}

float SortedEventQueue::TopTime() const
{
    if (count_ == 0 || head_ == nullptr) {
        DEBUG_BREAK("TopTime of an empty event queue");
        return -1.0f;
    }
    return head_->time;
}

ScheduledEvent* SortedEventQueue::TopEvent() const
{
    if (count_ == 0 || head_ == nullptr) {
        DEBUG_BREAK("TopEvent of an empty event queue");
        return nullptr;
    }
    return head_->event;
}
