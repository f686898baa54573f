// The level select; see morvodreamstate.h.
#include "morvodreamstate.h"

#include "gameflow.h"
#include "inputdevice.h"
#include "stateindex.h"

namespace {

enum DreamButton { kMenu, kDream1, kDream2, kDream3, kDream4, kExtras };

constexpr const char* kChapters[] = {"Daydream1", "Daydream2", "Daydream3", "Daydream4"};
constexpr float kDreamX = 0.251953125f;
constexpr float kDreamWidth = 0.3408203125f;
constexpr float kDreamHeight = 0.2213542f;

MenuLayout DreamLayout()
{
    return MenuLayout{
        "MorvoDreamState",
        "MSDR_MCURSOR_TEX",
        "MSDR_BGROUND_TEX",
        {},
        "MSDR_BGMUSIC",
        {
            {kMenu, 0.041015625f, 0.31640625f, 0.0888671875f, 0.1184896f, "MSDR_MENUBUTTONOVER_TEX"},
            {kDream1, kDreamX, 0.73828125f, kDreamWidth, kDreamHeight, "MSDR_DREAM1BUTTONOVER_TEX"},
            {kDream2, kDreamX, 0.5052083f, kDreamWidth, kDreamHeight, "MSDR_DREAM2BUTTONOVER_TEX"},
            {kDream3, kDreamX, 0.2721354f, kDreamWidth, kDreamHeight, "MSDR_DREAM3BUTTONOVER_TEX"},
            {kDream4, kDreamX, 0.0390625f, kDreamWidth, kDreamHeight, "MSDR_DREAM4BUTTONOVER_TEX"},
            {kExtras, 0.640625f, 0.0f, 0.15625f, 0.2083333f, "MSDR_DREAMEXTRABUTTONOVER_TEX"},
        },
        {kDream1, kDream2, kDream3, kDream4, kExtras, kMenu},
        3,
        1,
        false,
        false,
    };
}

}  // namespace

MorvoDreamState::MorvoDreamState()
    : MenuScreen(DreamLayout())
{}

void MorvoDreamState::OnClick(int hoverIndex)
{
    switch (hoverIndex) {
        case kMenu:
            PlayOver();
            Leave(StateIndex::kTitle);
            break;
        case kDream1:
        case kDream2:
        case kDream3:
        case kDream4:
            PlayDown();
            GameFlow::GetInstance()->RequestNewGame(kChapters[hoverIndex - kDream1]);
            Leave(StateIndex::kChapterIntro);
            break;
        case kExtras:
            PlayDown();
            Leave(StateIndex::kExtras);
            break;
        default:
            break;
    }
}

void MorvoDreamState::OnKeys()
{
    if (input_->IsKeyPressed(DIK_ESCAPE) || input_->IsKeyPressed(DIK_M)) {
        PlayOver();
        Leave(StateIndex::kTitle);
    }
    if (input_->IsKeyPressed(DIK_Q)) {
        Quit();
    }
}
