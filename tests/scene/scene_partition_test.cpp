// BSP and quad trees: building ends on flat and offset grids, a tree saved
// and read back holds as many triangles, the text of a one-leaf file, the
// choice of splitting planes, and files that nest too deep or name a
// quadrant that does not exist.
#include "bspnode.h"
#include "bsptree.h"
#include "camera.h"
#include "gfxcomponent.h"
#include "gltestsupport.h"
#include "modelmanager.h"
#include "quadtree.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

using Height = std::function<float(float, float)>;

float Flat(float, float)
{
    return 0.0f;
}

float Bumps(float x, float z)
{
    return std::sin(x * 0.7f) + std::cos(z * 0.4f);
}

// An n x m grid of squares of two triangles each, from (x0, z0) in steps of 1.
Model* MakeGrid(int n, int m, float x0, float z0, const Height& height = Flat)
{
    Model* model = GfxComponent::GetInstance()->models->CreateEmpty();
    model->SetName("grid");
    Mesh* mesh = model->AddMesh();
    mesh->SetName("ground");
    for (int j = 0; j <= m; ++j)
        for (int i = 0; i <= n; ++i) {
            const float x = x0 + static_cast<float>(i);
            const float z = z0 + static_cast<float>(j);
            mesh->AddVertex(x, height(x, z), z);
        }
    for (int j = 0; j < m; ++j)
        for (int i = 0; i < n; ++i) {
            const int a = j * (n + 1) + i;
            mesh->AddFace(a, a + n + 1, a + 1);
            mesh->AddFace(a + 1, a + n + 1, a + n + 2);
        }
    mesh->BuildArrays();
    model->SetTriangleCount(2 * n * m);
    model->SetBounds(model->ComputeBoundsMin(), model->ComputeBoundsMax());
    return model;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Either tree behind one face, so one table covers both.
struct AnyTree {
    std::function<void(Model*)> build;
    std::function<void(const char*)> save;
    std::function<void(const char*)> load;
    std::function<int()> count;
    std::function<int()> nodes;
    std::function<int(const Camera*)> render;
    const char* suffix = "";
};

template <typename Tree> AnyTree Wrap(Tree& t, const char* suffix)
{
    AnyTree any;
    any.build = [&t](Model* m) { t.Build(m); };
    any.save = [&t](const char* b) { t.Save(b); };
    any.load = [&t](const char* f) { t.Load(f); };
    any.count = [&t] { return t.Count(); };
    any.nodes = [&t] { return t.GetNodeCount(); };
    any.render = [&t](const Camera* c) { return t.Render(0, 0, 0, 0, GL_TRIANGLES, c); };
    any.suffix = suffix;
    return any;
}

AnyTree Bsp(BSPTree& t)
{
    return Wrap(t, ".bsp");
}

AnyTree Quad(QuadTree& t)
{
    return Wrap(t, ".quad");
}

struct GridCase {
    const char* name;
    bool quad;
    float x0, z0;
};

class PartitionGrid : public ::testing::TestWithParam<GridCase> {};

// 400 flat triangles over a limit of 100: the build ends well inside the depth limit.
TEST_P(PartitionGrid, FlatGridBuildEnds)
{
    const GridCase& c = GetParam();
    LogCapture log;
    BSPTree bsp(100);
    QuadTree quad(100);
    AnyTree tree = c.quad ? Quad(quad) : Bsp(bsp);
    tree.build(MakeGrid(10, 20, c.x0, c.z0));
    EXPECT_GE(tree.count(), 400);
    EXPECT_LT(tree.nodes(), 40);
    EXPECT_FALSE(log.Contains("depth"));
}

INSTANTIATE_TEST_SUITE_P(Partition, PartitionGrid,
                         ::testing::Values(GridCase{"BspCentred", false, -5.0f, -10.0f},
                                           GridCase{"BspOffset", false, 10.0f, 10.0f},
                                           GridCase{"QuadCentred", true, -5.0f, -10.0f},
                                           GridCase{"QuadOffset", true, 10.0f, 10.0f},
                                           GridCase{"QuadOffsetNegative", true, -30.0f, 7.0f}),
                         CaseName());

class PartitionFile : public ::testing::TestWithParam<bool> {};

TEST_P(PartitionFile, SavedTreeReadsBackWithItsTriangles)
{
    TempFolder folder;
    const std::string base = folder.File("terrain");
    BSPTree bsp(30), bspRead;
    QuadTree quad(30), quadRead;
    AnyTree built = GetParam() ? Quad(quad) : Bsp(bsp);
    AnyTree read = GetParam() ? Quad(quadRead) : Bsp(bspRead);
    built.build(MakeGrid(10, 10, -3.0f, -4.0f, Bumps));
    ASSERT_GT(built.nodes(), 3);
    built.save(base.c_str());
    read.load((base + built.suffix).c_str());
    EXPECT_EQ(read.count(), built.count());
    EXPECT_GE(built.count(), 200);
}

// Every leaf is drawn once when the view holds the model, none when it looks far away.
TEST_P(PartitionFile, DrawsTheLeavesInsideTheView)
{
    ASSERT_TRUE(gltest::EnsureWindow());
    gltest::ResetDrawing();
    BSPTree bsp(30);
    QuadTree quad(30);
    AnyTree tree = GetParam() ? Quad(quad) : Bsp(bsp);
    tree.build(MakeGrid(10, 10, -3.0f, -4.0f, Bumps));
    EXPECT_EQ(tree.render(nullptr), 0);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-20, 20, -20, 20, -20, 20);
    glMatrixMode(GL_MODELVIEW);
    const Camera wholeView;
    EXPECT_EQ(tree.render(&wholeView), tree.count());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(1000, 1010, 1000, 1010, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    const Camera farAway;
    EXPECT_EQ(tree.render(&farAway), 0);
}

INSTANTIATE_TEST_SUITE_P(Partition, PartitionFile, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Quad" : "Bsp"); });

TEST(PartitionFile, OneLeafTreesText)
{
    TempFolder folder;
    const std::string base = folder.File("small");
    BSPTree bsp;
    bsp.Build(MakeGrid(10, 10, 0, 0));  // 200 triangles, not above 300
    bsp.Save(base.c_str());
    EXPECT_EQ(ReadText(base + ".bsp"), "t " + base + "_0.obj\nn\nn\n");
    QuadTree quad;
    quad.Build(MakeGrid(10, 10, 0, 0));
    quad.Save(base.c_str());
    EXPECT_EQ(ReadText(base + ".quad"), "t " + base + "_0.obj\nn\nn\nn\nn\n");
}

TEST(BspPlane, ZeroAreaTrianglesGiveNoPlaneAndTheFirstBestWins)
{
    Model model;
    Mesh* mesh = model.AddMesh();
    mesh->AddVertex(0, 0, 0);
    mesh->AddVertex(1, 0, 0);
    mesh->AddVertex(2, 0, 0);
    mesh->AddVertex(0, 0, 1);
    mesh->AddVertex(0, 1, 0);
    mesh->AddVertex(0, 1, 1);
    mesh->AddFace(0, 1, 2);  // a line: no plane
    mesh->AddFace(0, 3, 1);  // y = 0 facing down: no vertex in front, score 50
    mesh->AddFace(4, 5, 3);  // x = 0 facing -x: no vertex in front, score 50 too
    BSPNode node;
    const std::unique_ptr<Plane> plane = node.ChoosePlane(&model);
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(plane->normal.y, -1.0f);  // the earlier of the two
    EXPECT_EQ(node.PercentInFront(Plane(1, 0, 0, 1), &model), 100.0f);

    Model line;
    line.AddMesh()->AddVertex(0, 0, 0);
    line.GetMesh(0)->AddFace(0, 0, 0);
    EXPECT_EQ(node.ChoosePlane(&line), nullptr);
}

// The triangle's box always holds the origin; half of it per axis.
TEST(BspPlane, TriangleHalfExtentSpansTheCornersAndTheOrigin)
{
    struct Case {
        Face face;
        Vec3 half;
    } cases[] = {
        {Face(0, 1, 2), Vec3(1.0f, 1.5f, 0.5f)},   // (2,1,0) (0,3,0) (0,0,1)
        {Face(3, 3, 3), Vec3(2.5f, 2.0f, 1.5f)},   // (5,4,3) and the origin
        {Face(4, 4, 4), Vec3(2.5f, 2.0f, 1.5f)},   // (-5,-4,-3) and the origin
        {Face(3, 4, 9), Vec3(5.0f, 4.0f, 3.0f)},   // index 9 is not a vertex
    };
    Mesh mesh;
    mesh.AddVertex(2, 1, 0);
    mesh.AddVertex(0, 3, 0);
    mesh.AddVertex(0, 0, 1);
    mesh.AddVertex(5, 4, 3);
    mesh.AddVertex(-5, -4, -3);
    for (const Case& c : cases) {
        const Vec3 half = TriangleHalfExtent(mesh, c.face);
        EXPECT_EQ(half.x, c.half.x);
        EXPECT_EQ(half.y, c.half.y);
        EXPECT_EQ(half.z, c.half.z);
    }
}

// A file whose every record opens a child nests once a record.
TEST(PartitionFile, DeepNestingIsReadNoFurther)
{
    TempFolder folder;
    std::string bsp, quad;
    for (int i = 0; i < 500000; ++i) {
        bsp += "f\nn\n";
        quad += "q0\nn\nn\nn\n";
    }
    folder.Write("deep.bsp", bsp);
    folder.Write("deep.quad", quad);
    LogCapture log;
    BSPTree bspTree;
    bspTree.Load(folder.File("deep.bsp").c_str());
    QuadTree quadTree;
    quadTree.Load(folder.File("deep.quad").c_str());
    EXPECT_TRUE(log.Contains("BSPNode: the file nests deeper than 128 nodes"));
    EXPECT_TRUE(log.Contains("CGfxQuadNode: the file nests deeper than 128 nodes"));
    const BSPNode* node = &bspTree.GetRoot();
    int depth = 0;
    while (node->GetFront()) {
        node = node->GetFront();
        ++depth;
    }
    EXPECT_EQ(depth, 129);
}

TEST(PartitionFile, QuadrantDigitOutsideTheFourIsIgnored)
{
    TempFolder folder;
    folder.Write("odd.quad", "q5\nq9\nq1\nn\nn\nn\nn\nn\n");
    LogCapture log;
    QuadTree tree;
    tree.Load(folder.File("odd.quad").c_str());
    ASSERT_NE(tree.GetRoot(), nullptr);
    EXPECT_TRUE(log.Contains("CGfxQuadNode: a child line with the digit 53 is ignored"));
    EXPECT_EQ(tree.GetRoot()->GetChild(0), nullptr);
    ASSERT_NE(tree.GetRoot()->GetChild(1), nullptr);
    EXPECT_EQ(tree.GetRoot()->GetChild(1)->GetParent(), tree.GetRoot());
    EXPECT_EQ(tree.GetRoot()->GetChild(2), nullptr);
}

// A folder or a pipe in place of a tree file is refused at once with the open-failure line.
TEST(PartitionFile, ReadersRefuseWhatIsNotARegularFile)
{
    TempFolder folder;
    const std::string bspPath = folder.File("tree.bsp");
    const std::string quadPath = folder.File("tree.quad");
    ASSERT_EQ(::mkdir(bspPath.c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(quadPath.c_str(), 0600), 0);
    LogCapture log;
    BSPTree bsp;
    bsp.Load(bspPath.c_str());
    QuadTree quad;
    quad.Load(quadPath.c_str());
    EXPECT_TRUE(log.Contains("Unable to open " + bspPath + "!"));
    EXPECT_TRUE(log.Contains("Unable to open " + quadPath + "!"));
    EXPECT_EQ(quad.GetRoot(), nullptr);
}

}  // namespace
