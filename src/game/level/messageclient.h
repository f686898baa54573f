// A receiver of messages with an integer id and an inbox. The in-game state
// (id 1) and the chapter intro (id 2) derive from it; the message manager
// fills the inbox and the owner empties it once a frame.
#pragma once

#include "message.h"

#include <cstddef>
#include <cstdint>
#include <list>

class MessageClient {
public:
    MessageClient() = default;
    // Leaves the message manager's map and releases the inbox.
    virtual ~MessageClient();
    MessageClient(const MessageClient&) = delete;
    MessageClient& operator=(const MessageClient&) = delete;

    // True when the client handled the message.
    virtual bool HandleMessage(MessageHandle message) = 0;

    // Appends to the inbox; always true.
    bool Receive(MessageHandle message);
    // Handles the inbox front to back, including messages that a handler
    // adds on the way, then empties it.
    void ProcessMessages();

    int32_t GetClientId() const { return id_; }
    void SetClientId(int32_t id) { id_ = id; }
    size_t GetInboxSize() const { return inbox_.size(); }

private:
    int32_t id_ = 0;
    std::list<MessageHandle> inbox_;
};
