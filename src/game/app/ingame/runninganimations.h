// RunningAnimations: the level's embedded keyframe animations that triggers
// started, kept by their index in the AnimationDatabase and looked up again
// on every use, so that the edit dialog may empty or refill the database at
// any time: an index that no longer names an animation is dropped. The
// in-game state updates and draws them each frame and ends them when their
// finished message arrives.
#pragma once

#include <cstddef>
#include <list>

class KeyframeAnimation;

class RunningAnimations {
public:
    // Rewinds the database's animation at the index, sets it playing and
    // appends it; false (nothing added) when the index names none.
    bool Start(unsigned int index);
    // Updates each entry in list order; entries whose index names no
    // animation any more are dropped first.
    void Update(float dt);
    // Draws each entry in list order (the same dropping).
    void Draw();
    // Stops and removes every entry with this index (the finished message's datum).
    void Finish(int index);
    // Forgets every entry; the animations stay in the database.
    void Clear();

    size_t GetCount() const { return indices_.size(); }
    const std::list<unsigned int>& GetIndices() const { return indices_; }

private:
    // Erases the entries whose index names no animation.
    void DropMissing();

    std::list<unsigned int> indices_;
};
