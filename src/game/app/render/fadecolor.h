// The colour the in-game state and the chapter intro fade through.
#pragma once

constexpr float kFadeRed = 0.26667f;
constexpr float kFadeGreen = 0.37657f;
constexpr float kFadeBlue = 0.5098f;
