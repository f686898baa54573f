// 2D keyframe animations: textured images moved, sized, turned, faded and
// shown between keyframes, authored on a 1024 x 768 virtual screen in a
// key:value text file and drawn over the window in 2D mode. When it passes
// its end without looping it sends a type-3 message to its receiver.
// Played by the chapter intro, the in-game overlays and level triggers.
#pragma once

#include "message.h"
#include "vec2.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class Texture;

// Size of the virtual screen keyframe files are written on.
constexpr float kVirtualScreenWidth = 1024.0f;
constexpr float kVirtualScreenHeight = 768.0f;

struct Keyframe {
    float time = 0.0f;
    Vec2 position{0.0f, 0.0f};  // window pixels from the top-left
    Vec2 size{1.0f, 1.0f};      // window pixels
    float alpha = 1.0f;
    float angle = 0.0f;  // degrees
    bool visible = true;

    bool operator<(const Keyframe& other) const { return time < other.time; }
};

class AnimObject {
public:
    Texture* texture = nullptr;       // loaded by the texture manager
    std::vector<Keyframe> keyframes;  // sorted by time after reading

    // The key to show at time t: false when nothing shows (before the first
    // key, or no keys at all).
    bool KeyAt(float t, Keyframe* key) const;
    static Keyframe Interpolate(const Keyframe& from, const Keyframe& to, float t);
    void Draw(float t) const;
    // Draws the key when the object has a texture and the key is visible.
    void DrawKey(const Keyframe& key) const;
};

// Reads the next line that is not empty or a comment and splits it into key
// and value (comments cut, blanks trimmed); false at the end of the file.
bool ReadKeyValue(FILE* file, std::string* key, std::string* value);
bool ParseBool(const std::string& text);
Vec2 ParseVec2(const std::string& text);
void ParseVec3(const std::string& text, float* x, float* y, float* z);
void ParseVec4(const std::string& text, float* x, float* y, float* z, float* w);

class KeyframeAnimation {
public:
    KeyframeAnimation() = default;
    // Keeps the textures: only Clear gives them back (copies share them).
    virtual ~KeyframeAnimation() = default;
    KeyframeAnimation(const KeyframeAnimation&) = default;
    KeyframeAnimation& operator=(const KeyframeAnimation&) = default;

    // Ignores the message.
    virtual bool HandleMessage(MessageHandle message);

    // Appends the file's objects, converting to the current window's pixels;
    // false when the file cannot be opened.
    bool Load(const std::string& path);
    // The same for a window of the given size in pixels.
    bool LoadForWindow(const std::string& path, int windowWidth, int windowHeight);

    void Update(float dt);
    void SetTime(float t);
    void Play() { playing_ = true; }
    void Stop() { playing_ = false; }
    void Draw() const;
    // Gives the textures back and starts over: playing, not looping, time 0.
    void Clear();
    void NotifyFinished();

    float GetTime() const { return time_; }
    float GetDuration() const { return duration_; }
    int32_t GetId() const { return id_; }
    void SetId(int32_t id) { id_ = id; }
    int32_t GetReceiver() const { return receiver_; }
    void SetReceiver(int32_t receiver) { receiver_ = receiver; }
    bool IsPlaying() const { return playing_; }
    bool IsLooping() const { return looping_; }
    void SetLooping(bool looping) { looping_ = looping; }
    const std::string& GetPath() const { return path_; }
    const std::vector<AnimObject>& GetObjects() const { return objects_; }

private:
    std::vector<AnimObject> objects_;
    float duration_ = 0.0f;
    float time_ = 0.0f;
    int32_t id_ = 0;
    int32_t receiver_ = 1;  // the in-game state
    bool playing_ = true;
    bool looping_ = false;
    std::string path_;
};
