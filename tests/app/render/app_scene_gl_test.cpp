// The scene renderer under a real GL window (Xvfb and Mesa in the test
// run), on the headless world set up for a level: the colours each render
// mode gives the morvo classes where they project, fog and editing, the
// dim overlay, the editing frame, the screen border, and the drawing of
// worlds whose assets, sets or cells are missing.
#include "attractor.h"
#include "boy.h"
#include "draw2d.h"
#include "editingflag.h"
#include "gltestsupport.h"
#include "gridsetdatabase.h"
#include "morvoglow.h"
#include "morvoljfunc.h"
#include "orbitcameraaim.h"
#include "rainsystem.h"
#include "rendermode.h"
#include "renderscene.h"
#include "renderworld.h"
#include "toolset.h"
#include "uniformgrid.h"
#include "world_headless.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kSide = 128;
// Looking down at the simulation plane's origin from +z.
const Vec3 kEye(0.0f, 210.0f, 30.0f);
const Vec3 kTarget(0.0f, 150.0f, 0.0f);
// Slightly above the plane, looking along it, for the fog.
const Vec3 kLowEye(0.0f, 170.0f, 60.0f);
constexpr int kChannelTolerance = 3;
// On the plane, 900 world units ahead of the camera: deep in the fog.
const Vec2 kFarPoint(0.0f, 4.4f);
// A cell of the level grid in front of the camera, and the middle of its left edge.
constexpr int kCellColumn = 58;
constexpr int kCellRow = 58;

using Rgb = std::array<int, 3>;

Rgb ToRgb(const Vec3& c)
{
    return {static_cast<int>(std::lround(c.x * 255.0f)), static_cast<int>(std::lround(c.y * 255.0f)),
            static_cast<int>(std::lround(c.z * 255.0f))};
}

::testing::AssertionResult Near(const Rgb& expected, const std::array<int, 4>& pixel)
{
    for (int i = 0; i < 3; ++i) {
        if (std::abs(expected[i] - pixel[i]) > kChannelTolerance) {
            return ::testing::AssertionFailure()
                   << "pixel (" << pixel[0] << ", " << pixel[1] << ", " << pixel[2] << ") expected (" << expected[0]
                   << ", " << expected[1] << ", " << expected[2] << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

class SceneGl : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open(kSide, kSide)) << "no GL window";
        HeadlessWorldTest::SetUp();
        SetUpLevel();
        AimOrbitCamera(camera_, kEye, kTarget);
        World().SetCamera(&camera_);
        GridSetDatabase::GetInstance()->Clear();
        gltest::ResetDrawing();
    }
    void TearDown() override
    {
        SetEditingEnabled(false);
        SetRenderMode(kRenderModeGlow);
        GridSetDatabase::GetInstance()->Clear();
        World().SetCamera(nullptr);
        HeadlessWorldTest::TearDown();
    }

    // The mode, without the debug drawings that would cross the morvos.
    static void Mode(int mode)
    {
        SetRenderMode(mode);
        SetDebugDraw(false);
    }

    // Black background, the camera's matrices, the simulation plane only.
    void DrawWorldOnBlack()
    {
        gltest::ResetDrawing();
        ApplyCamera(camera_);
        RenderWorld(&World());
    }

    std::array<int, 2> PixelOf(Vec2 sim, float height = 0.0f) const
    {
        const Matrix4 clip = camera_.GetProjectionMatrix() * camera_.GetViewMatrix();
        const Vec3 ndc = clip.TransformPoint(MorvoWorld::SimToWorld3D(Vec3(sim.x, sim.y, height), 0));
        return {static_cast<int>((ndc.x + 1.0f) * 0.5f * kSide), static_cast<int>((ndc.y + 1.0f) * 0.5f * kSide)};
    }
    std::array<int, 4> ColorAt(Vec2 sim, float height = 0.0f) const
    {
        const std::array<int, 2> p = PixelOf(sim, height);
        return gltest::ReadPixel(p[0], p[1]);
    }
    static Vec2 CellEdge(int column, int row)
    {
        const UniformGrid& grid = *GetMorvoWorld().GetGrid();
        const Vec2 corner = grid.GetCellCorner(column, row);
        return Vec2(corner.x, corner.y + grid.GetCellHeight() / 2.0f);
    }
    // An orthographic view of the simulation plane, +-extent across the
    // window and +-0.5 deep, on black, with the blend function the frame
    // leaves set and a colour and quadric style a drawing must set itself.
    static void PlaneView(float extent)
    {
        gltest::ResetDrawing(gltest::Texturing::kOff);
        glMatrixMode(GL_PROJECTION);
        glOrtho(-extent, extent, -extent, extent, -0.5, 0.5);
        glMatrixMode(GL_MODELVIEW);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 0.0f, 0.0f, 0.7f);
        gluQuadricDrawStyle(GetSharedQuadric(), GLU_FILL);
    }
    // Pixels of the frame that are clearly red.
    static int RedPixels()
    {
        std::vector<unsigned char> pixels(kSide * kSide * 4);
        glReadPixels(0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int red = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) {
            red += pixels[i] > 200 && pixels[i + 1] < 60 && pixels[i + 2] < 60;
        }
        return red;
    }

    OrbitCamera camera_;
    gltest::WindowHold window_;
};

struct MorvoSpot {
    Vec2 sim;
    int32_t color;
};

const MorvoSpot kSpots[] = {
    {Vec2(-0.1f, 0.0f), kMorvoPure},
    {Vec2(0.0f, 0.0f), kMorvoNeutral},
    {Vec2(0.1f, 0.0f), kMorvoDark},
};

// The glow layers of a power-1 morvo over black, untextured (headless
// world: no morvo textures), in their blend functions.
Vec3 GlowOverBlack(int32_t color)
{
    Vec3 d;
    ForEachGlowLayer(1.0f, color, [&](const GlowLayer& l) {
        d = l.additive ? d + l.color * l.alpha : l.color * l.alpha + d * (1.0f - l.alpha);
    });
    return Vec3(std::fmin(d.x, 1.0f), std::fmin(d.y, 1.0f), std::fmin(d.z, 1.0f));
}

// The brightest channel within a pixel of a simulation point drawn under
// PlaneView (extent): lines one pixel wide need not cross the probe itself.
int BrightestAround(const std::vector<unsigned char>& pixels, Vec2 p, float extent)
{
    const int cx = static_cast<int>((p.x / extent + 1.0f) * 0.5f * kSide);
    const int cy = static_cast<int>((p.y / extent + 1.0f) * 0.5f * kSide);
    int brightest = 0;
    for (int y = cy - 1; y <= cy + 1; ++y) {
        for (int x = cx - 1; x <= cx + 1; ++x) {
            for (int c = 0; c < 3; ++c) {
                brightest = std::max(brightest, static_cast<int>(pixels[(y * kSide + x) * 4 + c]));
            }
        }
    }
    return brightest;
}

struct GizmoProbe {
    const char* what;
    Vec2 at;  // in units of the attractor's size, from its centre
    int brightest;
};

// The size ring is white; the radius ring and the arrows after it are white at
// alpha 0.2. a = 1.2 size and b = 0.8 size: each arrow's tip at b + a/4 = 1.1
// size, its wings at 1.4 size and +-0.3 size, its shaft +-0.15 size wide up to
// 1.7 size.
const GizmoProbe kGizmoProbes[] = {
    {"size ring", Vec2(1.0f, 0.0f), 255},
    {"tip up", Vec2(0.0f, 1.1f), 51},
    {"tip left", Vec2(-1.1f, 0.0f), 51},
    {"tip down", Vec2(0.0f, -1.1f), 51},
    {"tip right", Vec2(1.1f, 0.0f), 51},
    {"inside the up arrow", Vec2(0.0f, 1.4f), 0},
    {"inside the down arrow", Vec2(0.0f, -1.4f), 0},
    {"left wing", Vec2(-0.3f, 1.4f), 51},
    {"right wing", Vec2(0.3f, 1.4f), 51},
    {"left shaft", Vec2(-0.15f, 1.5f), 51},
    {"right shaft", Vec2(0.15f, 1.5f), 51},
    {"inside the size ring", Vec2(0.15f, 0.5f), 0},
    {"back", Vec2(0.0f, 1.7f), 51},
    {"beyond the back", Vec2(0.0f, 1.85f), 0},
    {"right of the up arrow", Vec2(0.6f, 1.4f), 0},
    {"radius ring", Vec2(1.4849f, 1.4849f), 51},  // radius 2.1 size
};

}  // namespace

TEST_F(SceneGl, EachRenderModeShowsTheClassColoursWhereTheMorvosProject)
{
    for (const MorvoSpot& spot : kSpots) {
        ASSERT_GE(World().AddMorvo(spot.sim.x, spot.sim.y, spot.color, 1.0f), 0);
    }
    for (int mode : {kRenderModePoints, kRenderModeDisks, kRenderModeGlow}) {
        Mode(mode);
        DrawWorldOnBlack();
        for (const MorvoSpot& spot : kSpots) {
            const Vec3 expected = mode == kRenderModeGlow ? GlowOverBlack(spot.color) : MorvoClassColor(spot.color);
            EXPECT_TRUE(Near(ToRgb(expected), ColorAt(spot.sim))) << "mode " << mode << " colour " << spot.color;
        }
    }
    // Without a level's pair force the disks take the least body radius.
    delete World().RemoveMorvoLJFunc();
    Mode(kRenderModeDisks);
    DrawWorldOnBlack();
    EXPECT_TRUE(Near(ToRgb(kPureColor), ColorAt(kSpots[0].sim)));
    Mode(kRenderModeNone);
    DrawWorldOnBlack();
    EXPECT_TRUE(Near({0, 0, 0}, ColorAt(kSpots[0].sim)));
}

TEST_F(SceneGl, FogVeilsFarMorvosExceptWhileEditing)
{
    AimOrbitCamera(camera_, kLowEye, kTarget);
    World().AddMorvo(kFarPoint.x, kFarPoint.y, kMorvoPure, 1.0f);
    Mode(kRenderModePoints);
    RenderScene(false);
    const std::array<int, 4> fogged = ColorAt(kFarPoint);
    SetEditingEnabled(true);
    RenderScene(false);
    EXPECT_TRUE(Near(ToRgb(kPureColor), ColorAt(kFarPoint)));
    // Mostly fog colour (0.667, 0.858, 0.839).
    EXPECT_LT(fogged[0], 200);
    EXPECT_GT(fogged[1], fogged[0] + 30);
}

TEST_F(SceneGl, DimmingHalvesTheFrameAndEditingAddsAGreenFrame)
{
    for (const MorvoSpot& spot : kSpots) {
        World().AddMorvo(spot.sim.x, spot.sim.y, spot.color, 5.0f);
    }
    const std::array<std::array<int, 2>, 3> probes = {{PixelOf(kSpots[0].sim), {kSide / 2, kSide - 4}, {4, 4}}};
    RenderScene(false);
    std::vector<std::array<int, 4>> bright;
    for (const auto& p : probes) {
        bright.push_back(gltest::ReadPixel(p[0], p[1]));
    }
    RenderScene(true);
    for (size_t i = 0; i < probes.size(); ++i) {
        const std::array<int, 4> dim = gltest::ReadPixel(probes[i][0], probes[i][1]);
        EXPECT_TRUE(Near({bright[i][0] / 2, bright[i][1] / 2, bright[i][2] / 2}, dim)) << i;
    }
    // The sky box behind the frame is untextured white here: 0.6 green over it.
    SetEditingEnabled(true);
    RenderScene(false);
    const Rgb frame = {102, 255, 102};
    for (int x = 0; x < 10; ++x) {
        EXPECT_TRUE(Near(frame, gltest::ReadPixel(x, kSide / 2))) << x;
        EXPECT_TRUE(Near(frame, gltest::ReadPixel(kSide / 2, kSide - 1 - x))) << x;
    }
    EXPECT_TRUE(Near({255, 255, 255}, gltest::ReadPixel(10, kSide / 2)));
    EXPECT_TRUE(Near({255, 255, 255}, gltest::ReadPixel(kSide / 2, kSide - 11)));
}

TEST_F(SceneGl, ScreenBorderCoversEachEdgePixelOnceAndLeavesTheInside)
{
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawScreenBorder2D(1.0f, 0.0f, 0.0f, 0.5f, 10.0f);
    std::vector<unsigned char> pixels(kSide * kSide * 4);
    glReadPixels(0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int wrong = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const unsigned char* p = &pixels[(y * kSide + x) * 4];
            const bool inside = x >= 10 && x < kSide - 10 && y >= 10 && y < kSide - 10;
            const Rgb expected = inside ? Rgb{0, 0, 255} : Rgb{128, 0, 128};
            wrong += !Near(expected, {p[0], p[1], p[2], p[3]});
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(SceneGl, GlowSkipsMissingLightningAssetsAndUnknownStates)
{
    // The headless world has no lightning models, bolt or morvo textures.
    const int32_t states[] = {-1, 0, 2, 5};
    std::vector<int32_t> indices;
    for (int32_t state : states) {
        const int32_t i = World().AddMorvo(0.0f, 0.0f, kMorvoDark, 1.0f);
        ASSERT_GE(i, 0);
        MorvoRecord& morvo = World().GetStore()->GetCurrentState()->Get(i);
        morvo.SetLightning(state);
        morvo.lightningTime = 1.0f;
        morvo.cellX = kCellColumn;  // the boy's cell, inside the active bounds
        morvo.cellY = kCellRow;
        indices.push_back(i);
    }
    Mode(kRenderModeGlow);
    DrawWorldOnBlack();
    // The lightning that is drawn advances its frame; none is drawn for -1 and 5.
    const int32_t frames[] = {0, 24, 24, 0};
    for (size_t k = 0; k < indices.size(); ++k) {
        EXPECT_EQ(World().GetStore()->GetCurrentState()->Get(indices[k]).lightningFrame, frames[k]) << states[k];
    }
}

TEST_F(SceneGl, PainterTargetIsFoundThroughItsIndexAndGoesWithTheTable)
{
    SetEditingEnabled(true);
    Mode(kRenderModeNone);
    GridSet set;
    set.AddCell(Vec2(kCellColumn, kCellRow));
    unsigned int index = GridSetDatabase::GetInstance()->Add(set);
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetSetIndex(static_cast<int32_t>(index));
    DrawWorldOnBlack();
    const std::array<int, 4> edge = ColorAt(CellEdge(kCellColumn, kCellRow));
    EXPECT_TRUE(Near({255, 0, 0}, edge));

    // The edit dialog's Clear All, then a new set in the same place in the table.
    GridSetDatabase::GetInstance()->Clear();
    EXPECT_EQ(painter.GetSetIndex(), -1);
    EXPECT_EQ(painter.GetTargetSet(), nullptr);
    GridSet other;
    other.AddCell(Vec2(kCellColumn, kCellRow));
    GridSetDatabase::GetInstance()->Add(other);
    DrawWorldOnBlack();
    EXPECT_EQ(RedPixels(), 0);
    EXPECT_TRUE(Near({255, 255, 255}, ColorAt(CellEdge(kCellColumn, kCellRow))));
}

TEST_F(SceneGl, UnfilledOutlinesSkipMissingSetsAndCellsOffTheGrid)
{
    Mode(kRenderModeNone);
    SetDebugDraw(true);  // the grid's lines first, in their own colour
    GridSet set;
    set.AddCell(Vec2(500.0f, -500.0f));
    set.AddCell(Vec2(kCellColumn, kCellRow));
    const int32_t index = static_cast<int32_t>(GridSetDatabase::GetInstance()->Add(set));
    for (int32_t gridSet : {-1, static_cast<int32_t>(kInvalidGridSetId), index}) {
        Trigger trigger;
        trigger.condition = FILLED_WHITE;
        trigger.visible = true;
        trigger.gridSet = gridSet;
        World().GetTriggers().Add(trigger);
    }
    DrawWorldOnBlack();
    // The middle of each of the cell's four edges.
    const UniformGrid& grid = *World().GetGrid();
    const Vec2 corner = grid.GetCellCorner(kCellColumn, kCellRow);
    const float w = grid.GetCellWidth();
    const float h = grid.GetCellHeight();
    for (Vec2 edge : {Vec2(corner.x, corner.y + h / 2.0f), Vec2(corner.x + w, corner.y + h / 2.0f),
                      Vec2(corner.x + w / 2.0f, corner.y), Vec2(corner.x + w / 2.0f, corner.y + h)}) {
        EXPECT_TRUE(Near({255, 255, 255}, ColorAt(edge))) << edge.x << ", " << edge.y;
    }
}

TEST_F(SceneGl, MorvoPointIsThreePixelsAcross)
{
    // On the centre of pixel (64, 64).
    World().AddMorvo(0.5f / 64.0f, 0.5f / 64.0f, kMorvoPure, 1.0f);
    PlaneView(1.0f);
    DrawMorvoPoints(World());
    int across = 0;
    for (int x = 58; x <= 70; ++x) {
        across += Near(ToRgb(kPureColor), gltest::ReadPixel(x, 64)) ? 1 : 0;
    }
    EXPECT_EQ(across, 3);
}

// A disk is the class colour x 0.8 with a lighter disk of 0.95 its radius,
// moved up and left by 0.1 radius, over it: a shaded rim below on the right.
TEST_F(SceneGl, MorvoDiskHasItsShadedRimBelowOnTheRight)
{
    World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    const float r = World().GetMorvoLJFunc()->GetBodyRadius();
    PlaneView(2.0f * r);
    gluQuadricDrawStyle(GetSharedQuadric(), GLU_LINE);  // as the gizmo leaves it
    DrawMorvoDisks(World());
    // The radius is 32 pixels; 0.88 and 0.5 of it along the diagonals.
    EXPECT_TRUE(Near(ToRgb(kPureColor * 0.8f), gltest::ReadPixel(64 + 20, 64 - 20)));
    EXPECT_TRUE(Near(ToRgb(kPureColor), gltest::ReadPixel(64 + 11, 64 - 11)));
    EXPECT_TRUE(Near(ToRgb(kPureColor), gltest::ReadPixel(64 - 20, 64 + 20)));
    EXPECT_TRUE(Near(ToRgb(kPureColor), gltest::CentrePixel()));
}

// Seen from the side, a falling drop is a grey streak (0.8 at alpha 0.5)
// from the drop up by 0.01 per unit of its speed, and nothing beyond.
TEST_F(SceneGl, RainDropDrawsAGreyStreakUpFromItAsLongAsItsSpeed)
{
    AimOrbitCamera(camera_, kLowEye, kTarget);
    Mode(kRenderModeNone);
    RainSystem& rain = *World().GetRain();
    rain.Emit(0.0f, 0.0f, 0.0f, 0.0f);
    RainDrop& drop = const_cast<RainDrop&>(rain.GetDrops().Get(0));
    drop.verticalSpeed = -8.0f;  // falling; the streak is 0.08 long
    DrawWorldOnBlack();
    for (float z : {0.01f, 0.04f, 0.07f}) {
        EXPECT_TRUE(Near({102, 102, 102}, ColorAt(Vec2(0.0f, 0.0f), z))) << z;
    }
    // Two pixels wide.
    const std::array<int, 2> middle = PixelOf(Vec2(0.0f, 0.0f), 0.04f);
    int wide = 0;
    for (int x = middle[0] - 4; x <= middle[0] + 4; ++x) {
        wide += gltest::ReadPixel(x, middle[1])[0] > 50;
    }
    EXPECT_EQ(wide, 2);
    for (float z : {-0.03f, 0.11f}) {
        EXPECT_TRUE(Near({0, 0, 0}, ColorAt(Vec2(0.0f, 0.0f), z))) << z;
    }
    drop.active = 0;
    DrawWorldOnBlack();
    EXPECT_TRUE(Near({0, 0, 0}, ColorAt(Vec2(0.0f, 0.0f), 0.04f)));
}

TEST_F(SceneGl, AttractorGizmoShowsItsRingsAndFourArrowsPointingIn)
{
    const Vec2 centre(-0.1f, 0.05f);
    constexpr float kSize = 0.4f;
    auto* attractor = new Attractor(1000.0f, 0.0f, 2.1f * kSize, 1.0f / 2.1f);
    attractor->SetCenter(centre);
    attractor->SetEnabled(true);
    World().SetMorvoAttractorFunc(attractor);
    PlaneView(1.0f);
    DrawAttractorGizmo(World());
    const std::vector<unsigned char> pixels = gltest::ReadWindow();
    for (const GizmoProbe& probe : kGizmoProbes) {
        EXPECT_NEAR(BrightestAround(pixels, Vec2(centre.x + probe.at.x * kSize, centre.y + probe.at.y * kSize), 1.0f),
                    probe.brightest, kChannelTolerance)
            << probe.what;
    }
    // The transform is left as it was found.
    float modelView[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    EXPECT_EQ(Matrix4(modelView), Matrix4());
}

TEST_F(SceneGl, EditBrushIsAHalfTransparentGreenCircleAroundTheBoy)
{
    const float radius = GetToolSet().GetRadius();
    World().GetBoy()->position = MorvoWorld::SimToWorld(Vec2(-radius / 2.0f, radius / 2.0f), 0);
    PlaneView(2.0f * radius);
    glBlendFunc(GL_ONE, GL_ZERO);
    DrawBrushCircle(World());
    // The radius is 32 pixels; the boy is at (48, 80).
    EXPECT_TRUE(Near({0, 64, 0}, gltest::ReadPixel(80, 80)));
    EXPECT_TRUE(Near({0, 64, 0}, gltest::ReadPixel(48, 48)));
    EXPECT_TRUE(Near({0, 0, 0}, gltest::ReadPixel(48, 80)));
}

TEST_F(SceneGl, SceneWithoutACameraBreaksAndDrawsNothing)
{
    World().SetCamera(nullptr);
    BreakCounter breaks;
    RenderScene(false);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_TRUE(Near({0, 0, 0}, gltest::CentrePixel()));
}
