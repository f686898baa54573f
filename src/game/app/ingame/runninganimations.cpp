// Running keyframe animations by database index; see runninganimations.h.
#include "runninganimations.h"

#include "animationdatabase.h"
#include "keyframeanimation.h"

namespace {

KeyframeAnimation* Lookup(unsigned int index)
{
    return AnimationDatabase::GetInstance()->Get(index);
}

}  // namespace

bool RunningAnimations::Start(unsigned int index)
{
    KeyframeAnimation* animation = Lookup(index);
    if (animation == nullptr) {
        return false;
    }
    indices_.push_back(index);
    animation->SetTime(0.0f);
    animation->Play();
    return true;
}

void RunningAnimations::Update(float dt)
{
    DropMissing();
    // An update may finish an animation; its message only arrives next frame,
    // so the list does not change during the walk.
    for (unsigned int index : indices_) {
        Lookup(index)->Update(dt);
    }
}

void RunningAnimations::Draw()
{
    DropMissing();
    for (unsigned int index : indices_) {
        Lookup(index)->Draw();
    }
}

void RunningAnimations::Finish(int index)
{
    for (auto it = indices_.begin(); it != indices_.end();) {
        if (index >= 0 && *it == static_cast<unsigned int>(index)) {
            if (KeyframeAnimation* animation = Lookup(*it)) {
                animation->Stop();
            }
            it = indices_.erase(it);
        } else {
            ++it;
        }
    }
}

void RunningAnimations::Clear()
{
    indices_.clear();
}

void RunningAnimations::DropMissing()
{
    indices_.remove_if([](unsigned int index) { return Lookup(index) == nullptr; });
}
