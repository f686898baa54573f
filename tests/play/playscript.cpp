// The scripted player; see playscript.h.
#include "playscript.h"

#include "gfxcomponent.h"
#include "menuscreen.h"
#include "stateindex.h"

void ScriptDriver::Add(int state, int wait, std::function<void(ScriptDriver&)> act)
{
    steps_.push_back({state, wait, std::move(act)});
}

void ScriptDriver::AddTitleToChapter(int levelSelectButton)
{
    Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) { d.PointAt(0); });
    Add(StateIndex::kTitle, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    Add(StateIndex::kLevelSelect, kFadeFrames, [levelSelectButton](ScriptDriver& d) { d.PointAt(levelSelectButton); });
    Add(StateIndex::kLevelSelect, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
}

void ScriptDriver::PointAt(int hoverIndex)
{
    auto* screen = dynamic_cast<MenuScreen*>(State());
    if (screen == nullptr) {
        return;
    }
    for (const MenuButton& button : screen->Layout().buttons) {
        if (button.hoverIndex != hoverIndex) {
            continue;
        }
        float x, y, w, h;
        const GfxComponent* graphics = GfxComponent::GetInstance();
        ButtonPixels(button, graphics->GetWindowWidth(), graphics->GetWindowHeight(), &x, &y, &w, &h);
        const int tx = static_cast<int>(x + w / 2);
        const int ty = static_cast<int>(y + h / 2) - kMenuPointerSize;
        Move(tx - screen->GetPointerX(), screen->GetPointerY() - ty);
    }
}

void ScriptDriver::SaveFrame(const std::string& name)
{
    SaveLastFrame(PlayPicturesFolder() + "/" + name);
}

void ScriptDriver::Frame()
{
    if (FrameNumber() == 1) {
        Focus();
    }
    if (Finished()) {
        return;
    }
    const Step& step = steps_[next_];
    if (CurrentState() == step.state && FramesInState() >= step.wait && FrameNumber() - lastStepFrame_ >= step.wait) {
        lastStepFrame_ = FrameNumber();
        ++next_;
        step.act(*this);
    }
}
