// What every generator step shares: the output folders of the build tree,
// the asset table that becomes GamePlan.xml's "Assets" section, and the
// font renderer. Paths inside the data use "/" only.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fontlabels.h"

struct DataFolders {
    std::string build;     // the build tree
    std::string run;       // working folder of the game
    std::string assets2d;  // "../assets/2D" seen from run/
    std::string assets3d;  // "../assets/3D" seen from run/
    std::string game;      // the game folder (GamePlan.xml)
    std::string data;      // the game's AssetDir
    std::string models;
    std::string skins;  // model textures, next to the MTL files
    std::string textures;
    std::string menu;
    std::string sounds;
    std::string music;
    std::string pictures;  // keyframe-animation images
    std::string levels;
    std::string anims;
};

// Folder of the game seen from run/, the prefix of every path that the game
// opens relative to its working folder.
constexpr const char* kGameFromRun = "../game";
// The game plan's AssetDir.
constexpr const char* kAssetDir = "data";

class DataContext {
public:
    explicit DataContext(const std::string& buildDir);

    const DataFolders& Dirs() const { return dirs_; }
    // Empties game/ and assets/ and creates every output folder.
    bool MakeFolders() const;
    // Registers an asset name with its path relative to the AssetDir.
    void AddAsset(const std::string& name, const std::string& pathInData);
    const std::vector<std::pair<std::string, std::string>>& Assets() const { return assets_; }
    FontLabels& Fonts() { return fonts_; }
    // Counts a failed write; the generator exits non-zero at the end.
    void Check(bool ok, const std::string& what);
    int Failures() const { return failures_; }

private:
    DataFolders dirs_;
    std::vector<std::pair<std::string, std::string>> assets_;
    FontLabels fonts_;
    int failures_ = 0;
};

// Every generator step, in the order main runs them.
void GenerateSkyAndSprites(DataContext& ctx);
void GenerateIslands(DataContext& ctx);
void GenerateFigures(DataContext& ctx);
void GenerateMenus(DataContext& ctx);
void GenerateSounds(DataContext& ctx);
void GenerateStory(DataContext& ctx);
void GenerateGamePlan(DataContext& ctx);
