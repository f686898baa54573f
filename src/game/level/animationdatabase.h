// The level's embedded keyframe animations by index and name. Filled by the
// level reader, played by index by the in-game state when a trigger asks.
// Index 9999 stands for a missing animation; an animation's id is its index.
#pragma once

#include "keyframeanimation.h"
#include "singleton.h"

#include <map>
#include <string>
#include <vector>

constexpr unsigned int kInvalidAnimationId = 9999;

class AnimationDatabase : public Singleton<AnimationDatabase> {
public:
    static AnimationDatabase* GetInstance();

    // Loads the file into a new entry (id = index) and maps the name to it
    // unless the name is taken; 9999 and nothing added when it cannot be read.
    unsigned int Load(const std::string& path, const std::string& name);
    // The index mapped to the name; 9999 (logged) for an unknown one.
    unsigned int GetId(const std::string& name) const;
    // The stored animation, or null for an index at or past the count.
    // Pointers are invalid after the next Load or Clear.
    KeyframeAnimation* Get(unsigned int index);
    unsigned int GetCount() const { return static_cast<unsigned int>(animations_.size()); }
    const std::map<std::string, unsigned int>& GetNames() const { return names_; }

    // Every Load call of the level as given, loaded or not, in call order;
    // the level writer writes these back.
    struct Declared {
        std::string name;
        std::string path;
    };
    const std::vector<Declared>& GetDeclared() const { return declared_; }
    // Empties the table and the declarations, giving each animation's
    // textures back.
    void Clear();

private:
    std::vector<KeyframeAnimation> animations_;
    std::map<std::string, unsigned int> names_;
    std::vector<Declared> declared_;
};
