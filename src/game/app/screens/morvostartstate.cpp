// The title screen; see morvostartstate.h.
#include "morvostartstate.h"

#include "editingflag.h"
#include "gameflow.h"
#include "gfxcomponent.h"
#include "inputdevice.h"
#include "soundregistry.h"
#include "stateindex.h"

namespace {

enum TitleButton { kStart, kCredits, kExit };

MenuLayout TitleLayout()
{
    return MenuLayout{
        "MorvoStartState",
        "MSA_MCURSOR_TEX",
        "MSA_BGROUND_TEX",
        {"MSA_DEDICATE_TEX"},
        "MSA_BGMUSIC",
        {
            {kStart, 357.0f / 1024.0f, 438.0f / 768.0f, 123.0f / 1024.0f, 123.0f / 768.0f, "MSA_STARTBUTTONOVER_TEX"},
            {kCredits, 745.0f / 1024.0f, 442.0f / 768.0f, 0.125f, 1.0f / 6.0f, "MSA_CREDITSBUTTONOVER_TEX"},
            {kExit, 732.0f / 1024.0f, 225.0f / 768.0f, 0.0703125f, 0.0703125f, "MSA_EXITBUTTONOVER_TEX"},
        },
        {kStart, kCredits, kExit},
        0,
        0,
        false,
        true,
    };
}

constexpr int kDedicationTexture = 0;
constexpr float kCardFade = 0.5f;

}  // namespace

MorvoStartState::MorvoStartState()
    : MenuScreen(TitleLayout())
{}

void MorvoStartState::OnClick(int hoverIndex)
{
    switch (hoverIndex) {
        case kStart:
            PlayOver();
            Leave(StateIndex::kLevelSelect);
            break;
        case kCredits:
            PlayDown();
            GameFlow::GetInstance()->RequestNewGame("Credits");
            Leave(StateIndex::kChapterIntro);
            break;
        case kExit:
            Leave(StateIndex::kQuit);
            break;
        default:
            break;
    }
}

void MorvoStartState::OnKeys()
{
    if (input_->IsKeyPressed(DIK_O)) {
        sound_->StopStream(GetMusic());
    }
    if (input_->IsKeyPressed(DIK_P)) {
        sound_->PlayStream(GetMusic());
    }
    if (input_->IsKeyPressed(DIK_L)) {
        sound_->PauseStream(GetMusic());
    }
    if (input_->IsKeyPressed(DIK_Q)) {
        Quit();
    }
    const bool skip = input_->IsKeyPressed(DIK_ESCAPE) || input_->IsKeyPressed(DIK_SPACE) ||
                      input_->IsKeyPressed(DIK_RETURN) || input_->IsMouseButtonPressed(0);
    if (skip && elapsed_ < dedicationTime_ - kCardFade) {
        elapsed_ = dedicationTime_ - kCardFade;
    }
}

bool MorvoStartState::DrawCover()
{
    if (elapsed_ >= dedicationTime_) {
        return false;
    }
    const float width = static_cast<float>(WindowWidth());
    const float height = static_cast<float>(WindowHeight());
    DrawPicture(ExtraTexture(kDedicationTexture), 0.0f, 0.0f, width, height);
    if (elapsed_ < kCardFade) {
        graphics_->DrawColoredRect2D(0.0f, 0.0f, 0.0f, 1.0f - elapsed_ / kCardFade, 0.0f, 0.0f, width, height);
    } else if (elapsed_ > dedicationTime_ - kCardFade) {
        graphics_->DrawColoredRect2D(0.0f, 0.0f, 0.0f, (elapsed_ - dedicationTime_) / kCardFade + 1.0f, 0.0f, 0.0f,
                                     width, height);
    }
    return true;
}

void MorvoStartState::OnFadeOutDone(int targetState)
{
    if (targetState == StateIndex::kQuit) {
        Quit();
    } else {
        MenuScreen::OnFadeOutDone(targetState);
    }
}

bool MorvoStartState::StartNewGame(bool editing)
{
    GameFlow::GetInstance()->RequestNewGame(nullptr);
    SetEditingEnabled(editing);
    return true;
}
