// MenuScreen: the pattern every menu state follows. A full-window picture,
// a mouse-driven pointer and rectangular buttons that light up under it,
// with background music. Entering fades in over 0.5 s (input is ignored
// meanwhile); Leave fades out over 0.5 s and then asks for the target state.
// Each screen gives its layout (assets, buttons, pointer start) and its
// clicks and keys; the title adds its dedication card. A picture or sound
// that did not load (its loader named the file and why) is left out: the
// screen draws nothing in its place and plays nothing.
#pragma once

#include "appstate.h"
#include "menubutton.h"

#include <string>
#include <vector>

class Application;
class GfxComponent;
class InputDevice;
class SoundRegistry;
class Texture;

struct MenuLayout {
    const char* className;  // named in the entering and leaving log lines
    const char* pointerTexture;
    const char* backgroundTexture;
    std::vector<const char*> extraTextures;  // further pictures of the screen
    const char* music;
    std::vector<MenuButton> buttons;  // in hover-index order (drawing order)
    std::vector<int> clickOrder;      // button positions, in the order a click is matched
    int pointerQuartersX;             // pointer start x = quarters x W / 4
    int pointerHalvesY;               // pointer start y = halves x H / 2
    bool hoverWithDownSample;         // the hover sound is the down sample
    bool fadeOutEndsAtHalf;           // the fade-out ends at >= 0.5 s rather than > 0.5 s
};

class MenuScreen : public AppState {
public:
    static constexpr float kFadeSeconds = 0.5f;
    static constexpr int kFullVolume = 255;
    static constexpr const char* kOverSample = "MGEN_BUTTONOVER";
    static constexpr const char* kDownSample = "MGEN_BUTTONDOWN";

    explicit MenuScreen(MenuLayout layout);
    ~MenuScreen() override;

    void Update(float dt) override;
    void Enter(int previousIndex) override;
    void Exit(int nextIndex) override;

    // Fades out towards the state; ignored while a fade-out runs.
    void Leave(int targetState);
    // Ends the main loop and posts the quit message.
    void Quit();
    void HandleInput(float dt);
    void Render();
    // The texture over the whole window, its top rows cut to the window's
    // shape (not called by the game).
    void DrawWindowTexture(const Texture* texture);

    int GetPointerX() const { return pointerX_; }
    int GetPointerY() const { return pointerY_; }
    void SetPointer(int x, int y);
    int GetHoveredIndex() const { return hoveredIndex_; }
    bool IsHovered(int position) const { return hover_[position]; }
    bool IsFadingIn() const { return fadingIn_; }
    bool IsFadingOut() const { return fadingOut_; }
    float GetFadeTime() const { return fadeTime_; }
    int GetTargetState() const { return targetState_; }
    int GetMusic() const { return music_; }
    int GetOverSample() const { return overSample_; }
    int GetDownSample() const { return downSample_; }
    const MenuLayout& Layout() const { return layout_; }

protected:
    // The clicked button's sound and action.
    virtual void OnClick(int hoverIndex) = 0;
    // The screen's keys, after the click.
    virtual void OnKeys() {}
    // Time passing while no fade runs.
    virtual void OnIdle(float dt) { (void)dt; }
    // Draws something in place of the menu; true when it did.
    virtual bool DrawCover() { return false; }
    // The fade-out has ended.
    virtual void OnFadeOutDone(int targetState);

    void PlayOver();
    void PlayDown();
    Texture* ExtraTexture(int i) const { return extras_[i]; }
    // Draws the texture in the rectangle; nothing when it did not load.
    static void DrawPicture(const Texture* texture, float x, float y, float width, float height);
    int WindowWidth() const;
    int WindowHeight() const;

    GfxComponent* graphics_;
    InputDevice* input_;
    Application* application_;
    SoundRegistry* sound_;

private:
    void LoadTexture(const char* id, Texture*& texture);
    void PlaySample(int handle);
    void SetMusicVolume(float share);
    void DrawMenu();

    MenuLayout layout_;
    Texture* pointer_ = nullptr;
    Texture* background_ = nullptr;
    std::vector<Texture*> overs_;
    std::vector<Texture*> extras_;
    float pointerSpeed_ = 1.0f;
    int pointerX_ = 0;
    int pointerY_ = 0;
    int music_ = -1;
    int overSample_ = -1;
    int downSample_ = -1;
    int hoveredIndex_ = -1;
    std::vector<bool> hover_;
    bool fadingOut_ = false;
    bool fadingIn_ = false;
    float fadeTime_ = 0.0f;
    int targetState_ = -1;
};
