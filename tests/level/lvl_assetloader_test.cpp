// The asset loader: names map to files through the game plan; unlisted
// names warn and leave the out location as each kind promises.
#include "assetloader.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "islandmodel.h"
#include "material.h"
#include "model.h"
#include "modelmanager.h"
#include "scenenode.h"
#include "testsupport.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const char* const kTriangle = "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n";

// A game folder whose plan lists a few assets under AssetDir "data"; the
// local plan is the game plan singleton while the test runs.
class AssetLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.Write("GamePlan.xml", "<GamePlan><Environment><AssetDir>data</AssetDir></Environment><Assets>"
                                     "<Asset name=\"MODEL_A\" path=\"tri.obj\"/>"
                                     "<Asset name=\"MODEL_B\" path=\"tri2.obj\"/>"
                                     "<Asset name=\"MISSING_FILE\" path=\"none.obj\"/>"
                                     "<Asset name=\"TEX_A\" path=\"grey.tga\"/>"
                                     "<Asset name=\"SOUND_A\" path=\"none.wav\"/>"
                                     "</Assets><Story/></GamePlan>");
        ASSERT_EQ(std::system(("mkdir -p " + folder.File("data")).c_str()), 0);
        folder.Write("data/tri.obj", kTriangle);
        folder.Write("data/tri2.obj", kTriangle);
        folder.Write("data/grey.tga", SolidTga(0x80, 0x80, 0x80));
        ASSERT_TRUE(plan.Load(folder.Path().c_str(), "GamePlan.xml"));
        ASSERT_EQ(GamePlan::GetInstance(), &plan);
    }

    TempFolder folder;
    GamePlan plan;
};

const char* const kUnknown = "Warning: asset \"NOT_LISTED\" not defined.\n";

}  // namespace

TEST_F(AssetLoading, NameResolvesThroughGamePlan)
{
    std::string path;
    EXPECT_TRUE(AssetLoader::GetAssetPath("MODEL_A", &path));
    EXPECT_EQ(path, folder.File("data/tri.obj"));
}

TEST_F(AssetLoading, UnlistedNameWarnsForEveryKind)
{
    LogCapture log;
    Model* model = nullptr;
    EXPECT_FALSE(AssetLoader::LoadModel("NOT_LISTED", model));
    EXPECT_EQ(model, nullptr);
    SceneNode* node = nullptr;
    EXPECT_FALSE(AssetLoader::LoadSceneNode("NOT_LISTED", node));
    EXPECT_EQ(node, nullptr);
    IslandModel* island = nullptr;
    EXPECT_FALSE(AssetLoader::LoadIslandModel("NOT_LISTED", 0, island));
    EXPECT_EQ(island, nullptr);
    Texture* texture = nullptr;
    EXPECT_FALSE(AssetLoader::LoadTexture("NOT_LISTED", texture));
    EXPECT_FALSE(AssetLoader::LoadClampedTexture("NOT_LISTED", texture));
    EXPECT_EQ(texture, nullptr);
    Material* material = nullptr;
    EXPECT_FALSE(AssetLoader::LoadAnimatedTexture("NOT_LISTED", material));
    EXPECT_EQ(material, nullptr);
    int handle = 7;
    EXPECT_FALSE(AssetLoader::LoadSample("NOT_LISTED", handle));
    EXPECT_FALSE(AssetLoader::LoadStream("NOT_LISTED", handle));
    EXPECT_FALSE(AssetLoader::LoadStreamWithLoopPoints("NOT_LISTED", 1, 2, handle));
    EXPECT_EQ(handle, 7);
    int warnings = 0;
    for (const std::string& line : log.Lines()) {
        warnings += line == kUnknown ? 1 : 0;
    }
    EXPECT_EQ(warnings, 9);
}

TEST_F(AssetLoading, ModelLoadsFromResolvedPath)
{
    Model* model = nullptr;
    ASSERT_TRUE(AssetLoader::LoadModel("MODEL_A", model));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetName(), folder.File("data/tri.obj"));
    AssetLoader::ReleaseModel(model);
    EXPECT_EQ(model, nullptr);
}

TEST_F(AssetLoading, ListedNameWithMissingFileIsTrueWithNullModel)
{
    LogCapture log;
    Model* model = nullptr;
    EXPECT_TRUE(AssetLoader::LoadModel("MISSING_FILE", model));
    EXPECT_EQ(model, nullptr);
}

TEST_F(AssetLoading, LoadIntoSetPointerBreaksAndLoadsNothing)
{
    BreakCounter breaks;
    Model dummy;
    Model* model = &dummy;
    EXPECT_FALSE(AssetLoader::LoadModel("MODEL_A", model));
    EXPECT_EQ(model, &dummy);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(GfxComponent::GetInstance()->models->Find(folder.File("data/tri.obj").c_str()), nullptr);
}

TEST_F(AssetLoading, SceneNodeGetsTheModel)
{
    SceneNode* node = nullptr;
    ASSERT_TRUE(AssetLoader::LoadSceneNode("MODEL_A", node));
    ASSERT_NE(node, nullptr);
    ASSERT_NE(node->model, nullptr);
    EXPECT_EQ(node->model->GetName(), folder.File("data/tri.obj"));
    AssetLoader::ReleaseSceneNodeAndModel(node);
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(GfxComponent::GetInstance()->models->Find(folder.File("data/tri.obj").c_str()), nullptr);
}

TEST_F(AssetLoading, IslandIsCreatedOnceAndFilledSlotBySlot)
{
    IslandModel* island = nullptr;
    ASSERT_TRUE(AssetLoader::LoadIslandModel("MODEL_A", 0, island));
    ASSERT_NE(island, nullptr);
    IslandModel* first = island;
    ASSERT_TRUE(AssetLoader::LoadIslandModel("MODEL_B", 1, island));
    EXPECT_EQ(island, first);
    ASSERT_NE(island->GetModel(0), nullptr);
    ASSERT_NE(island->GetModel(1), nullptr);
    EXPECT_EQ(island->GetModel(1)->GetName(), folder.File("data/tri2.obj"));
    delete island;
}

TEST_F(AssetLoading, NullReleasesDoNothing)
{
    Model* model = nullptr;
    SceneNode* node = nullptr;
    AssetLoader::ReleaseModel(model);
    AssetLoader::ReleaseSceneNode(node);
    AssetLoader::ReleaseSceneNodeAndModel(node);
    EXPECT_EQ(model, nullptr);
    EXPECT_EQ(node, nullptr);
}

TEST_F(AssetLoading, NullTextureOrMaterialReleaseBreaks)
{
    BreakCounter breaks;
    Texture* texture = nullptr;
    AssetLoader::ReleaseTexture(texture);
    Material* material = nullptr;
    AssetLoader::ReleaseAnimatedTexture(material);
    EXPECT_EQ(breaks.Count(), 2);
}

TEST_F(AssetLoading, SoundReleasesLeaveHandleAtMinusOne)
{
    LogCapture log;
    int sample = 3;
    AssetLoader::ReleaseSample(sample);
    EXPECT_EQ(sample, -1);
    int stream = 5;
    AssetLoader::ReleaseStream(stream);
    EXPECT_EQ(stream, -1);
}

TEST_F(AssetLoading, MissingSoundFileGivesMinusOneHandle)
{
    LogCapture log;
    int handle = 9;
    EXPECT_TRUE(AssetLoader::LoadSample("SOUND_A", handle));
    EXPECT_EQ(handle, -1);
    handle = 9;
    EXPECT_TRUE(AssetLoader::LoadStream("SOUND_A", handle));
    EXPECT_EQ(handle, -1);
}
