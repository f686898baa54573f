// The message manager singleton: registers message clients by id and sends
// messages at once, into an inbox or after a delay on its own clock (which
// only the chapter intro advances). IdGenerator hands out automatic ids.
#pragma once

#include "message.h"
#include "singleton.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <queue>
#include <vector>

class MessageClient;

// Fixed client ids of the game; automatic ids begin at kFirstAutomaticClientId.
constexpr int32_t kInGameClientId = 1;
constexpr int32_t kChapterIntroClientId = 2;
constexpr int32_t kFirstAutomaticClientId = 8;

struct DelayedMessage {
    float dueTime = 0.0f;
    int32_t receiver = 0;
    MessageHandle message;

    // Reversed: the record due first is the greatest (top of a max-heap).
    bool operator<(const DelayedMessage& other) const { return dueTime > other.dueTime; }
};

class IdGenerator : public Singleton<IdGenerator> {
public:
    static IdGenerator* GetInstance();
    // The counter, then counts on (8, 9, ...).
    int32_t Next();

private:
    int32_t counter_ = kFirstAutomaticClientId;
};

class MessageManager : public Singleton<MessageManager> {
public:
    static MessageManager* GetInstance();

    // Stamps the time and puts the message in the client's inbox; false (and
    // the message dropped) for an unknown id.
    bool Send(int32_t id, MessageHandle message);
    // Stamps the time and lets the client handle the message now.
    bool SendImmediate(int32_t id, MessageHandle message);
    // Queues the message until the clock has passed clock + delay; always true.
    bool SendDelayed(float delay, int32_t id, MessageHandle message);
    // Advances the clock and sends every message due strictly before it.
    void Update(float dt);

    int32_t Register(MessageClient* client);
    int32_t RegisterWithId(int32_t id, MessageClient* client);
    void Unregister(int32_t id);

    MessageClient* FindClient(int32_t id) const;
    float GetClock() const { return clock_; }
    size_t GetDelayedCount() const { return delayed_.size(); }

private:
    std::priority_queue<DelayedMessage, std::vector<DelayedMessage>> delayed_;
    std::map<int32_t, MessageClient*> clients_;
    float clock_ = 0.0f;
};
