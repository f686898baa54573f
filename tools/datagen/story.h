// The story's chapters as the game plan lists them: title, level file
// (relative to the game folder) and the intro, music and win/lose
// animation paths (relative to the game's working folder, run/).
#pragma once

#include <string>
#include <vector>

struct ChapterEntry {
    std::string title;
    std::string level;
    std::string intro;
    std::string introMusic;
    std::string levelMusic;
    long loopStart = 0;
    long loopEnd = 0;
    std::string winAnim;
    std::string loseAnim;
};

constexpr const char* kStoryTitle = "Morvo Daydreams";

// Filled by GenerateStory, read by GenerateGamePlan.
const std::vector<ChapterEntry>& StoryChapters();
