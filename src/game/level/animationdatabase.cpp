// The animation table of the loaded level.
#include "animationdatabase.h"

#include "debuglog.h"

AnimationDatabase* AnimationDatabase::GetInstance()
{
    if (Singleton<AnimationDatabase>::FindInstance() == nullptr) {
        new AnimationDatabase();
    }
    return Singleton<AnimationDatabase>::FindInstance();
}

unsigned int AnimationDatabase::Load(const std::string& path, const std::string& name)
{
    declared_.push_back({name, path});
    KeyframeAnimation animation;
    if (!animation.Load(path)) {
        return kInvalidAnimationId;
    }
    const unsigned int index = static_cast<unsigned int>(animations_.size());
    animations_.push_back(animation);
    animations_.back().SetId(static_cast<int32_t>(index));
    names_.emplace(name, index);
    return index;
}

unsigned int AnimationDatabase::GetId(const std::string& name) const
{
    const auto it = names_.find(name);
    if (it == names_.end()) {
        DebugLog("AnimationDatabase: Trying to get an invalid ID: %s\n", name.c_str());
        return kInvalidAnimationId;
    }
    return it->second;
}

KeyframeAnimation* AnimationDatabase::Get(unsigned int index)
{
    return index < animations_.size() ? &animations_[index] : nullptr;
}

void AnimationDatabase::Clear()
{
    for (KeyframeAnimation& animation : animations_) {
        animation.Clear();
    }
    animations_.clear();
    names_.clear();
    declared_.clear();
}
