// The asset loader under a GL window: one texture for one name.
#include "assetloader.h"
#include "gameplan.h"
#include "gltestsupport.h"
#include "testsupport.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(AssetLoadingGl, SameTextureNameGivesSameTexture)
{
    if (!gltest::EnsureWindow()) {
        GTEST_SKIP() << "no GL window";
    }
    TempFolder folder;
    folder.Write("GamePlan.xml", "<GamePlan><Environment><AssetDir>data</AssetDir></Environment><Assets>"
                                 "<Asset name=\"TEX_A\" path=\"grey.tga\"/></Assets><Story/></GamePlan>");
    ASSERT_EQ(std::system(("mkdir -p " + folder.File("data")).c_str()), 0);
    folder.Write("data/grey.tga", SolidTga(0x80, 0x80, 0x80));
    GamePlan plan;
    ASSERT_TRUE(plan.Load(folder.Path().c_str(), "GamePlan.xml"));
    Texture* first = nullptr;
    Texture* second = nullptr;
    ASSERT_TRUE(AssetLoader::LoadTexture("TEX_A", first));
    ASSERT_TRUE(AssetLoader::LoadTexture("TEX_A", second));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    AssetLoader::ReleaseTexture(first);
    EXPECT_EQ(first, nullptr);
    AssetLoader::ReleaseTexture(second);
    EXPECT_EQ(second, nullptr);
}
