// The extras screen; see morvoextrastate.h.
#include "morvoextrastate.h"

#include "gameflow.h"
#include "inputdevice.h"
#include "stateindex.h"

namespace {

enum ExtraButton { kMenu, kExtra1, kExtra2, kExtra3 };

constexpr const char* kChapters[] = {"DayDream1", "DayDream2", "DayDream3"};

MenuLayout ExtraLayout()
{
    return MenuLayout{
        "MorvoExtraState",
        "MSEX_MCURSOR_TEX",
        "MSEX_BGROUND_TEX",
        {},
        "MSEX_BGMUSIC",
        {
            {kMenu, 0.0537109375f, 0.3046875f, 0.095703125f, 0.1276042f, "MSEX_MENUBUTTONOVER_TEX"},
            {kExtra1, 0.4677734375f, 0.4700521f, 0.0625f, 0.0833333f, "MSEX_EXTRA1BUTTONOVER_TEX"},
            {kExtra2, 0.53125f, 0.40625f, 0.33984375f, 0.2200521f, "MSEX_EXTRA2BUTTONOVER_TEX"},
            {kExtra3, 0.875f, 0.46875f, 0.0625f, 0.0833333f, "MSEX_EXTRA3BUTTONOVER_TEX"},
        },
        {kExtra1, kExtra2, kExtra3, kMenu},
        3,
        1,
        false,
        false,
    };
}

}  // namespace

MorvoExtraState::MorvoExtraState()
    : MenuScreen(ExtraLayout())
{}

void MorvoExtraState::OnClick(int hoverIndex)
{
    if (hoverIndex == kMenu) {
        PlayOver();
        Leave(StateIndex::kTitle);
        return;
    }
    PlayDown();
    GameFlow::GetInstance()->RequestNewGame(kChapters[hoverIndex - kExtra1]);
    Leave(StateIndex::kChapterIntro);
}

void MorvoExtraState::OnKeys()
{
    if (input_->IsKeyPressed(DIK_ESCAPE) || input_->IsKeyPressed(DIK_M)) {
        PlayOver();
        Leave(StateIndex::kTitle);
    }
    if (input_->IsKeyPressed(DIK_Q)) {
        Quit();
    }
}
