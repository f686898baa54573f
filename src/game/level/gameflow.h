// GameFlow: turns a menu's request (a new game, optionally from a named
// chapter) into a running level: finds the chapter in the game plan,
// unloads the level in the world, sets the world up, reads the level file
// and tells the level listeners. The chapter intro and in-game states call
// Update every frame; the menus only queue requests.
#pragma once

#include "singleton.h"

#include <cstdint>
#include <list>
#include <string>

struct Chapter;
class LevelListener;

class GameFlow : public Singleton<GameFlow> {
public:
    static constexpr int32_t kRequestNone = 0;
    static constexpr int32_t kRequestNewGame = 1;
    static constexpr int32_t kRequestNextChapter = 2;

    static GameFlow* GetInstance();

    // Queues a new game from the named chapter (null: the story's first).
    // A request must not be pending. Story mode is switched on at once.
    void RequestNewGame(const char* chapterTitle);
    void RequestNextChapter();
    // Carries out the pending request.
    void Update();

    bool StartChapter(const Chapter* chapter);
    bool LoadLevel(const char* path);
    void UnloadLevel();

    // Prepares the world for a new level: bounds, capacity, pair force,
    // damping, grid, active window, boy and rules.
    void SetupWorldForLevel();
    // Removes and deletes the pair force and the attractor.
    void TeardownWorld();

    // Listeners are borrowed, kept in registration order, without duplicates.
    void AddListener(LevelListener* listener);
    void RemoveListener(LevelListener* listener);

    int32_t GetInGame() const { return inGame_; }
    bool IsLevelLoaded() const { return levelLoaded_; }
    bool IsStoryMode() const { return storyMode_; }
    const std::string& GetCurrentChapterTitle() const { return currentChapter_; }
    int32_t GetPendingRequest() const { return pendingRequest_; }
    const std::string& GetRequestedChapter() const { return requestedChapter_; }

private:
    int32_t inGame_ = 0;
    bool levelLoaded_ = false;
    bool storyMode_ = false;
    std::string currentChapter_;
    int32_t pendingRequest_ = kRequestNone;
    std::string requestedChapter_;
    std::list<LevelListener*> listeners_;
};
