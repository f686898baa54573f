// Reading, timing and drawing keyframe animations.
#include "keyframeanimation.h"

#include "debuglog.h"
#include "filepath.h"
#include "gfxcomponent.h"
#include "messagemanager.h"
#include "texture.h"
#include "texturemanager.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kMaxLineLength = 1024;  // longer lines are cut

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Cuts a "#" comment and trailing blanks; with leading, also leading blanks.
std::string CleanField(const std::string& text, bool leading)
{
    std::string field = text.substr(0, text.find('#'));
    while (!field.empty() && IsBlank(field.back())) {
        field.pop_back();
    }
    size_t start = 0;
    while (leading && start < field.size() && IsBlank(field[start])) {
        ++start;
    }
    return field.substr(start);
}

// One line of at most kMaxLineLength characters (the rest dropped), without
// its line end; false at the end of the file.
bool ReadLine(FILE* file, std::string* line)
{
    line->clear();
    int c = std::fgetc(file);
    if (c == EOF) {
        return false;
    }
    while (c != EOF && c != '\n') {
        if (line->size() < kMaxLineLength) {
            line->push_back(static_cast<char>(c));
        }
        c = std::fgetc(file);
    }
    if (!line->empty() && line->back() == '\r') {
        line->pop_back();
    }
    return true;
}

enum class BlockEnd { End, EndOfFile };

// Reads a keyframe block up to its "End" into key (values in pixels).
BlockEnd ReadKeyframe(FILE* file, Keyframe* key, float scaleX, float scaleY)
{
    std::string name;
    std::string value;
    while (ReadKeyValue(file, &name, &value)) {
        if (name == "End") {
            return BlockEnd::End;
        }
        if (name == "Pos" || name == "Position") {
            const Vec2 v = ParseVec2(value);
            key->position = Vec2(v.x * scaleX, v.y * scaleY);
        } else if (name == "Size") {
            const Vec2 v = ParseVec2(value);
            key->size = Vec2(v.x * scaleX, v.y * scaleY);
        } else if (name == "Alpha") {
            key->alpha = static_cast<float>(std::atof(value.c_str()));
        } else if (name == "Orientation") {
            key->angle = static_cast<float>(std::atof(value.c_str()));
        } else if (name == "Display") {
            key->visible = ParseBool(value);
        }
    }
    return BlockEnd::EndOfFile;
}

// Reads an object block up to its "End"; the keyframe record is reused so
// that keys missing from a block keep the previous keyframe's values.
BlockEnd ReadObject(FILE* file, AnimObject* object, float scaleX, float scaleY)
{
    Keyframe key;
    std::string name;
    std::string value;
    while (ReadKeyValue(file, &name, &value)) {
        if (name == "End") {
            return BlockEnd::End;
        }
        if (name == "Image") {
            object->texture = GfxComponent::GetInstance()->textures->Load(value.c_str());
            if (object->texture == nullptr) {
                DebugLog("Warning: animation image \"%s\" did not load; the object is not drawn.\n", value.c_str());
            }
        } else if (name == "Keyframe") {
            key.time = static_cast<float>(std::atof(value.c_str()));
            const BlockEnd end = ReadKeyframe(file, &key, scaleX, scaleY);
            // An endless time would make an animation that never finishes.
            if (std::isfinite(key.time)) {
                object->keyframes.push_back(key);
            } else {
                DebugLog("Warning: keyframe time \"%s\" is not a finite number; the keyframe is skipped.\n",
                         value.c_str());
            }
            if (end == BlockEnd::EndOfFile) {
                return end;
            }
        }
    }
    return BlockEnd::EndOfFile;
}

}  // namespace

bool ReadKeyValue(FILE* file, std::string* key, std::string* value)
{
    std::string line;
    while (ReadLine(file, &line)) {
        size_t start = 0;
        while (start < line.size() && IsBlank(line[start])) {
            ++start;
        }
        if (start == line.size() || line[start] == '#') {
            continue;
        }
        while (start < line.size() && (IsBlank(line[start]) || line[start] == ':')) {
            ++start;
        }
        const size_t colon = line.find(':', start);
        if (colon == std::string::npos) {
            *key = CleanField(line.substr(start), false);
            value->clear();
            return true;
        }
        *key = CleanField(line.substr(start, colon - start), false);
        const size_t second = line.find(':', colon + 1);
        const size_t length = second == std::string::npos ? std::string::npos : second - colon - 1;
        *value = CleanField(line.substr(colon + 1, length), true);
        return true;
    }
    return false;
}

bool ParseBool(const std::string& text)
{
    return text == "True" || text == "true" || text == "T" || text == "t" || text == "1";
}

Vec2 ParseVec2(const std::string& text)
{
    float x = 0.0f;
    float y = 0.0f;
    std::sscanf(text.c_str(), "%f,%f", &x, &y);
    return Vec2(x, y);
}

void ParseVec3(const std::string& text, float* x, float* y, float* z)
{
    *x = *y = *z = 0.0f;
    std::sscanf(text.c_str(), "%f,%f,%f", x, y, z);
}

void ParseVec4(const std::string& text, float* x, float* y, float* z, float* w)
{
    *x = *y = *z = *w = 0.0f;
    std::sscanf(text.c_str(), "%f,%f,%f,%f", x, y, z, w);
}

// ---- AnimObject ----

Keyframe AnimObject::Interpolate(const Keyframe& from, const Keyframe& to, float t)
{
    const float d = to.time - from.time;
    const float w = (d - (t - from.time)) / d;
    Keyframe key;
    key.time = t;
    key.position =
        Vec2(w * from.position.x + (1.0f - w) * to.position.x, w * from.position.y + (1.0f - w) * to.position.y);
    key.size = Vec2(w * from.size.x + (1.0f - w) * to.size.x, w * from.size.y + (1.0f - w) * to.size.y);
    key.alpha = w * from.alpha + (1.0f - w) * to.alpha;
    key.angle = w * from.angle + (1.0f - w) * to.angle;
    key.visible = from.visible;
    return key;
}

bool AnimObject::KeyAt(float t, Keyframe* key) const
{
    if (keyframes.empty()) {
        return false;
    }
    if (t >= keyframes.back().time) {
        *key = keyframes.back();
        return true;
    }
    if (t <= keyframes.front().time) {
        return false;
    }
    size_t i = 0;
    while (i + 1 < keyframes.size() && keyframes[i + 1].time < t) {
        ++i;
    }
    *key = Interpolate(keyframes[i], keyframes[i + 1], t);
    return true;
}

void AnimObject::Draw(float t) const
{
    Keyframe key;
    if (KeyAt(t, &key)) {
        DrawKey(key);
    }
}

void AnimObject::DrawKey(const Keyframe& key) const
{
    // An image that failed to load was reported when the file was read.
    if (texture == nullptr || !key.visible) {
        return;
    }
    const float windowHeight = static_cast<float>(GfxComponent::GetInstance()->GetWindowHeight());
    DrawTexturedQuad2D(texture, key.position.x, windowHeight - key.position.y - key.size.y, key.size.x, key.size.y,
                       key.angle, key.alpha);
}

// ---- KeyframeAnimation ----

bool KeyframeAnimation::HandleMessage(MessageHandle)
{
    return false;
}

bool KeyframeAnimation::Load(const std::string& path)
{
    const GfxComponent* gfx = GfxComponent::GetInstance();
    return LoadForWindow(path, gfx->GetWindowWidth(), gfx->GetWindowHeight());
}

bool KeyframeAnimation::LoadForWindow(const std::string& path, int windowWidth, int windowHeight)
{
    path_ = path;
    duration_ = 0.0f;
    FILE* file = OpenFile(path, "r");
    if (file == nullptr) {
        DebugLog("Unable to read the animation file %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const float scaleX = static_cast<float>(windowWidth) / kVirtualScreenWidth;
    const float scaleY = static_cast<float>(windowHeight) / kVirtualScreenHeight;
    std::string key;
    std::string value;
    while (ReadKeyValue(file, &key, &value)) {
        if (key != "Object") {
            continue;
        }
        AnimObject object;
        const BlockEnd end = ReadObject(file, &object, scaleX, scaleY);
        std::stable_sort(object.keyframes.begin(), object.keyframes.end());
        objects_.push_back(object);
        if (end == BlockEnd::EndOfFile) {
            break;
        }
    }
    std::fclose(file);
    for (const AnimObject& object : objects_) {
        if (!object.keyframes.empty()) {
            duration_ = std::max(duration_, object.keyframes.back().time);
        }
    }
    return true;
}

void KeyframeAnimation::Update(float dt)
{
    if (playing_) {
        SetTime(time_ + dt);
    }
}

void KeyframeAnimation::SetTime(float t)
{
    time_ = t;
    if (t <= duration_) {
        if (t < 0.0f) {
            time_ = 0.0f;
        }
        return;
    }
    if (looping_) {
        // An empty animation has no length to wrap around.
        time_ = duration_ > 0.0f ? std::fmod(t, duration_) : 0.0f;
        return;
    }
    time_ = duration_;
    Stop();
    NotifyFinished();
}

void KeyframeAnimation::Draw() const
{
    for (const AnimObject& object : objects_) {
        object.Draw(time_);
    }
}

void KeyframeAnimation::Clear()
{
    for (AnimObject& object : objects_) {
        if (object.texture != nullptr) {
            GfxComponent::GetInstance()->textures->Release(object.texture);
        }
    }
    objects_.clear();
    playing_ = true;
    looping_ = false;
    time_ = 0.0f;
    path_.clear();
}

void KeyframeAnimation::NotifyFinished()
{
    MessageHandle message(new Message(MSG_ANIMATION_FINISHED));
    message->SetData(id_);
    MessageManager::GetInstance()->Send(receiver_, message);
}
