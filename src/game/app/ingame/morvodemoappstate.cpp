// The in-game state's frame, fades and judging; see morvodemoappstate.h.
// Input is in morvodemoinput.cpp, the level hooks and messages in
// morvodemolevelhooks.cpp, the drawing in morvodemorender.cpp.
#include "morvodemoappstate.h"

#include "application.h"
#include "boy.h"
#include "debuglog.h"
#include "editingflag.h"
#include "gameflow.h"
#include "gfxcomponent.h"
#include "inputdevice.h"
#include "animatedmaterial.h"
#include "messagemanager.h"
#include "messagequeue.h"
#include "morvoljfunc.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "triggerset.h"

#include <algorithm>

namespace {

constexpr int32_t kPlayingInGameWord = 1;

const char* const kHelpFile = "../assets/2D/help.txt";
const char* const kScreenshotFile = "../assets/2D/screenshot.txt";

}  // namespace

MorvoDemoAppstate::MorvoDemoAppstate()
    : graphics_(GfxComponent::GetInstance()),
      input_(InputDevice::GetInstance()),
      application_(Application::GetInstance())
{
    GameFlow::GetInstance()->AddListener(this);
}

MorvoDemoAppstate::~MorvoDemoAppstate()
{
    GameFlow::GetInstance()->RemoveListener(this);
    MorvoWorld& world = GetMorvoWorld();
    if (camera_ != nullptr && world.GetCamera() == camera_.get()) {
        world.SetCamera(nullptr);
    }
}

bool MorvoDemoAppstate::Init()
{
    MessageManager::GetInstance()->RegisterWithId(kInGameClientId, this);
    const struct {
        KeyframeAnimation* animation;
        int32_t id;
    } overlays[] = {
        {&winAnimation_, kWinAnimationId},
        {&loseAnimation_, kLoseAnimationId},
        {&helpAnimation_, kHelpAnimationId},
        {&screenshotAnimation_, kScreenshotAnimationId},
    };
    for (const auto& overlay : overlays) {
        overlay.animation->SetReceiver(kInGameClientId);
        overlay.animation->SetId(overlay.id);
    }
    helpAnimation_.Load(kHelpFile);
    return screenshotAnimation_.Load(kScreenshotFile);
}

void MorvoDemoAppstate::Enter(int /*previousIndex*/)
{
    DebugLog("Entering MorvoDemoAppstate\n");
    fadingIn_ = true;
    fadeTime_ = 0.0f;
    helpShown_ = false;
    helpAnimation_.SetTime(0.0f);
    screenshotShown_ = false;
    screenshotAnimation_.SetTime(0.0f);
    // Back on the same level after its end (the ending screen's Return): a
    // win or lose animation that ran to its end starts over when next shown.
    const struct {
        bool* shown;
        KeyframeAnimation* animation;
    } endings[] = {{&winShown_, &winAnimation_}, {&loseShown_, &loseAnimation_}};
    for (const auto& ending : endings) {
        if (!ending.animation->IsPlaying()) {
            *ending.shown = false;
            ending.animation->SetTime(0.0f);
            ending.animation->Play();
        }
    }
    if (MorvoLJFunc* pairForce = GetMorvoWorld().GetMorvoLJFunc()) {
        pairForce->conversionScore = 0;
        pairForce->lightningCount = 0;
        pairForce->rainCount = 0;
    }
    sounds_.StartStreams();
}

void MorvoDemoAppstate::Exit(int /*nextIndex*/)
{
    DebugLog("Exiting MorvoDemoAppstate\n");
    fadingOut_ = false;
    fadeTime_ = 0.0f;
    targetState_ = -1;
    sounds_.PauseStreams();
}

void MorvoDemoAppstate::Leave(int targetState)
{
    if (fadingOut_) {
        return;
    }
    fadingOut_ = true;
    fadeTime_ = 0.0f;
    targetState_ = targetState;
}

void MorvoDemoAppstate::Update(float dt)
{
    GetMorvoWorld().GetRainHits().Clear();
    GameFlow* flow = GameFlow::GetInstance();
    flow->Update();
    ProcessMessages();
    if (fadingOut_) {
        FadeOutStep(dt);
    } else if (fadingIn_) {
        FadeInStep(dt);
    } else {
        if (!flow->IsLevelLoaded() || flow->GetInGame() != kPlayingInGameWord) {
            application_->RequestState(StateIndex::kTitle);
            return;
        }
        PlayingFrame(std::min(dt, kMaxFrameTime));
    }
    Render();
}

void MorvoDemoAppstate::FadeOutStep(float dt)
{
    fadeTime_ += dt;
    sounds_.FadeOut(1.0f - fadeTime_ / kFadeSeconds);
    if (fadeTime_ > kFadeSeconds) {
        DebugLog("Switching State.\n");
        application_->RequestState(targetState_);
    }
}

void MorvoDemoAppstate::FadeInStep(float dt)
{
    fadeTime_ += dt;
    sounds_.SetMusicVolume(static_cast<int>(InGameSounds::kMusicVolume * fadeTime_ / kFadeSeconds));
    if (fadeTime_ > kFadeSeconds) {
        fadeTime_ = 0.0f;
        fadingIn_ = false;
    }
}

void MorvoDemoAppstate::PlayingFrame(float dt)
{
    MorvoWorld& world = GetMorvoWorld();
    HandleInput(dt);

    accumulator_ += dt;
    if (accumulator_ > fixedStep_ || stepNow_) {
        stepNow_ = false;
        accumulator_ = 0.0f;  // the remainder is dropped
        world.Update(kFixedStep, false);
        if (MorvoLJFunc* pairForce = world.GetMorvoLJFunc()) {
            sounds_.PlayStepSounds(*pairForce, world.GetBoy()->tank);
        }
    }

    UpdateAnimations(dt);
    Boy* boy = world.GetBoy();
    boy->Update(dt);
    if (cursorMaterial_ != nullptr) {
        cursorMaterial_->Update(dt);
    }
    if (camera_ != nullptr) {
        camera_->SetTarget(boy->position);
        camera_->Update(dt);
    }
    if (!IsEditingEnabled()) {
        world.GetTriggers().Check();
    }
    if (camera_ != nullptr) {
        sounds_.SetWindVolumes(boy->GetVelocity().Length(), camera_->GetEye().y);
    }
    world.CountMorvos();
    if (!IsEditingEnabled()) {
        Judge();
    }
}

void MorvoDemoAppstate::UpdateAnimations(float dt)
{
    running_.Update(dt);
    const struct {
        bool shown;
        KeyframeAnimation* animation;
    } overlays[] = {
        {winShown_, &winAnimation_},
        {helpShown_, &helpAnimation_},
        {screenshotShown_, &screenshotAnimation_},
        {loseShown_, &loseAnimation_},
    };
    for (const auto& overlay : overlays) {
        if (overlay.shown) {
            overlay.animation->Update(dt);
        }
    }
}

void MorvoDemoAppstate::Judge()
{
    const MorvoWorld& world = GetMorvoWorld();
    if (world.GetWinWhenAllPure() && world.HasOnlyPureMorvos()) {
        Win();
    }
    if (world.GetWinWhenNoDarkMorvos() && world.HasNoDarkMorvos()) {
        Win();
    }
    if (world.GetLoseWhenNoPureMorvos() && world.HasNoPureMorvos()) {
        Lose();
    }
}

void MorvoDemoAppstate::Win()
{
    if (hasWinAnimation_) {
        winShown_ = true;
        return;
    }
    sounds_.PlayLevelUp();
    Leave(StateIndex::kLevelSelect);
}

void MorvoDemoAppstate::Lose()
{
    if (hasLoseAnimation_) {
        loseShown_ = true;
        return;
    }
    sounds_.PlayLevelUp();
    Leave(StateIndex::kEndingMenu);
}

void MorvoDemoAppstate::Quit()
{
    application_->Quit();
    PostQuitMessage(0);
}
