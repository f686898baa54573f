// The application states' places in the start-up's state table: every
// request for a state switch in the game names one of these.
#pragma once

namespace StateIndex {
constexpr int kTitle = 0;
constexpr int kInGame = 1;
constexpr int kEditDialog = 2;
constexpr int kPause = 3;
constexpr int kEndingMenu = 4;
constexpr int kLevelSelect = 5;
constexpr int kExtras = 6;
constexpr int kChapterIntro = 7;
constexpr int kCount = 8;
// A fade-out towards this "state" ends the program.
constexpr int kQuit = -1;
}  // namespace StateIndex
