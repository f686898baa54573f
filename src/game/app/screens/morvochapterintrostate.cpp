// The chapter intro; see morvochapterintrostate.h.
#include "morvochapterintrostate.h"

#include "application.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "fadecolor.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "inputdevice.h"
#include "menubutton.h"
#include "messagemanager.h"
#include "soundregistry.h"
#include "stateindex.h"

#include <GL/glew.h>

MorvoChapterIntroState::MorvoChapterIntroState()
{
    // The singletons in the order the rest of the game creates them.
    application_ = Application::GetInstance();
    graphics_ = GfxComponent::GetInstance();
    input_ = InputDevice::GetInstance();
    sound_ = SoundRegistry::GetInstance();
}

bool MorvoChapterIntroState::Init()
{
    MessageManager::GetInstance()->RegisterWithId(kClientId, this);
    introAnimation_.SetReceiver(GetClientId());
    GameFlow::GetInstance()->AddListener(this);
    skip_ = false;
    return true;
}

void MorvoChapterIntroState::Enter(int previousIndex)
{
    (void)previousIndex;
    firstFrame_ = true;
    fading_ = false;
    fadeTime_ = 0.0f;
}

void MorvoChapterIntroState::Exit(int nextIndex)
{
    (void)nextIndex;
    introAnimation_.Clear();
    if (introMusic_ != -1) {
        sound_->StopStream(introMusic_);
    }
}

LRESULT MorvoChapterIntroState::HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR) {
        StartFade(StateIndex::kInGame);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void MorvoChapterIntroState::StartFade(int targetState)
{
    if (fading_) {
        return;
    }
    fading_ = true;
    fadeTime_ = 0.0f;
    targetState_ = targetState;
}

bool MorvoChapterIntroState::HandleMessage(MessageHandle message)
{
    if (message->GetType() != MSG_ANIMATION_FINISHED) {
        return false;
    }
    if (message->GetData() == introAnimation_.GetId()) {
        application_->RequestState(StateIndex::kInGame);
    }
    return true;
}

void MorvoChapterIntroState::OnLevelLoaded()
{
    const Chapter* chapter = nullptr;
    const std::string& title = GameFlow::GetInstance()->GetCurrentChapterTitle();
    if (!GamePlan::GetInstance()->GetStory().FindChapter(title.c_str(), &chapter)) {
        DEBUG_BREAK("the current chapter is not in the story");
        return;
    }
    if (chapter->HasIntro()) {
        introAnimation_.Clear();
        introAnimation_.Load(chapter->GetIntro());
    } else {
        skip_ = true;
    }
    if (chapter->HasIntroMusic()) {
        introMusic_ = sound_->LoadStreamNoLoopPoints(chapter->GetIntroMusic());
    } else {
        introMusic_ = -1;
    }
}

void MorvoChapterIntroState::Update(float dt)
{
    GameFlow::GetInstance()->Update();
    if (firstFrame_) {
        firstFrame_ = false;
        if (introMusic_ != -1) {
            // The volume needs the channel that playing gives the stream.
            sound_->PlayStream(introMusic_);
            sound_->SetStreamVolume(introMusic_, kMusicVolume);
        }
        return;
    }
    if (skip_) {
        application_->RequestState(StateIndex::kInGame);
        skip_ = false;
        return;
    }
    if (fading_) {
        fadeTime_ += dt;
        if (introMusic_ != -1) {
            sound_->SetStreamVolume(introMusic_, static_cast<int>((1.0f - fadeTime_ / kFadeSeconds) * kMusicVolume));
        }
        if (fadeTime_ > kFadeSeconds) {
            DebugLog("Switching State.\n");
            application_->RequestState(targetState_);
        }
    }
    introAnimation_.Update(dt);
    HandleInput();
    Render();
    ProcessMessages();
    MessageManager::GetInstance()->Update(dt);
}

void MorvoChapterIntroState::HandleInput()
{
    if (!application_->IsActive()) {
        return;
    }
    input_->PollKeyboard();
    input_->PollMouse();
    if (input_->IsMouseButtonPressed(0) || input_->IsMouseButtonPressed(1)) {
        StartFade(StateIndex::kInGame);
    }
}

void MorvoChapterIntroState::Render()
{
    const float width = static_cast<float>(graphics_->GetWindowWidth());
    const float height = static_cast<float>(graphics_->GetWindowHeight());
    glViewport(0, 0, graphics_->GetWindowWidth(), graphics_->GetWindowHeight());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    introAnimation_.Draw();
    if (fading_) {
        graphics_->DrawColoredRect2D(kFadeRed, kFadeGreen, kFadeBlue, fadeTime_ / kFadeSeconds, 0.0f, 0.0f, width,
                                     height);
    }
    graphics_->SwapBuffers();
}

void MorvoChapterIntroState::Quit()
{
    application_->Quit();
    PostQuitMessage(0);
}

bool PointInIntroRect(float x, float y, float rx, float ry, float width, float height)
{
    return PointInRect(x, y, rx, ry, width, height);
}
