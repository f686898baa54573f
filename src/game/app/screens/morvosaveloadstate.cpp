// The pause menu; see morvosaveloadstate.h.
#include "morvosaveloadstate.h"

#include "inputdevice.h"
#include "stateindex.h"

namespace {

enum PauseButton { kMenu, kContinue };

MenuLayout PauseLayout()
{
    return MenuLayout{
        "MorvoSaveLoadState",
        "MSLS_MCURSOR_TEX",
        "MSLS_BGROUND_TEX",
        {},
        "MSLS_BGMUSIC",
        {
            {kMenu, 0.046875f, 0.3359375f, 0.083984375f, 0.083984375f, "MSLS_MENUBUTTONOVER_TEX"},
            {kContinue, 0.603515625f, 0.51367f, 0.19531f, 0.19531f, "MSLS_CONTINUEBUTTONOVER_TEX"},
        },
        {kContinue, kMenu},
        2,
        1,
        false,
        false,
    };
}

}  // namespace

MorvoSaveLoadState::MorvoSaveLoadState()
    : MenuScreen(PauseLayout())
{}

void MorvoSaveLoadState::OnClick(int hoverIndex)
{
    if (hoverIndex == kMenu) {
        PlayOver();
        Leave(StateIndex::kTitle);
    } else {
        PlayDown();
        Leave(StateIndex::kInGame);
    }
}

void MorvoSaveLoadState::OnKeys()
{
    if (input_->IsKeyPressed(DIK_RETURN) || input_->IsKeyPressed(DIK_ESCAPE)) {
        PlayDown();
        Leave(StateIndex::kInGame);
    }
    if (input_->IsKeyPressed(DIK_M)) {
        PlayOver();
        Leave(StateIndex::kTitle);
    }
    if (input_->IsKeyPressed(DIK_Q)) {
        Quit();
    }
}
