// The in-game state as level listener and message client: what a level
// needs around the world after it loads (attractor, camera, cursor, sky,
// music, win and lose animations, sounds), its release before the level
// unloads, and the animation and trigger messages.
#include "morvodemoappstate.h"

#include "animatedmaterial.h"
#include "attractor.h"
#include "boy.h"
#include "debugbreak.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "materialmanager.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "renderscene.h"
#include "toolset.h"

namespace {

// The level's attractor.
constexpr float kAttractorStrength = 1000.0f;
constexpr float kAttractorSecondCoefficient = 0.0f;
constexpr float kAttractorRadius = 0.05f;
constexpr float kAttractorRatio = 0.5f;
constexpr float kAttractorBaseSize = 0.05f;
constexpr float kBrushRadius = 0.025f;

const char* const kCursorFile = "../assets/3D/CursorBillboard_1_0.tga";

}  // namespace

void MorvoDemoAppstate::OnLevelLoaded()
{
    // A level that did not read gets no unload: build nothing for it.
    if (!GameFlow::GetInstance()->IsLevelLoaded()) {
        return;
    }
    MorvoWorld& world = GetMorvoWorld();
    world.SetMorvoAttractorFunc(
        new Attractor(kAttractorStrength, kAttractorSecondCoefficient, kAttractorRadius, kAttractorRatio));
    world.SetAttractorBaseSize(kAttractorBaseSize);

    Boy* boy = world.GetBoy();
    camera_ = std::make_unique<OrbitCamera>();
    camera_->SetSubject(boy);
    camera_->SetTarget(boy->position);
    camera_->Reset();
    cursorMaterial_ = graphics_->materials->CreateAnimatedMaterial(kCursorFile);
    GetToolSet().SetRadius(kBrushRadius);
    world.SetCamera(camera_.get());
    LoadSkyboxFaces();

    const std::string& title = GameFlow::GetInstance()->GetCurrentChapterTitle();
    const Chapter* chapter = nullptr;
    if (!GamePlan::GetInstance()->GetStory().FindChapter(title.c_str(), &chapter)) {
        DEBUG_BREAK("MorvoDemoAppstate: the current chapter is not in the story");
        return;
    }
    sounds_.LoadMusic(*chapter);
    hasWinAnimation_ = chapter->HasWinAnim();
    if (hasWinAnimation_) {
        winAnimation_.Load(chapter->GetWinAnim());
    }
    winShown_ = false;
    hasLoseAnimation_ = chapter->HasLoseAnim();
    if (hasLoseAnimation_) {
        loseAnimation_.Load(chapter->GetLoseAnim());
    }
    loseShown_ = false;
    sounds_.LoadPlaySounds();
}

void MorvoDemoAppstate::OnBeforeLevelUnload()
{
    sounds_.Release();
    ReleaseSkyboxFaces();
    GetMorvoWorld().SetCamera(nullptr);
    graphics_->materials->RemoveMaterial(cursorMaterial_);
    cursorMaterial_ = nullptr;
    running_.Clear();
    winAnimation_.Clear();
    loseAnimation_.Clear();
    camera_.reset();
}

bool MorvoDemoAppstate::HandleMessage(MessageHandle message)
{
    switch (message->GetType()) {
        case MSG_ANIMATION_FINISHED:
            return HandleAnimationFinished(message->GetData());
        case MSG_PLAY_ANIMATION: {
            const int32_t index = message->GetParameter(0, -1);
            return index >= 0 && running_.Start(static_cast<unsigned int>(index));
        }
        case MSG_LEVEL_WON:
            Win();
            return true;
        case MSG_LEVEL_LOST:
            Lose();
            return true;
        default:
            // Particles on and off and the cleaning watch their trigger themselves.
            return false;
    }
}

bool MorvoDemoAppstate::HandleAnimationFinished(int32_t id)
{
    if (hasWinAnimation_ && winShown_ && winAnimation_.GetId() == id) {
        sounds_.PlayLevelUp();
        Leave(StateIndex::kLevelSelect);
        return true;
    }
    if (hasLoseAnimation_ && loseShown_ && loseAnimation_.GetId() == id) {
        sounds_.PlayLevelUp();
        Leave(StateIndex::kEndingMenu);
        return true;
    }
    if (helpShown_ && helpAnimation_.GetId() == id) {
        helpShown_ = false;
        helpAnimation_.SetTime(0.0f);
    } else if (screenshotShown_ && screenshotAnimation_.GetId() == id) {
        screenshotShown_ = false;
        screenshotAnimation_.SetTime(0.0f);
    }
    running_.Finish(id);
    return true;
}
