// The exact text of saved BSP and quad trees of three levels: plane lines,
// leaf lines, child lines, front before back and quadrants 0 to 3 in order,
// and which triangle each numbered leaf file holds.
#include "bsptree.h"
#include "camera.h"
#include "gfxcomponent.h"
#include "gltestsupport.h"
#include "modelmanager.h"
#include "quadtree.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using Triangle = std::array<GfxVec3, 3>;

// One group holding the triangles, each with corners of its own.
Model* MakeModel(const std::vector<Triangle>& triangles)
{
    Model* model = GfxComponent::GetInstance()->models->CreateEmpty();
    model->SetName("pieces");
    Mesh* mesh = model->AddMesh();
    mesh->SetName("ground");
    int next = 0;
    for (const Triangle& t : triangles) {
        for (const GfxVec3& p : t)
            mesh->AddVertex(p.x, p.y, p.z);
        mesh->AddFace(next, next + 1, next + 2);
        next += 3;
    }
    mesh->BuildArrays();
    model->SetTriangleCount(static_cast<int>(triangles.size()));
    model->SetBounds(model->ComputeBoundsMin(), model->ComputeBoundsMax());
    return model;
}

// A wall triangle standing in the plane x = at.
Triangle Wall(float at)
{
    return {GfxVec3(at, 0, 0), GfxVec3(at, 1, 0), GfxVec3(at, 0, 1)};
}

// A flat triangle on the ground with its right angle at (x, z).
Triangle Tile(float x, float z)
{
    return {GfxVec3(x, 0, z), GfxVec3(x + 1, 0, z), GfxVec3(x, 0, z + 1)};
}

struct LeafFile {
    int number;
    const char* firstCorner;  // the OBJ line of the triangle's first corner
};

void ExpectLeaves(const std::string& base, const std::vector<LeafFile>& leaves)
{
    for (const LeafFile& leaf : leaves) {
        const std::string text = ReadFileText(base + "_" + std::to_string(leaf.number) + ".obj");
        const size_t v = text.find("\nv ");
        ASSERT_NE(v, std::string::npos) << "leaf " << leaf.number;
        EXPECT_EQ(text.substr(v + 1, text.find('\n', v + 1) - v - 1), leaf.firstCorner) << "leaf " << leaf.number;
    }
}

// Walls at x = 0, 10, 20, one triangle a leaf. The plane of the wall at 10
// has 3 of the 9 corners in front (x < 10): score 16, as has the wall at
// 20; the earlier wins. Corners on a plane are behind it, so the root's
// front holds the wall at 0 and its back the other two, which the wall at
// 20 parts (3 of 6 in front: score 0).
TEST(PartitionText, BspTreeOfThreeLevelsIsWrittenFrontBeforeBack)
{
    TempFolder folder;
    const std::string base = folder.File("walls");
    BSPTree tree(1);
    tree.Build(MakeModel({Wall(0), Wall(10), Wall(20)}));
    EXPECT_EQ(tree.GetNodeCount(), 5);
    tree.Save(base.c_str());
    EXPECT_EQ(ReadFileText(base + ".bsp"), "p -1.000000 0.000000 0.000000 10.000000\n"
                                           "f\n"
                                           "b\n"
                                           "t " +
                                               base +
                                               "_0.obj\n"
                                               "n\n"
                                               "n\n"
                                               "p -1.000000 0.000000 0.000000 20.000000\n"
                                               "f\n"
                                               "b\n"
                                               "t " +
                                               base +
                                               "_1.obj\n"
                                               "n\n"
                                               "n\n"
                                               "t " +
                                               base +
                                               "_2.obj\n"
                                               "n\n"
                                               "n\n");
    ExpectLeaves(base, {{0, "v 0.000000 0.000000 0.000000"},
                        {1, "v 10.000000 0.000000 0.000000"},
                        {2, "v 20.000000 0.000000 0.000000"}});
}

// Tiles in the four corners of [-9, 9] and one more near the middle of the
// x < 0, z < 0 quadrant: the root parts at (0, 0), that quadrant (whose box
// reaches the origin) at (-4.5, -4.5) into its quadrants 0 and 2.
TEST(PartitionText, QuadTreeOfThreeLevelsIsWrittenInQuadrantOrder)
{
    TempFolder folder;
    const std::string base = folder.File("tiles");
    QuadTree tree(1);
    tree.Build(MakeModel({Tile(8, 8), Tile(-9, 8), Tile(-3, -3), Tile(8, -9), Tile(-9, -9)}));
    EXPECT_EQ(tree.GetNodeCount(), 7);
    tree.Save(base.c_str());
    const std::string leafEnd = "n\nn\nn\nn\n";
    EXPECT_EQ(ReadFileText(base + ".quad"), "q0\nq1\nq2\nq3\n"
                                            "q0\nn\nq2\nn\n"
                                            "t " +
                                                base + "_0.obj\n" + leafEnd + "t " + base + "_1.obj\n" + leafEnd +
                                                "t " + base + "_2.obj\n" + leafEnd + "t " + base + "_3.obj\n" +
                                                leafEnd + "t " + base + "_4.obj\n" + leafEnd);
    ExpectLeaves(base, {{0, "v -9.000000 0.000000 -9.000000"},
                        {1, "v -3.000000 0.000000 -3.000000"},
                        {2, "v 8.000000 0.000000 -9.000000"},
                        {3, "v 8.000000 0.000000 8.000000"},
                        {4, "v -9.000000 0.000000 8.000000"}});
}

// Under a view over the whole model every leaf is drawn once, at every depth.
TEST(PartitionText, TreesOfThreeLevelsDrawEachTriangleOnce)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open());
    gltest::ResetDrawing();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-30, 30, -30, 30, -30, 30);
    glMatrixMode(GL_MODELVIEW);
    const Camera wholeView;
    BSPTree bsp(1);
    bsp.Build(MakeModel({Wall(0), Wall(10), Wall(20)}));
    EXPECT_EQ(bsp.Render(0, 0, 0, 0, GL_TRIANGLES, &wholeView), 3);
    QuadTree quad(1);
    quad.Build(MakeModel({Tile(8, 8), Tile(-9, 8), Tile(-3, -3), Tile(8, -9), Tile(-9, -9)}));
    EXPECT_EQ(quad.Render(0, 0, 0, 0, GL_TRIANGLES, &wholeView), 5);
    const QuadTree unbuilt;
    EXPECT_EQ(const_cast<QuadTree&>(unbuilt).Render(0, 0, 0, 0, GL_TRIANGLES, &wholeView), 0);
}

// A leaf is filled in its colour and outlined in white along its box.
TEST(PartitionText, LeafIsDrawnInItsColourWithItsBox)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open());
    gltest::ResetDrawing(gltest::Texturing::kOff);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-32, 32, -32, 32, -32, 32);  // one pixel a unit
    glMatrixMode(GL_MODELVIEW);
    const Camera wholeView;
    BSPTree tree;
    tree.Build(MakeModel({{GfxVec3(-20, -20, 0), GfxVec3(20, -20, 0), GfxVec3(0, 20, 0)}}));
    ASSERT_NE(tree.GetRoot().GetColour(), nullptr);
    const Color colour = *tree.GetRoot().GetColour();
    ASSERT_EQ(tree.Render(0, 0, 0, 0, GL_TRIANGLES, &wholeView), 1);
    const std::array<int, 4> inside = gltest::ReadPixel(32, 28);
    EXPECT_NEAR(inside[0], colour.r * 255.0f, 2.0f);
    EXPECT_NEAR(inside[1], colour.g * 255.0f, 2.0f);
    EXPECT_NEAR(inside[2], colour.b * 255.0f, 2.0f);
    // The box's left side at x = -20, beside the triangle's slanted edge.
    int white = 0;
    for (int x = 10; x <= 13; ++x)
        white += gltest::ReadPixel(x, 44) == std::array<int, 4>{255, 255, 255, 255};
    EXPECT_EQ(white, 1);

    // A quad-tree leaf has no outline.
    gltest::ResetDrawing(gltest::Texturing::kOff);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-32, 32, -32, 32, -32, 32);
    glMatrixMode(GL_MODELVIEW);
    QuadTree quad;
    quad.Build(MakeModel({{GfxVec3(-20, -20, 0), GfxVec3(20, -20, 0), GfxVec3(0, 20, 0)}}));
    ASSERT_EQ(quad.Render(0, 0, 0, 0, GL_TRIANGLES, &wholeView), 1);
    for (int x = 10; x <= 13; ++x)
        EXPECT_EQ(gltest::ReadPixel(x, 44), (std::array<int, 4>{0, 0, 0, 255})) << x;
}

// Building and dropping a tree gives every model back to the manager: the
// source, the halves and quadrants cut from it, and the leaves.
TEST(PartitionText, EveryModelGoesBackToTheManager)
{
    const auto& models = GfxComponent::GetInstance()->models->GetModels();
    const size_t before = models.size();
    {
        BSPTree bsp(1);
        bsp.Build(MakeModel({Wall(0), Wall(10), Wall(20), Wall(30)}));
        QuadTree quad(1);
        quad.Build(MakeModel({Tile(8, 8), Tile(-9, 8), Tile(-3, -3), Tile(8, -9), Tile(-9, -9)}));
    }
    EXPECT_EQ(models.size(), before);
}

// A file that cannot be made is named in the log and nothing is written.
TEST(PartitionText, SaveIntoAMissingFolderIsLogged)
{
    TempFolder folder;
    const std::string base = folder.File("missing/tree");
    LogCapture log;
    BSPTree bsp(1);
    bsp.Build(MakeModel({Wall(0), Wall(10)}));
    bsp.Save(base.c_str());
    QuadTree quad(1);
    quad.Build(MakeModel({Tile(8, 8), Tile(-9, -9)}));
    quad.Save(base.c_str());
    const std::string line = "Unable to find or open the file: " + base + "\n";
    EXPECT_EQ(std::count(log.Lines().begin(), log.Lines().end(), line), 2) << log.All();
}

}  // namespace
