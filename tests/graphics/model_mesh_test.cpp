// Meshes and models without GL: tolerant lookups, the welding insert, flat
// arrays, normals, copies and bounds.
#include "mesh.h"
#include "model.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MeshLookup, FindVertexWeldsWithinTolerancePerComponent)
{
    Mesh mesh;
    mesh.AddVertex(0.000004f, -0.000004f, 0.0f);
    EXPECT_EQ(mesh.FindVertex(0.0f, 0.0f, 0.0f), 0);
    Mesh other;
    other.AddVertex(0.000005f, 0.0f, 0.0f);
    EXPECT_EQ(other.FindVertex(0.0f, 0.0f, 0.0f), -1);
}

TEST(MeshLookup, ExactAndFaceLookups)
{
    Mesh mesh;
    mesh.AddVertex(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(mesh.FindVertexExact(GfxVec3(1.0f, 2.0f, 3.0f)), 0);
    EXPECT_EQ(mesh.FindVertexExact(GfxVec3(1.0f, 2.0f, 3.000001f)), -1);
    mesh.AddTexCoord(0.5f, 0.5f);
    EXPECT_EQ(mesh.FindTexCoord(0.500001f, 0.5f), 0);
    mesh.AddFace(0, 1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_EQ(mesh.FindFace(0, 1, 2), 0);
    EXPECT_EQ(mesh.FindFace(0, 1, 2, 3, 4, 5), 0);
    EXPECT_EQ(mesh.FindFace(0, 1, 2, 3, 4, 5, 6, 7, 9), -1);
}

struct Corner {
    GfxVec3 p;
    TexCoord t;
    GfxVec3 n;
};

void AddTriangle(Mesh& mesh, const Corner& a, const Corner& b, const Corner& c)
{
    mesh.AddTriangle(&a.p, &b.p, &c.p, &a.t, &b.t, &c.t, &a.n, &b.n, &c.n);
}

TEST(MeshWelding, TriangleWhoseFoundCornersCoincideIsDropped)
{
    Mesh mesh;
    mesh.AddVertex(0.0f, 0.0f, 0.0f);
    Corner a{{0, 0, 0}, {}, {}};
    Corner b{{0.000001f, 0, 0}, {}, {}};
    Corner c{{1, 0, 0}, {}, {}};
    AddTriangle(mesh, a, b, c);
    EXPECT_EQ(mesh.GetFaceCount(), 0);
    EXPECT_EQ(mesh.GetVertexCount(), 1);
}

TEST(MeshWelding, NewCornersAtOnePlaceStayTwoVertices)
{
    Mesh mesh;
    Corner a{{2, 2, 2}, {}, {}};
    Corner c{{1, 0, 0}, {}, {}};
    AddTriangle(mesh, a, a, c);
    EXPECT_EQ(mesh.GetFaceCount(), 1);
    EXPECT_EQ(mesh.GetVertexCount(), 3);
}

TEST(MeshWelding, RepeatedTriangleAddsOneFace)
{
    Mesh mesh;
    Corner a{{0, 0, 0}, {0, 0}, {0, 0, 1}};
    Corner b{{1, 0, 0}, {1, 0}, {0, 0, 1}};
    Corner c{{0, 1, 0}, {0, 1}, {0, 0, 1}};
    AddTriangle(mesh, a, b, c);
    AddTriangle(mesh, a, b, c);
    EXPECT_EQ(mesh.GetFaceCount(), 1);
    EXPECT_EQ(mesh.GetVertexCount(), 3);
    EXPECT_EQ(mesh.GetTexCoordCount(), 3);
    EXPECT_EQ(mesh.GetNormalCount(), 1);
    const Face& f = mesh.GetFaces()[0];
    EXPECT_EQ(f.normal[0], 0);
    EXPECT_EQ(f.normal[2], 0);
}

TEST(MeshWelding, TriangleByPositionsNeedsEveryPositionStored)
{
    Mesh mesh;
    mesh.AddVertex(0, 0, 0);
    mesh.AddVertex(1, 0, 0);
    EXPECT_EQ(mesh.AddTriangleByPositions(GfxVec3(0, 0, 0), GfxVec3(1, 0, 0), GfxVec3(0, 1, 0)), 0);
    EXPECT_EQ(mesh.GetFaceCount(), 0);
    mesh.AddVertex(0, 1, 0);
    mesh.AddFace(0, 0, 0);
    EXPECT_EQ(mesh.AddTriangleByPositions(GfxVec3(0, 0, 0), GfxVec3(1, 0, 0), GfxVec3(0, 1, 0)), 1);
    EXPECT_EQ(mesh.GetFaces()[1].vertex[2], 2);
}

Mesh TexturedTriangle()
{
    Mesh mesh;
    mesh.AddVertex(0, 0, 0);
    mesh.AddVertex(1, 0, 0);
    mesh.AddVertex(0, 1, 0);
    mesh.AddTexCoord(0.25f, 0.75f);
    mesh.AddNormal(GfxVec3(0, 0, 1));
    mesh.AddFace(2, 1, 0, 0, 0, 0, 0, 0, 0);
    return mesh;
}

TEST(MeshArrays, FlatArraysWriteEveryCornerInFull)
{
    Mesh mesh = TexturedTriangle();
    mesh.SetHasTexCoords(true);
    mesh.SetHasNormals(true);
    mesh.BuildArrays();
    EXPECT_EQ(mesh.GetVertexArray(), (std::vector<float>{0, 1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mesh.GetTexCoordArray(), (std::vector<float>{0.25f, 0.75f, 0.25f, 0.75f, 0.25f, 0.75f}));
    EXPECT_EQ(mesh.GetNormalArray(), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1}));
}

TEST(MeshArrays, WithoutFlagsOnlyTheVertexArrayIsBuilt)
{
    Mesh mesh = TexturedTriangle();
    mesh.BuildArrays();
    EXPECT_EQ(mesh.GetVertexArray().size(), 9u);
    EXPECT_TRUE(mesh.GetTexCoordArray().empty());
    EXPECT_TRUE(mesh.GetNormalArray().empty());
}

TEST(MeshArrays, IndexOutsideItsListGivesZerosNotAStrayRead)
{
    Mesh mesh;
    mesh.AddVertex(5, 5, 5);
    mesh.AddFace(0, 7, -1);
    mesh.BuildArrays();
    EXPECT_EQ(mesh.GetVertexArray(), (std::vector<float>{5, 5, 5, 0, 0, 0, 0, 0, 0}));
}

TEST(MeshNormals, ComputedNormalsFollowCounterClockwiseFaces)
{
    Mesh mesh;
    mesh.AddVertex(0, 0, 0);
    mesh.AddVertex(2, 0, 0);
    mesh.AddVertex(0, 2, 0);
    mesh.AddVertex(9, 9, 9);  // used by no face
    mesh.AddFace(0, 1, 2);
    mesh.ComputeNormals();
    ASSERT_TRUE(mesh.HasNormals());
    ASSERT_EQ(mesh.GetNormalCount(), 4);
    for (int v = 0; v < 3; ++v) {
        EXPECT_FLOAT_EQ(mesh.GetNormals()[v].z, 1.0f);
        EXPECT_FLOAT_EQ(mesh.GetNormals()[v].x, 0.0f);
    }
    EXPECT_EQ(mesh.GetFaces()[0].normal[1], 1);
    EXPECT_EQ(mesh.GetNormals()[3], GfxVec3(0, 0, 0));
}

TEST(MeshNormals, MeshWithNormalsIsLeftAlone)
{
    Mesh mesh = TexturedTriangle();
    mesh.SetHasNormals(true);
    mesh.ComputeNormals();
    EXPECT_EQ(mesh.GetNormalCount(), 1);
}

TEST(MeshCopy, CopiesGeometryArraysAndName)
{
    Mesh mesh = TexturedTriangle();
    mesh.SetName("rock");
    mesh.BuildArrays();
    Mesh copy(mesh);
    mesh.AddVertex(7, 7, 7);
    EXPECT_EQ(copy.GetName(), "rock");
    EXPECT_EQ(copy.GetVertexCount(), 3);
    EXPECT_EQ(copy.GetVertexArray(), mesh.GetVertexArray());
}

Model ModelWithXs(std::vector<float> xs)
{
    Model model;
    Mesh* mesh = model.AddMesh();
    for (float x : xs)
        mesh->AddVertex(x, 1.0f, -1.0f);
    return model;
}

struct BoundsCase {
    const char* name;
    std::vector<float> xs;
    float minX;
    float maxX;
};

class ModelBoundsCases : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(ModelBoundsCases, BoundsAlwaysIncludeTheOrigin)
{
    Model model = ModelWithXs(GetParam().xs);
    EXPECT_FLOAT_EQ(model.ComputeBoundsMin().x, GetParam().minX);
    EXPECT_FLOAT_EQ(model.ComputeBoundsMax().x, GetParam().maxX);
    EXPECT_FLOAT_EQ(model.ComputeBoundsMin().y, 0.0f);
    EXPECT_FLOAT_EQ(model.ComputeBoundsMax().z, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Model, ModelBoundsCases,
                         ::testing::Values(BoundsCase{"AllPositive", {2, 5, 3}, 0, 5},
                                           BoundsCase{"AllNegative", {-5, -2}, -5, 0},
                                           BoundsCase{"AcrossZero", {-4, 2}, -4, 2}, BoundsCase{"Empty", {}, 0, 0}),
                         CaseName());

TEST(Model, CenterIsMaxMinusHalfTheSpan)
{
    Model model = ModelWithXs({-4, 2});  // y 0..1, z -1..0
    EXPECT_FLOAT_EQ(model.GetCenter().x, -1.0f);
    EXPECT_FLOAT_EQ(model.GetCenter().y, 0.5f);
    EXPECT_FLOAT_EQ(model.GetCenter().z, -0.5f);
    Model spread;
    spread.AddMesh()->AddVertex(0, -2, 0);
    spread.GetMesh(0)->AddVertex(0, 4, 0);
    EXPECT_FLOAT_EQ(spread.GetCenter().y, 1.0f);
}

TEST(Model, CopyKeepsGroupsButNotCountsOrBounds)
{
    Model model = ModelWithXs({1, 2});
    model.SetName("a.obj");
    model.SetMtllibName("a.mtl");
    model.SetTriangleCount(4);
    model.SetMaterialCount(2);
    model.SetBounds(GfxVec3(0, 0, 0), GfxVec3(2, 1, 0));
    Model copy(model);
    EXPECT_EQ(copy.GetName(), "a.obj");
    EXPECT_EQ(copy.GetGroupCount(), 1);
    EXPECT_EQ(copy.GetMaterialCount(), 2);
    EXPECT_EQ(copy.GetTriangleCount(), 0);
    EXPECT_EQ(copy.GetMtllibName(), "");
    EXPECT_FLOAT_EQ(copy.GetBoundsMax().x, 0.0f);
    EXPECT_NE(copy.GetMesh(0), model.GetMesh(0));
}

TEST(Model, RemoveMeshDeletesOnlyItsOwnGroups)
{
    Model model;
    Mesh* first = model.AddMesh();
    Mesh* second = model.AddMesh();
    Mesh stranger;
    model.RemoveMesh(&stranger);
    EXPECT_EQ(model.GetGroupCount(), 2);
    model.RemoveMesh(first);
    ASSERT_EQ(model.GetGroupCount(), 1);
    EXPECT_EQ(model.GetMesh(0), second);
}

}  // namespace
