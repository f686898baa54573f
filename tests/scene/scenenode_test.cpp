// Scene nodes: colour handed down, visibility flags, child references, the
// placement matrix and drawing (under Xvfb), and the viewport.
#include "animatedmaterial.h"
#include "camera.h"
#include "gfxcomponent.h"
#include "gltestsupport.h"
#include "mesh.h"
#include "model.h"
#include "modelmanager.h"
#include "scenenode.h"
#include "testsupport.h"
#include "texturemanager.h"
#include "viewport.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// A model of one full-window square whose group has an animated material
// with two (imageless) frames, so updates can be seen in the frame index.
struct AnimatedQuad {
    AnimatedQuad()
    {
        folder.Write("f_1_0.tga", "x");
        folder.Write("f_1_1.tga", "x");
        material.Load(folder.File("f_1_0.tga").c_str(), &textures);
        Mesh* mesh = model.AddMesh();
        mesh->AddVertex(-1, -1, 0);
        mesh->AddVertex(1, -1, 0);
        mesh->AddVertex(1, 1, 0);
        mesh->AddVertex(-1, 1, 0);
        mesh->AddFace(0, 1, 2);
        mesh->AddFace(0, 2, 3);
        mesh->BuildArrays();
        mesh->SetMaterial(&material);
    }
    TempFolder folder;
    TextureManager textures;
    AnimatedMaterial material;
    Model model;
};

TEST(SceneNode, StartsWithTheDocumentedDefaults)
{
    SceneNode node;
    EXPECT_EQ(node.model, nullptr);
    EXPECT_EQ(node.scale, Vec3(1, 1, 1));
    EXPECT_EQ(node.position, Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(node.orientation.w, 1.0f);
    EXPECT_FLOAT_EQ(node.colour.a, 1.0f);
    EXPECT_FLOAT_EQ(node.colour.r, 0.0f);
    EXPECT_EQ(node.mode, GL_TRIANGLES);
    EXPECT_FALSE(node.hidden);
    EXPECT_TRUE(node.visible);
    EXPECT_EQ(node.RefCount(), 0);
}

TEST(SceneNode, CommandsAreNotSupported)
{
    BreakCounter breaks;
    SceneNode node;
    node.HandleCommand(3);
    EXPECT_EQ(breaks.Count(), 1);
}

TEST(SceneNode, UpdateHandsTheColourDownToEveryGeneration)
{
    SceneNode grandchild;  // children first: a parent must go before its children
    SceneNode child;
    SceneNode root;
    child.SetColor(0.1f, 0.1f, 0.1f, 0.1f);
    grandchild.SetColor(0.9f, 0.9f, 0.9f, 0.9f);
    child.AddChild(RefHandle<SceneNode>(&grandchild));
    root.AddChild(RefHandle<SceneNode>(&child));
    root.SetColor(Color(0.2f, 0.4f, 0.6f, 0.8f));
    root.Update(0.1f);
    EXPECT_FLOAT_EQ(child.colour.g, 0.4f);
    EXPECT_FLOAT_EQ(grandchild.colour.b, 0.6f);
    EXPECT_FLOAT_EQ(grandchild.colour.a, 0.8f);
}

struct UpdateCase {
    const char* name;
    bool visible;
    bool hidden;
    bool modelUpdated;
};

class SceneNodeUpdates : public ::testing::TestWithParam<UpdateCase> {};

TEST_P(SceneNodeUpdates, ModelIsUpdatedOnlyWhenVisible)
{
    AnimatedQuad quad;
    AnimatedQuad childQuad;
    SceneNode child;
    SceneNode node;
    node.model = &quad.model;
    child.model = &childQuad.model;
    node.AddChild(RefHandle<SceneNode>(&child));
    node.visible = GetParam().visible;
    node.hidden = GetParam().hidden;
    node.Update(1.0f);
    EXPECT_EQ(quad.material.GetFrameIndex(), GetParam().modelUpdated ? 1u : 0u);
    EXPECT_EQ(childQuad.material.GetFrameIndex(), 1u);
}

INSTANTIATE_TEST_SUITE_P(SceneNode, SceneNodeUpdates,
                         ::testing::Values(UpdateCase{"visible", true, false, true},
                                           UpdateCase{"hiddenStillUpdates", true, true, true},
                                           UpdateCase{"invisible", false, false, false}),
                         CaseName());

TEST(SceneNode, ChildrenHoldOneReferenceEachUntilTheParentGoes)
{
    SceneNode child;
    {
        SceneNode parent;
        parent.AddChild(RefHandle<SceneNode>(&child));
        parent.AddChild(RefHandle<SceneNode>(&child));
        EXPECT_EQ(child.RefCount(), 2);
        EXPECT_EQ(parent.children.size(), 2u);
    }
    EXPECT_EQ(child.RefCount(), 0);
}

TEST(SceneNode, NullChildHandleBreaksAndAddsNothing)
{
    BreakCounter breaks;
    SceneNode parent;
    parent.AddChild(RefHandle<SceneNode>());
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_TRUE(parent.children.empty());
}

// Records the model-view matrix it is drawn with, and how often.
class ProbeNode : public SceneNode {
public:
    void Render() override
    {
        glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
        ++renders;
        SceneNode::Render();
    }
    void VisitChildren() override
    {
        ++visits;
        SceneNode::VisitChildren();
    }
    std::array<float, 16> matrix{};
    int renders = 0;
    int visits = 0;
};

TEST(SceneNode, VisitChildrenReachesEveryDescendant)
{
    ProbeNode grandchild;
    ProbeNode child;
    SceneNode root;
    child.AddChild(RefHandle<SceneNode>(&grandchild));
    root.AddChild(RefHandle<SceneNode>(&child));
    root.VisitChildren();
    EXPECT_EQ(child.visits, 1);
    EXPECT_EQ(grandchild.visits, 1);
}

class SceneDrawing : public gltest::GlTest {
protected:
    static int CentreRed() { return gltest::CentrePixel()[0]; }

    static GLint StackDepth()
    {
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        return depth;
    }
};

TEST_F(SceneDrawing, NewNodeDrawsNothingAndKeepsTheMatrixStack)
{
    SceneNode node;
    const GLint before = StackDepth();
    node.Render();
    EXPECT_EQ(StackDepth(), before);
    EXPECT_EQ(CentreRed(), 0);
}

TEST_F(SceneDrawing, ChildIsPlacedRotatedThenScaledThenTranslated)
{
    ProbeNode child;
    SceneNode node;
    node.scale = Vec3(2, 2, 2);
    node.position = Vec3(1, 0, 0);
    const float half = static_cast<float>(M_PI) / 4.0f;
    node.orientation = Quaternion(std::cos(half), 0.0f, std::sin(half), 0.0f);  // 90 degrees about y
    node.AddChild(RefHandle<SceneNode>(&child));
    node.Render();
    ASSERT_EQ(child.renders, 1);
    const auto& m = child.matrix;
    // The model vertex (1, 0, 0) in the parent's frame.
    const float x = m[0] + m[12];
    const float y = m[1] + m[13];
    const float z = m[2] + m[14];
    EXPECT_NEAR(x, 1.0f, 1e-5);
    EXPECT_NEAR(y, 0.0f, 1e-5);
    EXPECT_NEAR(z, -2.0f, 1e-5);
}

struct DrawCase {
    const char* name;
    bool visible;
    bool hidden;
    bool modelDrawn;
};

class SceneNodeDrawFlags : public SceneDrawing, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(SceneNodeDrawFlags, ModelIsDrawnOnlyWhenVisibleAndNotHidden)
{
    AnimatedQuad quad;
    ProbeNode child;
    SceneNode node;
    node.model = &quad.model;
    node.visible = GetParam().visible;
    node.hidden = GetParam().hidden;
    node.AddChild(RefHandle<SceneNode>(&child));
    glColor4f(1, 1, 1, 1);
    node.Render();
    EXPECT_EQ(CentreRed() > 0, GetParam().modelDrawn);
    EXPECT_EQ(child.renders, 1);
}

INSTANTIATE_TEST_SUITE_P(SceneNode, SceneNodeDrawFlags,
                         ::testing::Values(DrawCase{"visible", true, false, true},
                                           DrawCase{"hidden", true, true, false},
                                           DrawCase{"invisible", false, false, false}),
                         CaseName());

TEST_F(SceneDrawing, LoadModelComesFromTheGraphicsComponentsManager)
{
    TempFolder folder;
    folder.Write("tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    SceneNode node;
    Model* model = node.LoadModel(folder.File("tri.obj").c_str());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(node.model, model);
    EXPECT_EQ(GfxComponent::GetInstance()->models->Find(folder.File("tri.obj").c_str()), model);
    LogCapture log;
    EXPECT_EQ(node.LoadModel(folder.File("absent.obj").c_str()), nullptr);
    EXPECT_EQ(node.model, nullptr);
    EXPECT_EQ(GfxComponent::GetInstance()->models->Find(folder.File("tri.obj").c_str()), model);
    GfxComponent::GetInstance()->models->Remove(model);
}

TEST_F(SceneDrawing, ViewportWithoutCameraDrawsNothing)
{
    auto probe = std::make_unique<ProbeNode>();
    ProbeNode* seen = probe.get();
    Viewport viewport(nullptr, 0, 0, 32, 32, std::move(probe));
    EXPECT_FALSE(viewport.Render());
    EXPECT_EQ(seen->renders, 0);
}

TEST_F(SceneDrawing, ViewportSetsItsRectangleAndDrawsTheScene)
{
    Camera camera(60.0f, Vec3(0, 0, 5), 64, 64, 1.0f, 100.0f, 0.0f, 0.0f, 0.0f);
    auto probe = std::make_unique<ProbeNode>();
    ProbeNode* seen = probe.get();
    Viewport viewport(&camera, 8, 4, 32, 16, std::move(probe));
    EXPECT_EQ(viewport.GetCamera(), &camera);
    ASSERT_TRUE(viewport.Render());
    EXPECT_EQ(seen->renders, 1);
    GLint rect[4] = {};
    glGetIntegerv(GL_VIEWPORT, rect);
    EXPECT_EQ(std::vector<GLint>(rect, rect + 4), (std::vector<GLint>{8, 4, 32, 16}));
    // The view is the camera's inverse: the camera 5 in front moves the world 5 away.
    EXPECT_NEAR(seen->matrix[14], -5.0f, 1e-5);
}

TEST_F(SceneDrawing, ViewportViewUndoesARotatedTranslatedCamera)
{
    Camera camera(60.0f, Vec3(3, -2, 7), 64, 64, 1.0f, 100.0f, 0.7f, 0.3f, 0.2f);
    auto probe = std::make_unique<ProbeNode>();
    ProbeNode* seen = probe.get();
    Viewport viewport(&camera, 0, 0, 64, 64, std::move(probe));
    ASSERT_TRUE(viewport.Render());
    // View x camera frame is the identity: the eye lands on the origin.
    const Matrix4 product = Matrix4(seen->matrix.data()) * camera.GetMatrix();
    const Matrix4 identity;
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(product.m[i], identity.m[i], 1e-5) << "element " << i;
}

TEST_F(SceneDrawing, ViewportRefusesACameraOfHeightZero)
{
    BreakCounter breaks;
    Camera camera(60.0f, Vec3(0, 0, 5), 64, 0, 1.0f, 100.0f, 0.0f, 0.0f, 0.0f);
    Viewport viewport(&camera, 0, 0, 32, 32, nullptr);
    EXPECT_FALSE(viewport.Render());
    EXPECT_EQ(breaks.Count(), 1);
}

}  // namespace
