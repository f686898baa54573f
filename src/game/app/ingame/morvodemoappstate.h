// MorvoDemoAppstate: application state 1, where a level is played. Each
// frame it drives the game flow, handles its messages, reads the input,
// advances the world by at most one fixed step of 1/60 s, updates the boy,
// the camera and the 2D animations, checks the triggers, judges the win and
// lose rules and draws the frame. It fades in over 0.5 s when entered and
// out over 0.5 s before handing over. As message client 1 it receives the
// animation-finished messages and the trigger effects; as a level listener
// it builds the camera, cursor, sky and sounds after each load and releases
// them before each unload. Backslash opens the edit dialog (state 2).
#pragma once

#include "appstate.h"
#include "ingamesounds.h"
#include "keyframeanimation.h"
#include "levellistener.h"
#include "messageclient.h"
#include "runninganimations.h"
#include "stateindex.h"
#include "vec3.h"

#include <cstdint>
#include <memory>

class AnimatedMaterial;
class Application;
class GfxComponent;
class InputDevice;
class OrbitCamera;
class SoundOutput;

// Ids of the four overlay animations: negative, so that no database index
// (the id of a level's embedded animation) can ever equal one of them.
constexpr int32_t kWinAnimationId = -3;
constexpr int32_t kLoseAnimationId = -4;
constexpr int32_t kHelpAnimationId = -5;
constexpr int32_t kScreenshotAnimationId = -6;

class MorvoDemoAppstate : public AppState, public MessageClient, public LevelListener {
public:
    static constexpr float kFixedStep = 1.0f / 60.0f;
    static constexpr float kMaxFrameTime = 0.05f;
    static constexpr float kFadeSeconds = 0.5f;
    static constexpr float kMouseSensitivity = 2.0f;

    // Takes the singletons and listens to the game flow.
    MorvoDemoAppstate();
    ~MorvoDemoAppstate() override;

    // Registers as message client 1 and loads the help and screenshot
    // overlays; the result of the second load.
    bool Init();

    void Update(float dt) override;
    void Enter(int previousIndex) override;
    void Exit(int nextIndex) override;

    bool HandleMessage(MessageHandle message) override;

    void OnLevelLoaded() override;
    void OnBeforeLevelUnload() override;

    // Fades out towards the state; ignored while a fade-out runs.
    void Leave(int targetState);
    void Win();
    void Lose();
    // Ends the main loop and posts the quit message.
    void Quit();

    // One playing frame's keyboard and mouse (dt capped at 0.05 s).
    void HandleInput(float dt);
    // Draws the frame and presents it; nothing without a window.
    void Render();
    void DrawCursor();
    void DrawBoyGlow();
    // The graphics registries as text, and a log line naming the file.
    void DumpMeshInfo(const char* fileName);

    // The steering point's offset from the boy after a mouse move: past 5
    // units it runs ahead faster, and it never goes beyond 20.
    static Vec3 MoveSteeringOffset(Vec3 offset, const Vec3& move);
    // Half size of the cursor billboard: a constant share of the view at the
    // camera's distance, never below half a world unit.
    static float CursorHalfSize(float fov, float distance);
    // The tank's glow around the boy: half size and alpha by its fill,
    // thinner while the camera is nearer than 8 units.
    struct Glow {
        float halfSize;
        float alpha;
    };
    static Glow BoyGlow(float storedPower, float capacity, float distance);

    // The start-up's "MouseInvert".
    void SetMouseInvert(bool invert) { mouseInvert_ = invert; }
    // Sounds go through the registry unless another output is given (null: the registry).
    void SetSoundOutput(SoundOutput* output) { sounds_.SetOutput(output); }

    // The animations started by triggers; the edit dialog forgets them when
    // it replaces the level's animations.
    RunningAnimations& GetRunningAnimations() { return running_; }
    InGameSounds& GetSounds() { return sounds_; }
    OrbitCamera* GetCamera() const { return camera_.get(); }
    AnimatedMaterial* GetCursorMaterial() const { return cursorMaterial_; }
    bool IsFadingIn() const { return fadingIn_; }
    bool IsFadingOut() const { return fadingOut_; }
    int32_t GetTargetState() const { return targetState_; }
    bool HasWinAnimation() const { return hasWinAnimation_; }
    bool IsWinShown() const { return winShown_; }
    bool IsLoseShown() const { return loseShown_; }
    bool IsHelpShown() const { return helpShown_; }
    bool IsScreenshotShown() const { return screenshotShown_; }
    const KeyframeAnimation& GetWinAnimation() const { return winAnimation_; }
    const KeyframeAnimation& GetHelpAnimation() const { return helpAnimation_; }
    int32_t GetRenderModeCounter() const { return renderModeCounter_; }

private:
    void FadeOutStep(float dt);
    void FadeInStep(float dt);
    void PlayingFrame(float dt);
    void UpdateAnimations(float dt);
    void Judge();
    bool HandleAnimationFinished(int32_t id);

    // Parts of HandleInput.
    void SteerAndTurn(int dx, int dy);
    void UseTankAndAttractor();
    void HandleKeys();
    void Zoom(int dz, float dt);

    bool mouseInvert_ = false;
    bool hasWinAnimation_ = false;
    KeyframeAnimation winAnimation_;
    bool winShown_ = false;
    bool hasLoseAnimation_ = false;
    KeyframeAnimation loseAnimation_;
    bool loseShown_ = false;
    KeyframeAnimation helpAnimation_;
    bool helpShown_ = false;
    KeyframeAnimation screenshotAnimation_;
    bool screenshotShown_ = false;
    GfxComponent* graphics_;
    InputDevice* input_;
    Application* application_;
    std::unique_ptr<OrbitCamera> camera_;
    AnimatedMaterial* cursorMaterial_ = nullptr;  // owned by the material manager
    int32_t renderModeCounter_ = 1;
    bool stepNow_ = true;  // the first playing frame of the run always steps
    bool attractorRadiusResetPending_ = true;
    float accumulator_ = 0.0f;
    float fixedStep_ = kFixedStep;
    float mouseSensitivity_ = kMouseSensitivity;
    bool fadingOut_ = false;
    bool fadingIn_ = false;
    float fadeTime_ = 0.0f;
    int32_t targetState_ = -1;
    RunningAnimations running_;
    InGameSounds sounds_;
};
