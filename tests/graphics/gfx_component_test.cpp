// The graphics component on a real window (Xvfb and Mesa's software GL):
// window creation, the fixed GL state, 2D pixel mapping and quads read back
// with glReadPixels, billboard orientation and the registry dump.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "animatedmaterial.h"
#include "application.h"
#include "gfxcomponent.h"
#include "gltestsupport.h"
#include "materialmanager.h"
#include "modelmanager.h"
#include "orbitcamera.h"
#include "testsupport.h"
#include "texturemanager.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Pixel {
    int r, g, b;
};

Pixel ReadPixel(int x, int y)
{
    const std::array<int, 4> rgba = gltest::ReadPixel(x, y);
    return Pixel{rgba[0], rgba[1], rgba[2]};
}

void ExpectPixel(int x, int y, Pixel expected, const char* what)
{
    const Pixel actual = ReadPixel(x, y);
    EXPECT_NEAR(actual.r, expected.r, 2) << what << " at " << x << "," << y;
    EXPECT_NEAR(actual.g, expected.g, 2) << what << " at " << x << "," << y;
    EXPECT_NEAR(actual.b, expected.b, 2) << what << " at " << x << "," << y;
}

constexpr Pixel kBlack{0, 0, 0};
constexpr Pixel kRed{255, 0, 0};
constexpr Pixel kGreen{0, 255, 0};

class GfxWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("MORVO_TEST", "1", 1); }

    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs a display (the test runner starts Xvfb)";
        }
        gfx_ = GfxComponent::GetInstance();
        if (gfx_->GetWindowHandle() == nullptr || gfx_->GetWindowWidth() != kWidth ||
            gfx_->GetWindowHeight() != kHeight) {
            ASSERT_TRUE(Reopen(kWidth, kHeight, false)) << "no GL window (is there a display?)";
        }
        ASSERT_TRUE(MakeGLContextCurrent(gfx_->GetWindowHandle(), gfx_->GetRenderContext()));
        gfx_->InitGL();
        gltest::ResetView();
        glDisable(GL_BLEND);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // A fresh window in place of the current one (textures go with the old context).
    bool Reopen(int width, int height, bool fullscreen)
    {
        gfx_->models->Clear();
        gfx_->materials->Clear();
        gfx_->textures->Clear();
        gfx_->KillGLWindow();
        return gfx_->CreateGLWindow(width, height, 32, 16, fullscreen);
    }

    // An opaque white texture from a luminance-alpha buffer.
    Texture* WhiteTexture()
    {
        static const unsigned char pixels[4 * 4 * 2] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                                        255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                                        255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
        return gfx_->textures->CreateFromBitmap("white", pixels, 4, 4, GL_RGBA);
    }

    GfxComponent* gfx_ = nullptr;
};

// ---- window and GL state ----

TEST_F(GfxWindow, CreatesADoubleBufferedWindowWithDepthAndAContext)
{
    EXPECT_NE(gfx_->GetWindowHandle(), nullptr);
    EXPECT_NE(gfx_->GetRenderContext(), nullptr);
    EXPECT_EQ(gfx_->GetWindowWidth(), kWidth);
    EXPECT_EQ(gfx_->GetWindowHeight(), kHeight);
    EXPECT_EQ(gfx_->GetColorBits(), 32);
    EXPECT_EQ(gfx_->GetDepthBits(), 16);
    int width = 0, height = 0;
    ASSERT_TRUE(GetWindowClientSize(gfx_->GetWindowHandle(), &width, &height));
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_TRUE(doubleBuffered);
    EXPECT_TRUE(gfx_->SwapBuffers());
}

TEST_F(GfxWindow, ContextIsACompatibilityContextWithGlewReady)
{
    // Immediate mode works: a core profile would reject glBegin.
    glBegin(GL_POINTS);
    glVertex2f(0.0f, 0.0f);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // GLEW ran after the context: the shader entry points are loaded.
    EXPECT_NE(glCreateProgram, nullptr);
    EXPECT_NE(glCreateShader, nullptr);
}

TEST_F(GfxWindow, InitGLSetsTheFixedState)
{
    EXPECT_TRUE(gfx_->InitGL());
    for (GLenum capability : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_CULL_FACE, GL_COLOR_MATERIAL}) {
        EXPECT_TRUE(glIsEnabled(capability)) << std::hex << capability;
    }
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CCW);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_GREATER);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.0f);
    EXPECT_FLOAT_EQ(clear[3], 0.5f);
    GLfloat depth = 0.0f;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
    GLfloat alphaRef = -1.0f;
    glGetFloatv(GL_ALPHA_TEST_REF, &alphaRef);
    EXPECT_FLOAT_EQ(alphaRef, 0.0f);
}

struct BadSize {
    const char* name;
    int width;
    int height;
};

class GfxWindowSizes : public GfxWindow, public ::testing::WithParamInterface<BadSize> {};

TEST_P(GfxWindowSizes, CannotMakeAWindowAndKeepTheCurrentOne)
{
    HWND before = gfx_->GetWindowHandle();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(gfx_->CreateGLWindow(GetParam().width, GetParam().height, 32, 16, false));
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("ERROR: Window Creation Error."), std::string::npos) << printed;
    EXPECT_EQ(gfx_->GetWindowHandle(), before);
    EXPECT_EQ(gfx_->GetWindowWidth(), kWidth);
    EXPECT_EQ(gfx_->GetWindowHeight(), kHeight);
}

INSTANTIATE_TEST_SUITE_P(GfxComponent, GfxWindowSizes,
                         ::testing::Values(BadSize{"ZeroWidth", 0, 600}, BadSize{"NegativeWidth", -5, 600},
                                           BadSize{"NegativeHeight", 800, -1}),
                         CaseName());

TEST_F(GfxWindow, OrbitCameraTakesTheWindowsAspect)
{
    OrbitCamera camera;
    EXPECT_NEAR(camera.GetAspect(), 800.0f / 600.0f, 1e-6f);
}

TEST_F(GfxWindow, HeightZeroIsStoredAsOne)
{
    ASSERT_TRUE(Reopen(320, 0, false));
    EXPECT_EQ(gfx_->GetWindowHeight(), 1);
    int width = 0, height = 0;
    ASSERT_TRUE(GetWindowClientSize(gfx_->GetWindowHandle(), &width, &height));
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 1);
}

TEST_F(GfxWindow, FullScreenTooLargeForTheDisplayFallsBackToAWindowAfterAsking)
{
    testing::internal::CaptureStderr();
    const bool created = Reopen(5000, 4000, true);
    const std::string printed = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(created);
    EXPECT_NE(printed.find("Vexa GL: The Requested Fullscreen Mode Is Not Supported By"), std::string::npos) << printed;
    EXPECT_EQ(gfx_->GetWindowWidth(), 5000);
}

TEST_F(GfxWindow, FullScreenThatFitsUsesTheDesktop)
{
    int screenWidth = 0, screenHeight = 0;
    ASSERT_TRUE(GetDesktopSize(&screenWidth, &screenHeight));
    LogCapture log;
    testing::internal::CaptureStderr();
    const bool created = Reopen(screenWidth / 2, screenHeight / 2, true);
    const std::string printed = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(created);
    EXPECT_EQ(printed.find("Vexa GL"), std::string::npos) << printed;
    // The window takes the desktop's size, and that is the size kept.
    EXPECT_EQ(gfx_->GetWindowWidth(), screenWidth);
    EXPECT_EQ(gfx_->GetWindowHeight(), screenHeight);
    EXPECT_TRUE(log.Contains(std::to_string(screenWidth) + " x " + std::to_string(screenHeight))) << log.All();
    EXPECT_TRUE(gfx_->SwapBuffers());
}

TEST_F(GfxWindow, WindowMessagesReachTheApplicationThroughTheWindowProcedure)
{
    Application* application = Application::GetInstance();
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessage(&message);
    }
    message = MSG{};
    message.hwnd = gfx_->GetWindowHandle();
    message.message = WM_ACTIVATE;
    message.wParam = WA_INACTIVE;
    DispatchMessage(&message);
    EXPECT_FALSE(application->IsActive());
    message.wParam = WA_ACTIVE;
    DispatchMessage(&message);
    EXPECT_TRUE(application->IsActive());
    ASSERT_TRUE(PostMessage(gfx_->GetWindowHandle(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    DispatchMessage(&message);
    EXPECT_TRUE(application->IsQuitting());
}

// ---- 2D mode ----

TEST_F(GfxWindow, Begin2DMapsWindowPixelsFromTheBottomLeft)
{
    gfx_->DrawColoredRect2D(1, 0, 0, 1, 0, 0, 1, 1);
    gfx_->DrawColoredRect2D(0, 1, 0, 1, kWidth - 1, kHeight - 1, 1, 1);
    ExpectPixel(0, 0, kRed, "bottom-left pixel");
    ExpectPixel(1, 1, kBlack, "next to it");
    ExpectPixel(kWidth - 1, kHeight - 1, kGreen, "top-right pixel");
    ExpectPixel(kWidth - 2, kHeight - 2, kBlack, "next to it");
}

TEST_F(GfxWindow, ColoredRectCoversExactlyItsPixels)
{
    glTranslatef(37.0f, 21.0f, 0.0f);  // a model-view left by the caller does not move it
    gfx_->DrawColoredRect2D(1, 0, 0, 1, 100, 50, 200, 100);
    ExpectPixel(100, 50, kRed, "first pixel");
    ExpectPixel(299, 149, kRed, "last pixel");
    ExpectPixel(99, 50, kBlack, "left of it");
    ExpectPixel(300, 149, kBlack, "right of it");
    ExpectPixel(100, 150, kBlack, "above it");
    ExpectPixel(100, 49, kBlack, "below it");
}

TEST_F(GfxWindow, ColoredQuadUsesItsFourCornersAndBlendsByAlpha)
{
    gfx_->DrawColoredQuad2D(1, 1, 1, 0.5f, Vec2(10, 10), Vec2(110, 10), Vec2(110, 60), Vec2(10, 60));
    ExpectPixel(50, 30, Pixel{128, 128, 128}, "half-white over black");
    ExpectPixel(150, 30, kBlack, "outside");
}

TEST_F(GfxWindow, TwoDRoutinesLeaveBlendingOffCullingOnAndMatricesBalanced)
{
    Texture* white = WhiteTexture();
    ASSERT_NE(white, nullptr);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60.0, 4.0 / 3.0, 1.0, 100.0);
    GLfloat projectionBefore[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);
    glMatrixMode(GL_MODELVIEW);

    DrawTexturedRect2D(white, 10, 10, 20, 20);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint value = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &value);
    EXPECT_EQ(value, 1);
    GLfloat projectionAfter[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(projectionAfter[i], projectionBefore[i]) << i;
    }
    ExpectPixel(15, 15, Pixel{255, 255, 255}, "textured rect");
    gfx_->textures->Release(white);
}

TEST_F(GfxWindow, TexturedRectAndQuadCoverTheirPixelsWithTheTextureRightWayUp)
{
    // Luminance-alpha texels, first row first: 64, 128 / 192, 255, all opaque.
    const unsigned char texels[2 * 2 * 2] = {64, 255, 128, 255, 192, 255, 255, 255};
    Texture* quarters = gfx_->textures->CreateFromBitmap("quarters", texels, 2, 2, GL_RGBA);
    ASSERT_NE(quarters, nullptr);
    for (bool quad : {false, true}) {
        glClear(GL_COLOR_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (quad) {
            DrawTexturedQuad2D(quarters, 200, 200, 100, 100, 0.0f, 1.0f);
        } else {
            DrawTexturedRect2D(quarters, 200, 200, 100, 100);
        }
        // The texture's first row lies along the bottom edge (y); texel
        // centres fall between pixels, so a pixel there is a little filtered.
        const std::array<int, 3> centres[] = {{225, 225, 64}, {275, 225, 128}, {225, 275, 192}, {275, 275, 255}};
        for (const auto& q : centres) {
            EXPECT_NEAR(ReadPixel(q[0], q[1]).r, q[2], 8) << q[0] << "," << q[1] << (quad ? " quad" : " rect");
        }
        for (const auto& outside : {std::array<int, 2>{199, 250}, {300, 250}, {250, 199}, {250, 300}}) {
            ExpectPixel(outside[0], outside[1], kBlack, quad ? "outside the quad" : "outside the rect");
        }
    }
    gfx_->textures->Release(quarters);
}

TEST_F(GfxWindow, TexturedRectWithoutTextureBreaksAndDrawsNothing)
{
    BreakCounter breaks;
    DrawTexturedRect2D(nullptr, 0, 0, 50, 50);
    EXPECT_EQ(breaks.Count(), 1);
    DrawTexturedQuad2D(nullptr, 0, 0, 50, 50, 0.0f, 1.0f);
    EXPECT_EQ(breaks.Count(), 2);
    ExpectPixel(10, 10, kBlack, "nothing drawn");
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

// ---- billboards ----

class Billboards : public GfxWindow {
protected:
    void SetUp() override
    {
        GfxWindow::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        // A square view, 90 degrees: a half size of 1 at distance 10 is 30 pixels.
        glViewport(0, 0, kSide, kSide);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 1.0, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -10.0f);
        glRotatef(60.0f, 0.0f, 1.0f, 0.0f);
        glRotatef(35.0f, 1.0f, 0.0f, 0.0f);
        glDisable(GL_CULL_FACE);
    }

    static constexpr int kSide = 600;
    static constexpr int kCentre = kSide / 2;
};

TEST_F(Billboards, FaceTheCameraWhateverTheViewRotation)
{
    Texture* white = WhiteTexture();
    ASSERT_NE(white, nullptr);
    gfx_->DrawBillboard(white, Color(0, 1, 0, 1), Vec3(), 1.0f, 1.0f);
    // An upright square of 60 pixels around the centre: unrotated, the quad
    // would be foreshortened to about 30 pixels across.
    ExpectPixel(kCentre, kCentre, kGreen, "centre");
    ExpectPixel(kCentre + 26, kCentre, kGreen, "right edge inside");
    ExpectPixel(kCentre - 26, kCentre, kGreen, "left edge inside");
    ExpectPixel(kCentre, kCentre + 26, kGreen, "top edge inside");
    ExpectPixel(kCentre, kCentre - 26, kGreen, "bottom edge inside");
    ExpectPixel(kCentre + 26, kCentre + 26, kGreen, "corner inside");
    ExpectPixel(kCentre + 34, kCentre, kBlack, "right of it");
    ExpectPixel(kCentre, kCentre + 34, kBlack, "above it");
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    gfx_->textures->Release(white);
}

TEST_F(Billboards, HalfSizesStretchTheQuadOnScreenAxes)
{
    Texture* white = WhiteTexture();
    ASSERT_NE(white, nullptr);
    gfx_->DrawBillboard(white, Color(1, 0, 0, 1), Vec3(), 2.0f, 0.5f);
    ExpectPixel(kCentre + 55, kCentre, kRed, "wide");
    ExpectPixel(kCentre, kCentre + 20, Pixel{0, 0, 0}, "low");
    ExpectPixel(kCentre, kCentre + 12, kRed, "inside the height");
    gfx_->textures->Release(white);
}

TEST_F(Billboards, WithoutATextureNothingIsDrawn)
{
    gfx_->DrawBillboard(nullptr, Color(0, 1, 0, 1), Vec3(), 1.0f, 1.0f);
    gfx_->DrawAnimatedBillboard(nullptr, Color(0, 1, 0, 1), Vec3(), 1.0f, 1.0f);
    AnimatedMaterial noFrames;
    gfx_->DrawAnimatedBillboard(&noFrames, Color(0, 1, 0, 1), Vec3(), 1.0f, 1.0f);
    ExpectPixel(kCentre, kCentre, kBlack, "centre");
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

// ---- registry dump ----

class RegistryDump : public GfxWindow {
protected:
    void SetUp() override
    {
        GfxWindow::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        gfx_->models->Clear();
        gfx_->materials->Clear();
        gfx_->textures->Clear();
    }

    TempFolder folder_;
};

TEST_F(RegistryDump, EmptyManagersWriteOnlyTheTwoHeadings)
{
    LogCapture log;
    gfx_->outputMeshInfo(folder_.File("meshinfo.txt").c_str());
    EXPECT_EQ(ReadFileText(folder_.File("meshinfo.txt")), "Material Registry\n\nTexture Registry\n\n");
    EXPECT_EQ(log.All(), "Output Object and Texture material registries to text file output.txt\n");
}

TEST_F(RegistryDump, ListsModelsMeshesAndTextures)
{
    Model* model = gfx_->models->CreateEmpty();
    model->SetName("island.obj");
    model->SetMtllibName("island.mtl");
    model->SetTriangleCount(12);
    model->SetMaterialCount(1);
    Mesh* mesh = model->AddMesh();
    mesh->AddTexCoord(0.5f, 0.5f);
    mesh->AddNormal(GfxVec3(0, 1, 0));
    mesh->SetHasTexCoords(true);
    mesh->SetHasNormals(true);
    Texture* blank = gfx_->textures->CreateBlank("blank64", 64, 4);
    ASSERT_NE(blank, nullptr);

    gfx_->outputMeshInfo(folder_.File("meshinfo.txt").c_str());
    char textureLines[256];
    std::snprintf(textureLines, sizeof(textureLines),
                  "Texture #0: blank64\nTexture Dimensions: 64 x 64, 32 bits, OpenGL id: %d\n\n",
                  static_cast<int>(blank->GetGLTextureId()));
    const std::string expected = std::string("Object: island.obj\n# of meshes: 1\n# of materials: 1\n") +
                                 "# of triangles in model: 12\n\n\tMaterial file and location: island.mtl\n" +
                                 "\tMesh #0: \n\t# of vertices: 0\n\t# of texture coords: 1\n" +
                                 "\t# of normals: 1\n\t# of faces: 0\n\n" +
                                 "Material Registry\n\nTexture Registry\n\n" + textureLines;
    EXPECT_EQ(ReadFileText(folder_.File("meshinfo.txt")), expected);
}

TEST_F(RegistryDump, UnwritableFileIsLoggedAndTheSummaryStillFollows)
{
    LogCapture log;
    gfx_->outputMeshInfo(folder_.File("missing/meshinfo.txt").c_str());
    EXPECT_EQ(log.All(), "outputMeshInfo: Unable to create file for output.\n"
                         "Output Object and Texture material registries to text file output.txt\n");
}

}  // namespace
