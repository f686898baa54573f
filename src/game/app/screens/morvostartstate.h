// MorvoStartState: the title screen (state 0). On the first entry a
// dedication card fades in, stays and fades out over its first five
// seconds (Escape, Space, Return or a click skip to its fade-out); then the
// menu offers Start (level select), Credits (the credits chapter) and Exit.
// O, P and L stop, play and pause the music; Q quits at once.
#pragma once

#include "menuscreen.h"

class MorvoStartState : public MenuScreen {
public:
    static constexpr float kDedicationSeconds = 5.0f;

    MorvoStartState();

    float GetElapsed() const { return elapsed_; }
    void SetElapsed(float elapsed) { elapsed_ = elapsed; }
    // Queues a new game from the story's first chapter with editing on or
    // off (not called by the game).
    bool StartNewGame(bool editing);

protected:
    void OnClick(int hoverIndex) override;
    void OnKeys() override;
    void OnIdle(float dt) override { elapsed_ += dt; }
    bool DrawCover() override;
    void OnFadeOutDone(int targetState) override;

private:
    float elapsed_ = 0.0f;
    float dedicationTime_ = kDedicationSeconds;
};
