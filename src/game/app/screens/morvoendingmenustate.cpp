// The ending menu; see morvoendingmenustate.h.
#include "morvoendingmenustate.h"

#include "application.h"
#include "inputdevice.h"
#include "stateindex.h"

namespace {

enum EndingButton { kMenu, kContinue };

MenuLayout EndingLayout()
{
    return MenuLayout{
        "MorvoEndingMenuState",
        "MEMS_MCURSOR_TEX",
        "MEMS_BGROUND_TEX",
        {},
        "MEMS_BGMUSIC",
        {
            {kMenu, 0.041015625f, 0.333984375f, 0.091796875f, 0.091796875f, "MEMS_MENUBUTTONOVER_TEX"},
            {kContinue, 0.28125f, 0.412109375f, 0.244140625f, 0.244140625f, "MEMS_CONTINUEBUTTONOVER_TEX"},
        },
        {kContinue, kMenu},
        2,
        1,
        true,
        false,
    };
}

}  // namespace

MorvoEndingMenuState::MorvoEndingMenuState()
    : MenuScreen(EndingLayout())
{}

void MorvoEndingMenuState::OnClick(int hoverIndex)
{
    if (hoverIndex == kMenu) {
        PlayOver();
        Leave(StateIndex::kTitle);
    } else {
        PlayDown();
        Leave(StateIndex::kLevelSelect);
    }
}

void MorvoEndingMenuState::OnKeys()
{
    if (input_->IsKeyPressed(DIK_RETURN)) {
        PlayDown();
        application_->RequestState(StateIndex::kInGame);
    }
    if (input_->IsKeyPressed(DIK_ESCAPE)) {
        Quit();
    }
}
