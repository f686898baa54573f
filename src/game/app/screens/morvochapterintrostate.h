// MorvoChapterIntroState: state 7, between a menu's chapter choice and the
// game. Its first frame lets the game flow load the chapter's level; then
// it plays the chapter's intro animation with its music on black and goes
// to the game when the animation ends. A typed character or a click of the
// left or right button fades to the game instead; a chapter without an
// intro goes there at once. As message client 2 it hears its animation end.
#pragma once

#include "appstate.h"
#include "keyframeanimation.h"
#include "levellistener.h"
#include "messageclient.h"

#include <cstdint>

class Application;
class GfxComponent;
class InputDevice;
class SoundRegistry;

class MorvoChapterIntroState : public AppState, public MessageClient, public LevelListener {
public:
    static constexpr int32_t kClientId = 2;
    static constexpr float kFadeSeconds = 0.5f;
    static constexpr int kMusicVolume = 128;

    MorvoChapterIntroState();

    // Registers as message client 2 and listens to the game flow; true.
    bool Init();

    void Update(float dt) override;
    void Enter(int previousIndex) override;
    void Exit(int nextIndex) override;
    // A typed character starts the fade to the game.
    LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    bool HandleMessage(MessageHandle message) override;
    // Loads the chapter's intro animation and music.
    void OnLevelLoaded() override;

    // Starts the fade to the target state unless one runs.
    void StartFade(int targetState);
    // Ends the main loop and posts the quit message (not called by the game).
    void Quit();

    bool IsFading() const { return fading_; }
    float GetFadeTime() const { return fadeTime_; }
    int32_t GetTargetState() const { return targetState_; }
    bool IsSkipping() const { return skip_; }
    int32_t GetIntroMusic() const { return introMusic_; }
    const KeyframeAnimation& GetIntroAnimation() const { return introAnimation_; }

private:
    void HandleInput();
    void Render();

    GfxComponent* graphics_ = nullptr;
    InputDevice* input_ = nullptr;
    Application* application_ = nullptr;
    SoundRegistry* sound_ = nullptr;
    KeyframeAnimation introAnimation_;
    int32_t introMusic_ = -1;
    bool fading_ = false;
    float fadeTime_ = 0.0f;
    int32_t targetState_ = -1;
    bool skip_ = false;
    bool firstFrame_ = true;
};

// Strictly inside the rectangle of the given corner and size (not called by the game).
bool PointInIntroRect(float x, float y, float rx, float ry, float width, float height);
