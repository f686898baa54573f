// The screen-only pilot of the end-to-end chapter runs: it knows what a
// player sees. Every frame it projects the morvos through the camera's own
// view and projection matrices and keeps those that fall inside the window
// and short of the fog; of the kinds it was told to convert it flies to the
// nearest, the light held on. With none in sight it turns the camera (right
// button held, mouse sideways) until one comes into view. It prints the
// near-white share of the first playable frame and the game time of the win.
#pragma once

#include "playscript.h"

#include <string>

class ScreenPilot : public ScriptDriver {
public:
    enum Prey : unsigned { kGrey = 1u, kDark = 2u };
    // The line it prints, followed by the share (0..1), or by the seconds.
    static constexpr const char* kWhiteShareLine = "screen pilot: first frame near-white share ";
    static constexpr const char* kWonLine = "screen pilot: won after seconds ";
    // Channels at least this bright count as near white.
    static constexpr int kNearWhite = 240;

    // Chases the morvo kinds in `prey` (kGrey | kDark); saves the first
    // playable frame under that picture name.
    ScreenPilot(unsigned prey, std::string firstFrame);

    void Frame() override;

private:
    void Fly();
    void Search();

    unsigned prey_;
    std::string firstFrame_;
    int startFrame_ = -1;
    bool holding_ = false;
    bool turning_ = false;
    bool won_ = false;
    int target_ = -1;  // morvo index being chased
};
