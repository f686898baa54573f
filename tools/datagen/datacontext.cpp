// Output folders and the asset table (see datacontext.h).
#include "datacontext.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

DataContext::DataContext(const std::string& buildDir)
{
    dirs_.build = buildDir;
    dirs_.run = buildDir + "/run";
    dirs_.assets2d = buildDir + "/assets/2D";
    dirs_.assets3d = buildDir + "/assets/3D";
    dirs_.game = buildDir + "/game";
    dirs_.data = dirs_.game + "/" + kAssetDir;
    dirs_.models = dirs_.data + "/models";
    dirs_.skins = dirs_.models + "/skins";
    dirs_.textures = dirs_.data + "/textures";
    dirs_.menu = dirs_.data + "/menu";
    dirs_.sounds = dirs_.data + "/sounds";
    dirs_.music = dirs_.data + "/music";
    dirs_.pictures = dirs_.data + "/pictures";
    dirs_.levels = dirs_.game + "/levels";
    dirs_.anims = dirs_.game + "/anims";
}

bool DataContext::MakeFolders() const
{
    // Start from empty game and assets folders so no file of an older data
    // set stays behind; run/ is kept (the game saves its screenshots there).
    for (const std::string& old : {dirs_.game, dirs_.build + "/assets"}) {
        std::error_code ec;
        std::filesystem::remove_all(old, ec);
        if (ec) {
            std::fprintf(stderr, "morvo_datagen: cannot clear %s: %s\n", old.c_str(), ec.message().c_str());
            return false;
        }
    }
    const std::string all[] = {dirs_.run,    dirs_.assets2d, dirs_.assets3d, dirs_.game, dirs_.data,
                               dirs_.models, dirs_.skins,    dirs_.textures, dirs_.menu, dirs_.sounds,
                               dirs_.music,  dirs_.pictures, dirs_.levels,   dirs_.anims};
    for (const std::string& d : all) {
        std::error_code ec;
        std::filesystem::create_directories(d, ec);
        if (ec) {
            std::fprintf(stderr, "morvo_datagen: cannot create %s: %s\n", d.c_str(), ec.message().c_str());
            return false;
        }
    }
    return true;
}

void DataContext::AddAsset(const std::string& name, const std::string& pathInData)
{
    assets_.emplace_back(name, pathInData);
}

void DataContext::Check(bool ok, const std::string& what)
{
    if (!ok) {
        std::fprintf(stderr, "morvo_datagen: failed: %s\n", what.c_str());
        ++failures_;
    }
}
