// Materials, meshes, models and the sky box drawn under a real GL context,
// checked with glGetMaterial, glGet and glReadPixels.
#include "animatedmaterial.h"
#include "gltestsupport.h"
#include "materialmanager.h"
#include "model.h"
#include "modelmanager.h"
#include "mtlmaterial.h"
#include "objfile.h"
#include "skybox.h"
#include "testsupport.h"
#include "texture.h"
#include "texturemanager.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using gltest::CentrePixel;
using gltest::GlTest;
using Pixel = std::array<int, 4>;

// A square over the whole window at z = 0, wound counter-clockwise.
const char* kQuadObj = "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                       "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n";

std::array<float, 4> MaterialColor(GLenum which)
{
    std::array<float, 4> value{};
    glGetMaterialfv(GL_FRONT, which, value.data());
    return value;
}

TEST_F(GlTest, NewMtlMaterialBindsNothingAndSetsWhiteColours)
{
    MtlMaterial material;
    glBindTexture(GL_TEXTURE_2D, 0);
    material.ApplyBlend();
    material.Bind();
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(MaterialColor(GL_DIFFUSE), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(MaterialColor(GL_SPECULAR)[0], 1.0f);
    float shininess = 0.0f;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, 0.1f);
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(GlTest, MtlMaterialDiffuseCarriesItsAlpha)
{
    MtlMaterial material;
    material.Kd = Color(0.25f, 0.5f, 0.75f, 1.0f);
    material.alpha = 0.5f;
    material.ApplyBlend();
    EXPECT_EQ(MaterialColor(GL_DIFFUSE), (std::array<float, 4>{0.25f, 0.5f, 0.75f, 0.5f}));
}

class ModelDrawing : public GlTest {
protected:
    Model* LoadQuad(const std::string& extra = "")
    {
        folder.Write("quad.obj", extra + kQuadObj);
        return models.Load(folder.File("quad.obj").c_str());
    }

    TempFolder folder;
    TextureManager textures;
    MaterialManager materials{&textures};
    ModelManager models;

    void SetUp() override
    {
        GlTest::SetUp();
        models.SetMaterialManager(&materials);
    }
};

TEST_F(ModelDrawing, GroupWithoutMaterialDrawsGrey)
{
    Model* model = LoadQuad();
    ASSERT_NE(model, nullptr);
    model->Render(GL_TRIANGLES, &materials);
    Pixel p = CentrePixel();
    EXPECT_NEAR(p[0], 128, 1);
    EXPECT_NEAR(p[1], 128, 1);
    EXPECT_NEAR(p[2], 128, 1);
}

TEST_F(ModelDrawing, MaterialTextureIsDrawn)
{
    folder.Write("lib.mtl", "newmtl red\nKd 1 1 1\nmap_Kd red.tga\n");
    folder.Write("red.tga", SolidTga(255, 0, 0, 2, 2));
    Model* model = LoadQuad("mtllib lib.mtl\nusemtl red\n");
    ASSERT_NE(model, nullptr);
    auto* material = dynamic_cast<MtlMaterial*>(model->GetMesh(0)->GetMaterial());
    ASSERT_NE(material, nullptr);
    ASSERT_NE(material->texture, nullptr);
    EXPECT_EQ(material->texture->GetName(), folder.File("red.tga"));
    glBlendFunc(GL_ONE, GL_ZERO);
    model->Render(GL_TRIANGLES, &materials);
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(CentrePixel(), (Pixel{255, 0, 0, 255}));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
}

TEST_F(ModelDrawing, RenderColoredWithoutMaterialUsesTheColourAndLeavesWhite)
{
    Model* model = LoadQuad();
    ASSERT_NE(model, nullptr);
    model->RenderColored(0.0f, 0.0f, 1.0f, 1.0f, GL_TRIANGLES, false);
    EXPECT_EQ(CentrePixel(), (Pixel{0, 0, 255, 255}));
    float colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    const std::array<float, 4> current = {colour[0], colour[1], colour[2], colour[3]};
    EXPECT_EQ(current, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(ModelDrawing, RenderColoredWithMaterialTintsItsTexture)
{
    folder.Write("lib.mtl", "newmtl white\nmap_Kd white.tga\n");
    folder.Write("white.tga", SolidTga(255, 255, 255));
    Model* model = LoadQuad("mtllib lib.mtl\nusemtl white\n");
    ASSERT_NE(model, nullptr);
    model->RenderColored(0.0f, 1.0f, 0.0f, 1.0f, GL_TRIANGLES, true);
    EXPECT_EQ(CentrePixel(), (Pixel{0, 255, 0, 255}));
}

TEST_F(ModelDrawing, MeshWithoutTexcoordsDrawsWithVertexArrayOnly)
{
    folder.Write("flat.obj", "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nf 1 2 3\nf 1 3 4\n");
    Model* model = models.Load(folder.File("flat.obj").c_str());
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->GetMesh(0)->GetTexCoordArray().empty());
    model->RenderGeometry(GL_TRIANGLES);
    EXPECT_EQ(CentrePixel(), (Pixel{255, 255, 255, 255}));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}

TEST_F(ModelDrawing, AnimatedMaterialFramesShareTexturesAndBindTheCurrentOne)
{
    folder.Write("glow_1_0.tga", SolidTga(255, 0, 0));
    folder.Write("glow_1_1.tga", SolidTga(0, 0, 255));
    const std::string first = folder.File("glow_1_0.tga");
    AnimatedMaterial* a = materials.CreateAnimatedMaterial(first.c_str());
    AnimatedMaterial* b = materials.CreateAnimatedMaterial(first.c_str());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(a->GetFrameCount(), 2);
    EXPECT_EQ(a->GetFrames(), b->GetFrames());
    EXPECT_EQ(a->GetFrames()[0]->GetLoadCount(), 2);
    a->Update(0.5f);
    EXPECT_EQ(a->GetTexture(), a->GetFrames()[1]);
    a->Bind();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), a->GetFrames()[1]->GetGLTextureId());
    AnimatedMaterial noFrames;
    noFrames.Bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    LogCapture log;
    a->PrintToLog();
    EXPECT_TRUE(log.Contains("\t Material Texture File: " + first + "\n"));
    EXPECT_TRUE(log.Contains("\t Material Texture File: " + folder.File("glow_1_1.tga") + "\n"));
    EXPECT_TRUE(log.Contains("\tTexture Dimensions: 1 x 1, 24 bits\n"));
}

TEST_F(ModelDrawing, DrawBoundsOutlinesTheBoxInWhite)
{
    Model model;
    Mesh* mesh = model.AddMesh();
    mesh->AddVertex(-0.5f, -0.5f, 0.0f);
    mesh->AddVertex(0.5f, 0.5f, 0.0f);
    model.SetBounds(model.ComputeBoundsMin(), model.ComputeBoundsMax());
    glColor4f(1, 0, 0, 1);
    model.DrawBounds();
    GfxComponent* gfx = GfxComponent::GetInstance();
    const int w = gfx->GetWindowWidth();
    const int h = gfx->GetWindowHeight();
    // The edge x = 0.5 falls at three quarters of the width; the inside stays empty.
    unsigned char row[3 * 4] = {};
    glReadPixels(w * 3 / 4 - 1, h / 2, 3, 1, GL_RGBA, GL_UNSIGNED_BYTE, row);
    bool white = false;
    for (int i = 0; i < 3; ++i)
        white = white || (row[i * 4] == 255 && row[i * 4 + 1] == 255 && row[i * 4 + 2] == 255);
    EXPECT_TRUE(white);
    EXPECT_EQ(CentrePixel(), (Pixel{0, 0, 0, 255}));
}

struct SkyCase {
    const char* name;
    float dx, dy, dz;  // looking direction from the eye
    int face;
};

class SkyboxFaces : public GlTest, public ::testing::WithParamInterface<SkyCase> {
protected:
    static constexpr unsigned char kColors[kSkyboxFaceCount][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                                                   {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};

    void SetUp() override
    {
        GlTest::SetUp();
        for (int i = 0; i < kSkyboxFaceCount; ++i) {
            const std::string name = "face" + std::to_string(i) + ".tga";
            folder.Write(name, SolidTga(kColors[i][0], kColors[i][1], kColors[i][2]));
            ASSERT_TRUE(sky.LoadFace(i, folder.File(name).c_str()));
        }
    }
    void TearDown() override { sky.ReleaseFaces(); }

    // Perspective view from eye along (dx, dy, dz), back faces culled as in the game.
    void Look(float ex, float ey, float ez, float dx, float dy, float dz, double farPlane = 200.0)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 1.0, farPlane);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const float upZ = (dy != 0.0f) ? 1.0f : 0.0f;
        gluLookAt(ex, ey, ez, ex + dx, ey + dy, ez + dz, 0.0, upZ == 0.0f ? 1.0 : 0.0, upZ);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glFrontFace(GL_CCW);
        glEnable(GL_DEPTH_TEST);
    }

    TempFolder folder;
    Skybox sky;
};

TEST_P(SkyboxFaces, EachDirectionShowsItsFace)
{
    const SkyCase& c = GetParam();
    Look(0, 0, 0, c.dx, c.dy, c.dz);
    sky.Render(0, 0, 0);
    const unsigned char* expected = kColors[c.face];
    EXPECT_EQ(CentrePixel(), (Pixel{expected[0], expected[1], expected[2], 255}));
}

INSTANTIATE_TEST_SUITE_P(Skybox, SkyboxFaces,
                         ::testing::Values(SkyCase{"minusZ", 0, 0, -1, 0}, SkyCase{"plusX", 1, 0, 0, 1},
                                           SkyCase{"plusZ", 0, 0, 1, 2}, SkyCase{"minusX", -1, 0, 0, 3},
                                           SkyCase{"up", 0, 1, 0, 4}, SkyCase{"down", 0, -1, 0, 5}),
                         CaseName());

TEST_F(SkyboxFaces, TheBoxMovesWithTheEyeAndLeavesDepthAlone)
{
    // From (10, 0, 0) the face x = +50 of the moved box is 50 ahead: visible
    // with a far plane of 55, clipped with 45.
    Look(10, 0, 0, 1, 0, 0, 55.0);
    sky.Render(10, 0, 0);
    EXPECT_EQ(CentrePixel(), (Pixel{0, 255, 0, 255}));
    float depth = 0.0f;
    GfxComponent* gfx = GfxComponent::GetInstance();
    glReadPixels(gfx->GetWindowWidth() / 2, gfx->GetWindowHeight() / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    glClear(GL_COLOR_BUFFER_BIT);
    Look(10, 0, 0, 1, 0, 0, 45.0);
    sky.Render(10, 0, 0);
    EXPECT_EQ(CentrePixel(), (Pixel{0, 0, 0, 255}));
}

TEST_F(SkyboxFaces, ReleaseGivesEveryFaceBack)
{
    sky.ReleaseFaces();
    for (int i = 0; i < kSkyboxFaceCount; ++i)
        EXPECT_EQ(sky.GetFace(i), nullptr);
    EXPECT_TRUE(GfxComponent::GetInstance()->textures->GetTextures().empty());
}

TEST_F(SkyboxFaces, SharedSideImageNeedsAllFourReleases)
{
    sky.ReleaseFaces();
    const std::string side = folder.File("face0.tga");
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(sky.LoadFace(i, side.c_str()));
    EXPECT_EQ(sky.GetFace(0), sky.GetFace(3));
    EXPECT_EQ(sky.GetFace(0)->GetLoadCount(), 4);
    EXPECT_FALSE(sky.LoadFace(4, folder.File("absent.tga").c_str()));
    // A face that failed to load is drawn untextured rather than crashing.
    Look(0, 0, 0, 0, 1, 0);
    sky.Render(0, 0, 0);
    EXPECT_EQ(CentrePixel(), (Pixel{255, 255, 255, 255}));
}

TEST_F(SkyboxFaces, FaceIndexOutsideTheBoxBreaks)
{
    BreakCounter breaks;
    EXPECT_FALSE(sky.LoadFace(6, folder.File("face0.tga").c_str()));
    EXPECT_FALSE(sky.LoadFace(-1, folder.File("face0.tga").c_str()));
    EXPECT_EQ(breaks.Count(), 2);
}

}  // namespace
