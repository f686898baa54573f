// GameFlow: carries out the menus' requests, starts chapters, and loads and
// unloads levels around the world's per-level setup and teardown.
#include "gameflow.h"

#include "attractor.h"
#include "boy.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "gameplan.h"
#include "levellistener.h"
#include "morvofiles.h"
#include "morvoljfunc.h"
#include "morvosimulator.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "uniformgrid.h"

#include <algorithm>

namespace {

// The world is 3505 units wide: 17.525 on the simulation plane.
constexpr float kWorldSize = 3505.0f / 200.0f;
constexpr float kMorvoBodyRadius = 0.025f;
constexpr float kPairRadius = 2.0f * kMorvoBodyRadius;  // r0 = 0.05
constexpr float kPairCutoff = 1.4f * kPairRadius;       // rc = 0.07
constexpr float kPairStiffness = 15.0f;
constexpr float kPairMaxForce = 30.0f;
constexpr int32_t kMorvoCapacity = 10000;
constexpr float kLevelDamping = 0.9f;
constexpr float kCellsPerPairRadius = 3.0f;  // cell edge 0.15
constexpr float kActiveWindowCells = 20.0f;  // window edge 3.0

}  // namespace

GameFlow* GameFlow::GetInstance()
{
    GameFlow* instance = FindInstance();
    if (instance == nullptr) {
        instance = new GameFlow();
    }
    return instance;
}

void GameFlow::RequestNewGame(const char* chapterTitle)
{
    if (pendingRequest_ != kRequestNone) {
        DEBUG_BREAK("GameFlow::RequestNewGame: a request is already pending");
    }
    pendingRequest_ = kRequestNewGame;
    requestedChapter_ = chapterTitle != nullptr ? chapterTitle : "";
    storyMode_ = true;
}

void GameFlow::RequestNextChapter()
{
    if (pendingRequest_ != kRequestNone) {
        DEBUG_BREAK("GameFlow::RequestNextChapter: a request is already pending");
    }
    pendingRequest_ = kRequestNextChapter;
}

void GameFlow::Update()
{
    const Story& story = GamePlan::GetInstance()->GetStory();
    if (pendingRequest_ == kRequestNewGame) {
        const Chapter* chapter = nullptr;
        bool found = false;
        if (requestedChapter_.empty()) {
            DebugLog("Starting new game...\n");
            found = story.GetFirstChapter(&chapter);
        } else {
            DebugLog("Starting new game from chapter %s...\n", requestedChapter_.c_str());
            found = story.FindChapter(requestedChapter_.c_str(), &chapter);
        }
        if (!found || chapter == nullptr) {
            // A damaged game plan: the game goes back as from a failed start.
            DebugLog("Warning: chapter \"%s\" is not in the game plan.\n", requestedChapter_.c_str());
        }
        pendingRequest_ = kRequestNone;
        if (found && chapter != nullptr && StartChapter(chapter)) {
            inGame_ = 1;
            storyMode_ = true;
        } else {
            inGame_ = 0;
            storyMode_ = false;
        }
    } else if (pendingRequest_ == kRequestNextChapter) {
        DebugLog("Switching to next chapter...\n");
        pendingRequest_ = kRequestNone;
        if (storyMode_) {
            const Chapter* chapter = nullptr;
            if (story.GetNextChapter(currentChapter_.c_str(), &chapter) && StartChapter(chapter)) {
                inGame_ = 1;
                storyMode_ = true;
            } else {
                DebugLog("WARNING: Could not switch to next chapter.");
                inGame_ = 0;
                storyMode_ = false;
            }
        } else {
            DebugLog("  (But we're not in story mode...)\n");
            inGame_ = 0;
        }
    }
}

bool GameFlow::StartChapter(const Chapter* chapter)
{
    if (chapter == nullptr) {
        DEBUG_BREAK("GameFlow::StartChapter: no chapter");
        return false;
    }
    if (!chapter->HasLevel()) {
        // A damaged game plan: the start fails as for a missing level file.
        DebugLog("Warning: chapter \"%s\" has no level.\n", chapter->GetTitle().c_str());
    }
    const std::string path = GamePlan::GetInstance()->GetDirectory() + "/" + chapter->GetLevel();
    if (levelLoaded_) {
        UnloadLevel();
    }
    currentChapter_ = chapter->GetTitle();
    const bool loaded = LoadLevel(path.c_str());
    if (!loaded) {
        DebugLog("Failed to start new game!\n");
    }
    return loaded;
}

bool GameFlow::LoadLevel(const char* path)
{
    if (levelLoaded_) {
        DEBUG_BREAK("GameFlow::LoadLevel: a level is already loaded");
    }
    if (path == nullptr) {
        path = "";
    }
    DebugLog("Loading level at path \"%s\"\n", path);
    for (LevelListener* listener : listeners_) {
        listener->OnBeforeLevelLoad();
    }
    SetupWorldForLevel();
    levelLoaded_ = MorvoFiles::LoadLevel(path);
    if (!levelLoaded_) {
        // Nothing of the level that was there before stays behind: the
        // world is left set up for a level, empty.
        MorvoFiles::ClearLevel();
    }
    for (LevelListener* listener : listeners_) {
        listener->OnLevelLoaded();
    }
    return levelLoaded_;
}

void GameFlow::UnloadLevel()
{
    if (!levelLoaded_) {
        return;
    }
    DebugLog("Unloading level\n");
    for (LevelListener* listener : listeners_) {
        listener->OnBeforeLevelUnload();
    }
    TeardownWorld();
    currentChapter_.clear();
    levelLoaded_ = false;
    for (LevelListener* listener : listeners_) {
        listener->OnLevelUnloaded();
    }
}

void GameFlow::SetupWorldForLevel()
{
    MorvoWorld& world = GetMorvoWorld();
    if (!world.IsInitialised()) {
        DEBUG_BREAK("GameFlow::SetupWorldForLevel: the world is not initialised");
        return;
    }
    // Forces left by a level that failed to load (or never unloaded) go first,
    // so this level's are not refused as second registrations.
    TeardownWorld();

    world.SetBounds(-kWorldSize / 2.0f, kWorldSize / 2.0f, -kWorldSize / 2.0f, kWorldSize / 2.0f);
    world.GetStore()->SetCapacity(kMorvoCapacity);
    world.GetStore()->ResetHistory();
    world.SetMorvoLJFunc(new MorvoLJFunc(kPairRadius, kPairCutoff, kPairStiffness, kPairMaxForce));
    world.GetSimulator()->SetDamping(kLevelDamping);
    const float cell = kPairRadius * kCellsPerPairRadius;
    const int32_t cells = std::max(1, static_cast<int32_t>(kWorldSize / cell));
    world.GetGrid()->Resize(cells, cells);
    world.SetActiveWindowSize(cell * kActiveWindowCells);
    world.GetGrid()->Rebuild(world.GetStore(), kPairCutoff);
    world.Update(0.0f, true);

    Boy* boy = world.GetBoy();
    boy->position = Vec3(0.0f, 0.0f, 0.0f);
    world.SetBoyStart(boy->position);
    boy->tank.Deactivate();

    world.SetWinWhenAllPure(false);
    world.SetWinWhenNoDarkMorvos(false);
    world.SetWinWhenPurePowerThreshold(false);
}

void GameFlow::TeardownWorld()
{
    MorvoWorld& world = GetMorvoWorld();
    delete world.RemoveMorvoLJFunc();
    delete world.RemoveMorvoAttractorFunc();
}

void GameFlow::AddListener(LevelListener* listener)
{
    if (listener == nullptr) {
        return;
    }
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void GameFlow::RemoveListener(LevelListener* listener)
{
    listeners_.remove(listener);
}
