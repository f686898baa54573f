// The game plan: the game's table of contents read once at start-up from
// "GamePlan.xml" in the game folder. It holds the environment settings, the
// asset table (asset name -> file) and the story of chapters. The start-up
// loads it; the asset loader, the game flow and the chapter states read it.
#pragma once

#include "configfile.h"
#include "singleton.h"

#include <list>
#include <map>
#include <string>

class TiXmlElement;

// One chapter of the story, as read from its "Chapter" element.
struct Chapter {
    std::string title;
    bool hasIntro = false;
    std::string intro;  // intro animation file
    bool hasLevel = false;
    std::string level;  // level file, relative to the game folder
    bool hasIntroMusic = false;
    std::string introMusic;
    bool hasLevelMusic = false;
    std::string levelMusic;
    bool hasLoopPoints = false;  // the loop points are set only with this flag
    int32_t loopStart = 0;
    int32_t loopEnd = 0;
    bool hasWinAnim = false;
    std::string winAnim;
    bool hasLoseAnim = false;
    std::string loseAnim;

    const std::string& GetTitle() const { return title; }
    bool HasIntro() const { return hasIntro; }
    const std::string& GetIntro() const { return intro; }
    bool HasLevel() const { return hasLevel; }
    const std::string& GetLevel() const { return level; }
    bool HasIntroMusic() const { return hasIntroMusic; }
    const std::string& GetIntroMusic() const { return introMusic; }
    bool HasLevelMusic() const { return hasLevelMusic; }
    const std::string& GetLevelMusic() const { return levelMusic; }
    bool HasLoopPoints() const { return hasLoopPoints; }
    int32_t GetLoopStart() const { return loopStart; }
    int32_t GetLoopEnd() const { return loopEnd; }
    bool HasWinAnim() const { return hasWinAnim; }
    const std::string& GetWinAnim() const { return winAnim; }
    bool HasLoseAnim() const { return hasLoseAnim; }
    const std::string& GetLoseAnim() const { return loseAnim; }
};

// The story: a title and the chapters in file order. Chapters keep their
// addresses while the story lives, so callers may hold Chapter pointers.
class Story {
public:
    int GetChapterCount() const;
    void AddChapter(const Chapter& chapter);
    void Clear();
    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return title_; }

    // Each look-up writes null and returns false when there is no answer.
    bool GetFirstChapter(const Chapter** chapter) const;
    // The first chapter with exactly this title (case-sensitive).
    bool FindChapter(const char* title, const Chapter** chapter) const;
    // The chapter after the first one with this title.
    bool GetNextChapter(const char* title, const Chapter** chapter) const;

private:
    std::string title_;
    std::list<Chapter> chapters_;
};

class GamePlan : public Singleton<GamePlan> {
public:
    static GamePlan* GetInstance();

    // Reads folder/fileName once; false at once when already loaded.
    bool Load(const char* folder, const char* fileName);
    bool LoadFile(const std::string& path);
    bool IsLoaded() const { return loaded_; }

    const std::string& GetDirectory() const { return directory_; }
    Story& GetStory() { return story_; }
    const Story& GetStory() const { return story_; }

    // Environment settings; empty, 0, 0.0 or false when absent.
    std::string GetEnvString(const std::string& key) const;
    int GetEnvInt(const std::string& key) const;
    float GetEnvFloat(const std::string& key) const;
    bool GetEnvBool(const std::string& key) const;

    // folder/AssetDir/path of a listed asset (folder/path without AssetDir);
    // false with an empty path for an unlisted name.
    bool GetAssetPath(const std::string& name, std::string* path) const;

private:
    void ReadEnvironment(const TiXmlElement* environment);
    void ReadAssets(const TiXmlElement* assets);
    void ReadStory(const TiXmlElement* story);
    void ReadChapter(const TiXmlElement* element, Chapter* chapter);

    bool loaded_ = false;
    std::string directory_;
    ConfigFile environment_;
    std::map<std::string, std::string> assets_;
    Story story_;
};

// The text of the element's first text child, or null when it has none.
const char* GetFirstText(const TiXmlElement* element);
