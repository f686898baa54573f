// A scripted player for the end-to-end runs: steps that each wait for a
// state and a number of frames, then act (press keys, move the menu
// pointer onto a button and click). The window gets the focus first.
#pragma once

#include "playharness.h"

#include <functional>
#include <string>
#include <vector>

class ScriptDriver : public PlayDriver {
public:
    struct Step {
        int state;  // the state that must be current
        int wait;   // frames since entering it and since the previous step
        std::function<void(ScriptDriver&)> act;
    };

    void Add(int state, int wait, std::function<void(ScriptDriver&)> act);
    // The steps that lead from the start through the title (dedication
    // skipped) and the level select into the chapter of that button.
    void AddTitleToChapter(int levelSelectButton);
    // Moves the menu pointer's hot spot onto the middle of the button.
    void PointAt(int hoverIndex);
    // Saves the frame last presented into the pictures folder under the name.
    void SaveFrame(const std::string& name);
    bool Finished() const { return next_ >= steps_.size(); }

    void Frame() override;

private:
    std::vector<Step> steps_;
    size_t next_ = 0;
    int lastStepFrame_ = 0;
};
