// A placed scene node draws in its own frame and gives the caller's
// model-view matrix back unchanged.
#include "gltestsupport.h"
#include "scenenode.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

std::array<float, 16> ModelView()
{
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

using SceneNodeMatrix = gltest::GlTest;

TEST_F(SceneNodeMatrix, PlacedNodePutsTheCallersMatrixBack)
{
    SceneNode node;
    node.position = Vec3(1, 2, 3);
    node.scale = Vec3(2, 2, 2);
    const float half = static_cast<float>(M_PI) / 4.0f;
    node.orientation = Quaternion(std::cos(half), 0.0f, std::sin(half), 0.0f);
    glTranslatef(5.0f, 0.0f, 0.0f);
    const std::array<float, 16> before = ModelView();
    node.Render();
    EXPECT_EQ(ModelView(), before);
}

}  // namespace
