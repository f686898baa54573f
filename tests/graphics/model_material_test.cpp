// Materials without GL: the material manager's list, records turned into
// materials, dumps and OBJ lines, and the animated material's frame logic
// (frame files here are not images, so every frame texture is null).
#include "animatedmaterial.h"
#include "materialmanager.h"
#include "mtlfile.h"
#include "mtlmaterial.h"
#include "testsupport.h"
#include "texturemanager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class Materials : public ::testing::Test {
protected:
    TempFolder folder;
    TextureManager textures;
    MaterialManager materials{&textures};
};

TEST_F(Materials, RecordBecomesAMaterialWithTfAsAlpha)
{
    MtlRecord record;
    record.name = "stone";
    record.Kd = Color(0.5f, 0.25f, 0.125f, 0.0f);
    record.Ks = Color(0.1f, 0.2f, 0.3f, 0.0f);
    record.Ka = Color(0.7f, 0.7f, 0.7f, 0.0f);
    record.Tf = Color(0.5f, 0.5f, 0.5f, 0.0f);
    record.Ns = 8.0f;
    record.Ni = 1.25f;
    LogCapture log;
    MtlMaterial* material = materials.CreateFromMtl(&record);
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->name, "stone");
    EXPECT_FLOAT_EQ(material->alpha, 0.5f);
    EXPECT_FLOAT_EQ(material->shininess, 8.0f);
    EXPECT_FLOAT_EQ(material->Ni, 1.25f);
    EXPECT_FLOAT_EQ(material->Kd.g, 0.25f);
    EXPECT_FLOAT_EQ(material->Ka.r, 0.7f);
    // An empty texture path still makes a material, without texture; the texture manager says why.
    EXPECT_EQ(material->texture, nullptr);
    EXPECT_TRUE(log.Contains("Unable to find or open the file: \n"));
    EXPECT_EQ(materials.GetMaterials().size(), 1u);
}

TEST_F(Materials, NullRecordGivesADefaultMaterial)
{
    MtlMaterial* material = materials.CreateFromMtl(nullptr);
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->name, "");
    EXPECT_FLOAT_EQ(material->alpha, 1.0f);
    EXPECT_FLOAT_EQ(material->shininess, 0.1f);
    EXPECT_FLOAT_EQ(material->Kd.r, 1.0f);
}

TEST_F(Materials, CreatingFromAnEmptyTextureNameLoadsNothing)
{
    LogCapture log;
    MtlMaterial* material = materials.CreateFromTexture("");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->texture, nullptr);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(material->name, "");
}

TEST_F(Materials, RemoveDeletesOnlyListedMaterials)
{
    MtlMaterial* a = materials.CreateFromMtl(nullptr);
    MtlMaterial* b = materials.CreateFromMtl(nullptr);
    MtlMaterial stranger;
    materials.RemoveMaterial(&stranger);
    materials.RemoveMaterial(nullptr);
    EXPECT_EQ(materials.GetMaterials().size(), 2u);
    materials.RemoveMaterial(a);
    ASSERT_EQ(materials.GetMaterials().size(), 1u);
    EXPECT_EQ(materials.GetMaterials().front().get(), b);
    Material* added = materials.AddMaterial(std::make_unique<MtlMaterial>());
    EXPECT_EQ(materials.GetMaterials().back().get(), added);
    materials.Clear();
    EXPECT_TRUE(materials.GetMaterials().empty());
}

TEST(MtlMaterialText, WriteObjAndNameTest)
{
    MtlMaterial stone;
    stone.name = "stone";
    EXPECT_EQ(TextWrittenBy([&](FILE* file) { stone.WriteObj(file); }), "usemtl stone\n");
    EXPECT_TRUE(stone.NameEquals("stone"));
    EXPECT_FALSE(stone.NameEquals("Stone"));
    EXPECT_FALSE(stone.NameEquals(nullptr));
}

TEST(MtlMaterialText, DumpWithoutTextureToFileAndLog)
{
    MtlMaterial stone;
    stone.name = "stone";
    stone.Kd = Color(0.5f, 0.5f, 0.5f, 1.0f);
    const std::string expected =
        "Material Name: stone\n\tKa(1.000000, 1.000000, 1.000000)\n\tKd(0.500000, 0.500000, 0.500000)\n"
        "\tKs(1.000000, 1.000000, 1.000000)\n\tSpecular(0.100000)\n\tAlpha(1.000000)\n\n";
    EXPECT_EQ(TextWrittenBy([&](FILE* file) { stone.PrintToFile(file); }), expected);
    LogCapture log;
    stone.PrintToLog();
    EXPECT_EQ(log.All(), expected);
    EXPECT_GT(log.Lines().size(), 1u);
}

class AnimatedFrames : public ::testing::Test {
protected:
    // Frame files exist but are not images: frames are counted, textures are null.
    void MakeFrames(const std::string& base, int runTime, int first, int last)
    {
        for (int k = first; k <= last; ++k)
            folder.Write(base + "_" + std::to_string(runTime) + "_" + std::to_string(k) + ".tga", "x");
    }
    std::string Frame(const std::string& name) const { return folder.File(name); }

    TempFolder folder;
    TextureManager textures;
};

TEST_F(AnimatedFrames, CountsFramesUpFromTheGivenIndex)
{
    MakeFrames("water", 2, 0, 3);
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("water_2_0.tga").c_str(), &textures));
    EXPECT_EQ(material.GetFrameCount(), 4);
    EXPECT_FLOAT_EQ(material.GetRunTime(), 2.0f);
    EXPECT_FLOAT_EQ(material.GetFrameTime(), 0.5f);
    AnimatedMaterial later;
    ASSERT_TRUE(later.Load(Frame("water_2_2.tga").c_str(), &textures));
    EXPECT_EQ(later.GetFrameCount(), 2);
}

TEST_F(AnimatedFrames, OneFrameAtMostPerUpdateAndTheRemainderIsDropped)
{
    MakeFrames("water", 2, 0, 3);
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("water_2_0.tga").c_str(), &textures));
    std::vector<unsigned int> shown;
    for (int i = 0; i < 8; ++i) {
        material.Update(0.3f);
        shown.push_back(material.GetFrameIndex());
    }
    EXPECT_EQ(shown, (std::vector<unsigned int>{0, 1, 1, 2, 2, 3, 3, 0}));
}

TEST_F(AnimatedFrames, RunTimeZeroAdvancesEveryUpdate)
{
    MakeFrames("spark", 0, 0, 2);
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("spark_0_0.tga").c_str(), &textures));
    EXPECT_FLOAT_EQ(material.GetFrameTime(), 0.0f);
    std::vector<unsigned int> shown;
    for (int i = 0; i < 4; ++i) {
        material.Update(0.0f);
        shown.push_back(material.GetFrameIndex());
    }
    EXPECT_EQ(shown, (std::vector<unsigned int>{1, 2, 0, 1}));
}

TEST_F(AnimatedFrames, GapEndsTheSequenceAndLeadingZerosAreRebuilt)
{
    MakeFrames("fire", 7, 0, 1);
    MakeFrames("fire", 7, 3, 3);
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("fire_007_0.tga").c_str(), &textures));
    EXPECT_EQ(material.GetFrameCount(), 2);
    EXPECT_FLOAT_EQ(material.GetRunTime(), 7.0f);
}

struct BadName {
    const char* name;
    const char* file;
};

class AnimatedBadNames : public ::testing::TestWithParam<BadName> {};

TEST_P(AnimatedBadNames, AreRefused)
{
    TextureManager textures;
    AnimatedMaterial material;
    EXPECT_FALSE(material.Load(GetParam().file, &textures));
    EXPECT_EQ(material.GetFrameCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(AnimatedMaterial, AnimatedBadNames,
                         ::testing::Values(BadName{"nonDigitRunTime", "water_two_0.tga"},
                                           BadName{"nonDigitIndex", "water_2_x.tga"},
                                           BadName{"noUnderscores", "water.tga"}, BadName{"noExtension", "water_2_0"},
                                           BadName{"noIndex", "water_2"}),
                         CaseName());

TEST_F(AnimatedFrames, WithoutAnyFrameNothingIsEverIndexed)
{
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("ghost_1_0.tga").c_str(), &textures));
    EXPECT_EQ(material.GetFrameCount(), 0);
    EXPECT_EQ(material.GetTexture(), nullptr);
    for (int i = 0; i < 5; ++i)
        material.Update(10.0f);
    EXPECT_EQ(material.GetFrameIndex(), 0u);
    EXPECT_EQ(material.GetTexture(), nullptr);
    material.SetFrame(0);
    EXPECT_EQ(material.GetFrameIndex(), 0u);
}

TEST_F(AnimatedFrames, SetFrameIgnoresIndicesOutsideTheFrames)
{
    MakeFrames("water", 2, 0, 3);
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("water_2_0.tga").c_str(), &textures));
    material.SetFrame(2);
    EXPECT_EQ(material.GetFrameIndex(), 2u);
    material.SetFrame(4);
    EXPECT_EQ(material.GetFrameIndex(), 2u);
    material.SetFrame(-1);
    EXPECT_EQ(material.GetFrameIndex(), 2u);
}

TEST_F(AnimatedFrames, ManagerNamesAnimatedMaterialsAndDropsMalformedOnes)
{
    MakeFrames("water", 2, 0, 1);
    MaterialManager materials(&textures);
    const std::string name = Frame("water_2_0.tga");
    AnimatedMaterial* material = materials.CreateAnimatedMaterial(name.c_str());
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->GetName(), "animated_texture_" + name);
    EXPECT_TRUE(material->NameEquals(("animated_texture_" + name).c_str()));
    EXPECT_EQ(materials.CreateAnimatedMaterial(Frame("water_two_0.tga").c_str()), nullptr);
    EXPECT_EQ(materials.GetMaterials().size(), 1u);
    EXPECT_EQ(TextWrittenBy([&](FILE* file) { material->WriteObj(file); }), "usemtl animated_texture_" + name + "\n");
}

TEST_F(AnimatedFrames, DumpListsRunTimeAndSkipsNullFrames)
{
    MakeFrames("water", 2, 0, 1);
    AnimatedMaterial material;
    ASSERT_TRUE(material.Load(Frame("water_2_0.tga").c_str(), &textures));
    material.SetName("animated_texture_w");
    const std::string expected = "Material Name: animated_texture_w\n\t Total Run Time: 2.000000\n\n";
    LogCapture log;
    material.PrintToLog();
    EXPECT_EQ(log.All(), expected);
    EXPECT_EQ(TextWrittenBy([&](FILE* file) { material.PrintToFile(file); }), expected);
}

}  // namespace
