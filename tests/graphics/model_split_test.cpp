// Splitting meshes and models by a plane: the three lone-corner cases with
// their exact pieces, whole triangles on either side and in the plane, the
// interpolated attributes at a cut, sources without texture coordinates or
// normals, and the halves of a model.
#include "mesh.h"
#include "model.h"
#include "plane.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "testsupport.h"

namespace {

using Triangle = std::array<GfxVec3, 3>;

const Plane kGround(0.0f, 1.0f, 0.0f, 0.0f);  // front is y > 0

// One triangle with per-corner texture coordinates and normals.
Mesh OneTriangle(const Triangle& corners, bool withAttributes = true)
{
    Mesh mesh;
    mesh.SetName("hull");
    for (int i = 0; i < 3; ++i) {
        mesh.AddVertex(corners[i]);
        if (withAttributes) {
            mesh.AddTexCoord(static_cast<float>(i), 0.0f);
            mesh.AddNormal(GfxVec3(0.0f, 0.0f, static_cast<float>(i + 1)));
        }
    }
    mesh.AddFace(0, 1, 2, 0, 1, 2, 0, 1, 2);
    mesh.SetHasTexCoords(withAttributes);
    mesh.SetHasNormals(withAttributes);
    return mesh;
}

std::vector<Triangle> Triangles(const Mesh& mesh)
{
    std::vector<Triangle> out;
    for (const Face& f : mesh.GetFaces())
        out.push_back(
            {mesh.GetVertices()[f.vertex[0]], mesh.GetVertices()[f.vertex[1]], mesh.GetVertices()[f.vertex[2]]});
    return out;
}

struct SplitCase {
    const char* name;
    Triangle source;
    std::vector<Triangle> front;
    std::vector<Triangle> back;
};

class MeshSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(MeshSplit, DealsThePieces)
{
    const SplitCase& c = GetParam();
    const Mesh source = OneTriangle(c.source);
    Mesh front, back;
    source.Split(kGround, &front, &back);
    EXPECT_EQ(Triangles(front), c.front);
    EXPECT_EQ(Triangles(back), c.back);
    EXPECT_EQ(front.GetName(), "hull_front");
    EXPECT_EQ(back.GetName(), "hull_back");
}

const GfxVec3 kUp0(0, 1, 0), kUp1(1, 1, 0), kDown0(0, -1, 0), kDown1(1, -1, 0);
const GfxVec3 kCutOrigin(0, 0, 0), kCutHalf(0.5f, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Split, MeshSplit,
    ::testing::Values(
        SplitCase{"WhollyInFront", {kUp0, kUp1, GfxVec3(0, 2, 0)}, {{kUp0, kUp1, GfxVec3(0, 2, 0)}}, {}},
        SplitCase{"WhollyBehind", {kDown0, kDown1, GfxVec3(0, -2, 0)}, {}, {{kDown0, kDown1, GfxVec3(0, -2, 0)}}},
        SplitCase{"InThePlaneGoesBack",
                  {kCutOrigin, GfxVec3(1, 0, 0), GfxVec3(0, 0, 1)},
                  {},
                  {{kCutOrigin, GfxVec3(1, 0, 0), GfxVec3(0, 0, 1)}}},
        SplitCase{"LoneP2Behind",
                  {kUp0, kUp1, kDown0},
                  {{kUp1, kCutHalf, kCutOrigin}, {kUp1, kCutOrigin, kUp0}},
                  {{kCutHalf, kDown0, kCutOrigin}}},
        SplitCase{"LoneP0Behind",
                  {kDown0, kUp0, kUp1},
                  {{kUp0, kUp1, kCutHalf}, {kUp0, kCutHalf, kCutOrigin}},
                  {{kCutOrigin, kCutHalf, kDown0}}},
        SplitCase{"LoneP1InFront",
                  {kDown0, kUp0, kDown1},
                  {{kUp0, kCutHalf, kCutOrigin}},
                  {{kCutHalf, kDown1, kDown0}, {kCutHalf, kDown0, kCutOrigin}}}),
    CaseName());

TEST(MeshSplitAttributes, CutAtTheMiddleGivesTheMeans)
{
    const TexCoord t = Mesh::InterpolateTexCoord(GfxVec3(1, 0, 0), GfxVec3(0, 0, 0), GfxVec3(2, 0, 0),
                                                 TexCoord(0.2f, 0.4f), TexCoord(0.6f, 1.0f));
    EXPECT_FLOAT_EQ(t.u, 0.4f);
    EXPECT_FLOAT_EQ(t.v, 0.7f);
    const GfxVec3 n = Mesh::InterpolateNormal(GfxVec3(1, 0, 0), GfxVec3(0, 0, 0), GfxVec3(2, 0, 0), GfxVec3(1, 0, 0),
                                              GfxVec3(0, 1, 0));
    EXPECT_EQ(n, GfxVec3(0.5f, 0.5f, 0.0f));  // not normalised

    // A quarter of the way along an edge away from the origin.
    const GfxVec3 s(1, 1, 1), h(2, 1, 1), e(5, 1, 1);
    const TexCoord quarter = Mesh::InterpolateTexCoord(h, s, e, TexCoord(0.2f, 0.4f), TexCoord(0.6f, 1.0f));
    EXPECT_FLOAT_EQ(quarter.u, 0.3f);
    EXPECT_FLOAT_EQ(quarter.v, 0.55f);
    EXPECT_EQ(Mesh::InterpolateNormal(h, s, e, GfxVec3(1, 2, 3), GfxVec3(5, 6, 7)), GfxVec3(2, 3, 4));

    // In a split the cut on P1-P2 carries the mean of their attributes.
    Mesh front, back;
    OneTriangle({kUp0, kUp1, kDown0}).Split(kGround, &front, &back);
    const Face& lone = back.GetFaces().at(0);
    EXPECT_FLOAT_EQ(back.GetTexCoords()[lone.texcoord[0]].u, 1.5f);
    EXPECT_FLOAT_EQ(back.GetNormals()[lone.normal[0]].z, 2.5f);
}

TEST(MeshSplitAttributes, SourceWithoutTexCoordsOrNormalsGivesHalvesWithout)
{
    Mesh front, back;
    OneTriangle({kUp0, kUp1, kDown0}, false).Split(kGround, &front, &back);
    EXPECT_EQ(Triangles(back), (std::vector<Triangle>{{kCutHalf, kDown0, kCutOrigin}}));
    EXPECT_EQ(front.GetFaceCount(), 2);
    for (const Mesh* half : {&front, &back}) {
        EXPECT_EQ(half->GetTexCoordCount(), 0);
        EXPECT_EQ(half->GetNormalCount(), 0);
        EXPECT_FALSE(half->HasTexCoords());
        EXPECT_FALSE(half->HasNormals());
    }
}

TEST(ModelSplit, KeepsTheNonEmptyHalves)
{
    Model model;
    model.SetName("hull");
    model.SetMtllibName("hull.mtl");
    *model.AddMesh() = OneTriangle({kUp0, kUp1, kDown0});
    *model.AddMesh() = OneTriangle({kUp0, kUp1, GfxVec3(0, 2, 0)});
    Model front, back;
    model.Split(kGround, &front, &back);
    EXPECT_EQ(front.GetName(), "hullfront");
    EXPECT_EQ(front.GetGroupCount(), 2);
    EXPECT_EQ(front.GetTriangleCount(), 3);
    EXPECT_EQ(front.GetMtllibName(), "hull.mtl");
    EXPECT_EQ(front.GetBoundsMax(), GfxVec3(1, 2, 0));
    EXPECT_EQ(front.GetMesh(1)->GetVertexArray().size(), 9u);
    EXPECT_EQ(back.GetName(), "hullback");
    EXPECT_EQ(back.GetGroupCount(), 1);
    EXPECT_EQ(back.GetBoundsMin(), GfxVec3(0, -1, 0));

    Model allFront, emptyBack;
    Model upper;
    upper.SetName("up");
    *upper.AddMesh() = OneTriangle({kUp0, kUp1, GfxVec3(0, 2, 0)});
    upper.Split(kGround, &allFront, &emptyBack);
    EXPECT_EQ(allFront.GetMesh(0)->GetName(), "hull_front");
    EXPECT_EQ(emptyBack.GetGroupCount(), 0);
    EXPECT_EQ(emptyBack.GetName(), "");
}

}  // namespace

namespace {

// An edge of the cutting triangle's own plane whose ends rounding puts on
// either side: the cut point stays on the edge instead of running off to infinity.
TEST(MeshSplitAttributes, CutOfAnEdgeLyingInThePlaneStaysOnTheEdge)
{
    const Plane plane(Vec3(-0.115160659f, -0.942084193f, -0.314984947f), 0.127628341f);
    const GfxVec3 s(-3.0f, -0.166502714f, 2.0f);
    const GfxVec3 e(-2.0f, -0.288743019f, 2.0f);
    GfxVec3 hit;
    ASSERT_EQ(plane.IntersectSegment(s, e, hit), 2);
    EXPECT_GE(hit.x, -3.0f);
    EXPECT_LE(hit.x, -2.0f);
    EXPECT_GE(hit.y, -0.288743019f);
    EXPECT_LE(hit.y, -0.166502714f);
    EXPECT_EQ(hit.z, 2.0f);
}

}  // namespace
