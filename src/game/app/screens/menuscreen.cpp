// The menu screens' common steps; see menuscreen.h.
#include "menuscreen.h"

#include "application.h"
#include "assetloader.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "gfxcomponent.h"
#include "inputdevice.h"
#include "mathutil.h"
#include "messagequeue.h"
#include "soundregistry.h"
#include "texture.h"

#include <GL/glew.h>

#include <utility>

MenuScreen::MenuScreen(MenuLayout layout)
    : graphics_(GfxComponent::GetInstance()),
      input_(InputDevice::GetInstance()),
      application_(Application::GetInstance()),
      sound_(SoundRegistry::GetInstance()),
      layout_(std::move(layout)),
      overs_(layout_.buttons.size(), nullptr),
      extras_(layout_.extraTextures.size(), nullptr),
      hover_(layout_.buttons.size(), false)
{
    pointerX_ = layout_.pointerQuartersX * WindowWidth() / 4;
    pointerY_ = layout_.pointerHalvesY * WindowHeight() / 2;
}

MenuScreen::~MenuScreen() = default;

int MenuScreen::WindowWidth() const
{
    return graphics_->GetWindowWidth();
}

int MenuScreen::WindowHeight() const
{
    return graphics_->GetWindowHeight();
}

void MenuScreen::SetPointer(int x, int y)
{
    pointerX_ = x;
    pointerY_ = y;
}

void MenuScreen::LoadTexture(const char* id, Texture*& texture)
{
    // A file that does not load leaves the pointer null; the texture
    // manager has named the file and why.
    AssetLoader::LoadClampedTexture(id, texture);
}

void MenuScreen::DrawPicture(const Texture* texture, float x, float y, float width, float height)
{
    if (texture != nullptr) {
        DrawTexturedRect2D(texture, x, y, width, height);
    }
}

void MenuScreen::Enter(int previousIndex)
{
    (void)previousIndex;
    DebugLog("Entering %s\n", layout_.className);
    fadingIn_ = true;
    fadeTime_ = 0.0f;
    LoadTexture(layout_.pointerTexture, pointer_);
    LoadTexture(layout_.backgroundTexture, background_);
    for (size_t i = 0; i < overs_.size(); ++i) {
        LoadTexture(layout_.buttons[i].overTexture, overs_[i]);
    }
    for (size_t i = 0; i < extras_.size(); ++i) {
        LoadTexture(layout_.extraTextures[i], extras_[i]);
    }
    // A sound that does not load keeps the handle -1 (the mixer has named
    // the file and why) and is not played.
    AssetLoader::LoadStream(layout_.music, music_);
    AssetLoader::LoadSample(kOverSample, overSample_);
    AssetLoader::LoadSample(kDownSample, downSample_);
    if (music_ >= 0) {
        sound_->PlayStream(music_);
    }
}

void MenuScreen::Exit(int nextIndex)
{
    (void)nextIndex;
    DebugLog("Exiting %s\n", layout_.className);
    fadingOut_ = false;
    fadeTime_ = 0.0f;
    targetState_ = -1;
    auto release = [](Texture*& texture) {
        if (texture != nullptr) {
            AssetLoader::ReleaseTexture(texture);
        }
    };
    release(pointer_);
    release(background_);
    for (Texture*& texture : overs_) {
        release(texture);
    }
    for (Texture*& texture : extras_) {
        release(texture);
    }
    if (music_ >= 0) {
        sound_->PauseStream(music_);
        AssetLoader::ReleaseStream(music_);
    }
}

void MenuScreen::Leave(int targetState)
{
    if (fadingOut_) {
        return;
    }
    fadingOut_ = true;
    fadeTime_ = 0.0f;
    targetState_ = targetState;
}

void MenuScreen::Quit()
{
    application_->Quit();
    PostQuitMessage(0);
}

void MenuScreen::OnFadeOutDone(int targetState)
{
    application_->RequestState(targetState);
}

void MenuScreen::SetMusicVolume(float share)
{
    if (music_ < 0) {
        return;
    }
    sound_->SetStreamVolume(music_, ClampInt(static_cast<int>(share * kFullVolume), 0, kFullVolume));
}

void MenuScreen::Update(float dt)
{
    if (fadingOut_) {
        fadeTime_ += dt;
        SetMusicVolume(1.0f - fadeTime_ / kFadeSeconds);
        const bool done = layout_.fadeOutEndsAtHalf ? fadeTime_ >= kFadeSeconds : fadeTime_ > kFadeSeconds;
        if (done) {
            if (music_ >= 0) {
                sound_->PauseStream(music_);
            }
            DebugLog("Switching State.\n");
            OnFadeOutDone(targetState_);
        }
    } else if (fadingIn_) {
        fadeTime_ += dt;
        SetMusicVolume(fadeTime_ / kFadeSeconds);
        if (fadeTime_ > kFadeSeconds) {
            fadeTime_ = 0.0f;
            fadingIn_ = false;
        }
    } else {
        HandleInput(dt);
        OnIdle(dt);
    }
    Render();
}

void MenuScreen::HandleInput(float dt)
{
    (void)dt;
    if (!application_->IsActive()) {
        return;
    }
    input_->PollKeyboard();
    input_->PollMouse();
    int dx = 0, dy = 0, dz = 0;
    input_->GetMouseDelta(dx, dy, dz);
    pointerX_ = ClampInt(pointerX_ + static_cast<int>(static_cast<float>(dx) * pointerSpeed_), 0, WindowWidth());
    pointerY_ = ClampInt(pointerY_ - static_cast<int>(static_cast<float>(dy) * pointerSpeed_), 0, WindowHeight());
    for (size_t i = 0; i < hover_.size(); ++i) {
        hover_[i] = PointerOverButton(layout_.buttons[i], pointerX_, pointerY_, WindowWidth(), WindowHeight());
    }
    if (input_->IsMouseButtonPressed(0)) {
        for (int position : layout_.clickOrder) {
            if (hover_[position]) {
                OnClick(layout_.buttons[position].hoverIndex);
                break;
            }
        }
    }
    OnKeys();
}

void MenuScreen::PlaySample(int handle)
{
    if (handle >= 0) {
        sound_->PlaySample(handle, kFullVolume);
    }
}

void MenuScreen::PlayOver()
{
    PlaySample(overSample_);
}

void MenuScreen::PlayDown()
{
    PlaySample(downSample_);
}

void MenuScreen::Render()
{
    const int width = WindowWidth();
    const int height = WindowHeight();
    glViewport(0, 0, width, height);
    glClearColor(1.0f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    if (!DrawCover()) {
        DrawMenu();
    }
    graphics_->SwapBuffers();
}

void MenuScreen::DrawMenu()
{
    const float width = static_cast<float>(WindowWidth());
    const float height = static_cast<float>(WindowHeight());
    DrawPicture(background_, 0.0f, 0.0f, width, height);
    int hovered = -1;
    for (size_t i = 0; i < hover_.size(); ++i) {
        if (!hover_[i]) {
            continue;
        }
        float x, y, w, h;
        ButtonPixels(layout_.buttons[i], WindowWidth(), WindowHeight(), &x, &y, &w, &h);
        DrawPicture(overs_[i], x, y, w, h);
        hovered = layout_.buttons[i].hoverIndex;
        if (hoveredIndex_ != hovered) {
            PlaySample(layout_.hoverWithDownSample ? downSample_ : overSample_);
        }
        break;
    }
    hoveredIndex_ = hovered;
    DrawPicture(pointer_, static_cast<float>(pointerX_), static_cast<float>(pointerY_), kMenuPointerSize,
                kMenuPointerSize);
    if (fadingOut_) {
        graphics_->DrawColoredRect2D(0.0f, 0.0f, 0.0f, fadeTime_ / kFadeSeconds, 0.0f, 0.0f, width, height);
    } else if (fadingIn_) {
        graphics_->DrawColoredRect2D(0.0f, 0.0f, 0.0f, 1.0f - fadeTime_ / kFadeSeconds, 0.0f, 0.0f, width, height);
    }
}

void MenuScreen::DrawWindowTexture(const Texture* texture)
{
    if (texture == nullptr) {
        DEBUG_BREAK("DrawWindowTexture without a texture");
        return;
    }
    const float width = static_cast<float>(WindowWidth());
    const float height = static_cast<float>(WindowHeight());
    const float bottom = 1.0f - height / width;
    glLoadIdentity();
    Begin2D();
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, height);
    glTexCoord2f(0.0f, bottom);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, bottom);
    glVertex2f(width, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(width, height);
    glEnd();
    End2D();
}
