// A message between game objects and the application states: a type, an
// integer datum, the delivery time and a list of integer parameters.
// Reference-counted: always held through a RefHandle, deleted with the last.
#pragma once

#include "refcounted.h"

#include <cstdint>
#include <list>

// Message types the game sends (trigger effects pass through unchanged).
enum MessageType : int32_t {
    MSG_ANIMATION_FINISHED = 3,
    MSG_PLAY_ANIMATION = 14,
    MSG_LEVEL_WON = 15,
    MSG_LEVEL_LOST = 16,
    MSG_PARTICLES_OFF = 17,
    MSG_PARTICLES_ON = 18,
    MSG_CLEAN = 19,
};

class Message : public RefCounted {
public:
    Message() = default;
    explicit Message(int32_t type)
        : type_(type)
    {}

    int32_t GetType() const { return type_; }
    void SetType(int32_t type) { type_ = type; }
    int32_t GetData() const { return data_; }
    void SetData(int32_t data) { data_ = data; }
    // Seconds of application time, stamped at delivery.
    float GetTime() const { return time_; }
    void SetTime(float time) { time_ = time; }

    void AddParameter(int32_t value) { parameters_.push_back(value); }
    const std::list<int32_t>& GetParameters() const { return parameters_; }
    // The parameter at the index, or the fallback when there are fewer.
    int32_t GetParameter(int index, int32_t fallback = 0) const;

    // The last handle let go.
    void Destroy() override { delete this; }

private:
    int32_t data_ = 0;
    int32_t type_ = 0;
    float time_ = 0.0f;
    std::list<int32_t> parameters_;
};

using MessageHandle = RefHandle<Message>;
