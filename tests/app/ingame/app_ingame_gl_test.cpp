// The in-game state under a real GL window (Xvfb in the test run): one whole
// frame drawn, faded and presented, the screenshot key, the overlays, the
// cursor and the glow of the boy's tank.
#include "gltestsupport.h"
#include "ingametest.h"

#include "boy.h"
#include "animationdatabase.h"
#include "gfxcomponent.h"
#include "scenenode.h"
#include "texture.h"
#include "texturemanager.h"
#include "tgafile.h"

#include <GL/glu.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class InGameGl : public InGameInputTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open()) << "no GL window";
        InGameInputTest::SetUp();
        gltest::ResetDrawing();
    }

    gltest::WindowHold window_;
};

// The software renderer keeps the back buffer after the swap, so the frame
// just presented can be read back from it. Nothing moves under a fade: the
// fade colour (0.26667, 0.37657, 0.5098) covers the same scene at alpha
// fade time / 0.5 going out and 1 - fade time / 0.5 coming back in.
TEST_F(InGameGl, FrameIsDrawnFadedAndPresented)
{
    Play("Plain");
    Frame(0.02f);
    const std::array<int, 4> scene = gltest::CentrePixel();
    EXPECT_NE(scene, (std::array<int, 4>{0, 0, 0, 255})) << "nothing drawn";
    const float fade[3] = {0.26667f, 0.37657f, 0.5098f};
    const struct {
        const char* what;
        bool enter;  // back from the pause menu first
        float dt;
        float alpha;
    } steps[] = {
        {"out at 0.1 s", false, 0.1f, 0.2f},     {"out at 0.25 s", false, 0.15f, 0.5f},
        {"out past its end", false, 0.3f, 1.0f}, {"in at 0.1 s", true, 0.1f, 0.8f},
        {"in at 0.35 s", false, 0.25f, 0.3f},    {"in past its end", false, 0.2f, 0.0f},
    };
    state_->Leave(StateIndex::kPause);
    for (const auto& step : steps) {
        if (step.enter) {
            state_->Exit(-1);
            state_->Enter(-1);
        }
        Frame(step.dt);
        const std::array<int, 4> faded = gltest::CentrePixel();
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(faded[c], scene[c] * (1.0f - step.alpha) + fade[c] * 255.0f * step.alpha, 3.0f)
                << step.what << ", channel " << c;
        }
    }
}

TEST_F(InGameGl, F12WritesTheFirstScreenshotIntoTheWorkingFolder)
{
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(chdir(folder_.Path().c_str()), 0);
    Play("Plain");
    Key(DIK_F12, true);
    Frame(0.02f);
    EXPECT_TRUE(state_->IsScreenshotShown());
    Key(DIK_F12, false);
    Frame(0.02f);
    ASSERT_EQ(chdir(previous), 0);

    Texture texture;
    PixelBuffer pixels;
    ASSERT_TRUE(TgaFile().Load(&texture, pixels, folder_.File("screenshot_00000.tga").c_str()));
    EXPECT_EQ(static_cast<int>(texture.GetWidth()), gltest::WindowWidth());
    EXPECT_EQ(static_cast<int>(texture.GetHeight()), gltest::WindowHeight());
}

constexpr int kSky = 64;  // grey level of the sky pictures below

// The state's pictures read from the folder's own files: as the help and
// the screenshot overlay a red card over the whole screen for one second, a
// white cursor at half alpha and a dark grey sky.
class InGamePicturesGl : public InGameGl {
protected:
    void SetUp() override
    {
        ForgetPictures();
        ASSERT_NE(getcwd(previous_, sizeof(previous_)), nullptr);
        for (const char* dir : {"run", "assets/2D", "assets/3D"}) {
            std::filesystem::create_directories(folder_.File(dir));
        }
        folder_.Write("red.tga", SolidTga(255, 0, 0));
        card_ = "Object: card\nImage: " + folder_.File("red.tga") +
                "\nKeyframe: 0\nPos: 0, 0\nSize: 1024, 768\nEnd\n"
                "Keyframe: 1\nPos: 0, 0\nSize: 1024, 768\nEnd\nEnd\n";
        folder_.Write("assets/2D/help.txt", card_);
        folder_.Write("assets/2D/screenshot.txt", card_);
        folder_.Write("assets/3D/CursorBillboard_1_0.tga", SolidTgaWithAlpha(255, 255, 255, 128));
        for (const char* face : {"side", "top", "bottom"}) {
            folder_.Write(std::string("assets/3D/") + face + ".tga", SolidTga(kSky, kSky, kSky));
        }
        // The state reads "../assets/2D/..." and F12 writes into the working folder.
        ASSERT_EQ(chdir(folder_.File("run").c_str()), 0);
        InGameGl::SetUp();
    }
    void TearDown() override
    {
        InGameGl::TearDown();
        ForgetPictures();
        EXPECT_EQ(chdir(previous_), 0);
    }
    // The texture manager keeps the cursor and sky pictures by name after a
    // level (the cursor's material does not give its frames back); drop them
    // while their window is still current, so that each test reads its own.
    static void ForgetPictures()
    {
        TextureManager* textures = GfxComponent::GetInstance()->textures.get();
        for (const char* name : {"../assets/3D/CursorBillboard_1_0.tga", "../assets/3D/side.tga",
                                 "../assets/3D/top.tga", "../assets/3D/bottom.tga"}) {
            for (Texture* texture = textures->Find(name); texture != nullptr; texture = textures->Find(name)) {
                textures->Release(texture);
            }
        }
    }
    static bool CardShown()
    {
        const std::array<int, 4> pixel = gltest::CentrePixel();
        return pixel[0] > 250 && pixel[1] < 5 && pixel[2] < 5;
    }
    std::string card_;
    char previous_[4096] = {};
};

struct OverlayCase {
    const char* name;
    uint8_t key;
    bool (MorvoDemoAppstate::*shown)() const;
};

class InGameOverlay : public InGamePicturesGl, public ::testing::WithParamInterface<OverlayCase> {};

// Each press shows the overlay over the frame from its start until it ends,
// the second press as the first.
TEST_P(InGameOverlay, KeyShowsItsOverlayUntilItEnds)
{
    const OverlayCase& c = GetParam();
    Play("Plain");
    for (int press = 1; press <= 2; ++press) {
        Key(c.key, true);
        Frame(0.02f);
        Key(c.key, false);
        EXPECT_TRUE((state_.get()->*c.shown)()) << "press " << press;
        EXPECT_TRUE(CardShown()) << "press " << press;
        for (int frame = 0; frame < 25; ++frame) {
            Frame(0.05f);
        }
        EXPECT_FALSE((state_.get()->*c.shown)()) << "press " << press;
        EXPECT_FALSE(CardShown()) << "press " << press;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, InGameOverlay,
                         ::testing::Values(OverlayCase{"HHelp", DIK_H, &MorvoDemoAppstate::IsHelpShown},
                                           OverlayCase{"F12Screenshot", DIK_F12,
                                                       &MorvoDemoAppstate::IsScreenshotShown}),
                         CaseName());

struct OutcomeCase {
    const char* name;
    void (MorvoDemoAppstate::*decide)();
    const char* file;  // the chapter's animation for it
};

class InGameOutcome : public InGamePicturesGl, public ::testing::WithParamInterface<OutcomeCase> {};

// The chapter's win or lose animation is drawn over the frame once the level
// is won or lost, and not before.
TEST_P(InGameOutcome, AnimationIsDrawnOnceTheLevelIsDecided)
{
    const OutcomeCase& c = GetParam();
    folder_.Write(c.file, card_);
    Play("Animated");
    Frame(0.02f);
    EXPECT_FALSE(CardShown());
    (state_.get()->*c.decide)();
    Frame(0.02f);
    EXPECT_TRUE(CardShown());
}

INSTANTIATE_TEST_SUITE_P(Chapter, InGameOutcome,
                         ::testing::Values(OutcomeCase{"Won", &MorvoDemoAppstate::Win, "win.txt"},
                                           OutcomeCase{"Lost", &MorvoDemoAppstate::Lose, "lose.txt"}),
                         CaseName());

// A trigger's animation started from the level is drawn over the frame.
TEST_F(InGamePicturesGl, TriggersAnimationIsDrawnOverTheFrame)
{
    Play("Plain");
    folder_.Write("trigger.txt", card_);
    const unsigned int index = AnimationDatabase::GetInstance()->Load(folder_.File("trigger.txt"), "trigger");
    ASSERT_TRUE(state_->GetRunningAnimations().Start(index));
    Frame(0.02f);
    EXPECT_TRUE(CardShown());
}

// An opaque black ball of radius 1 around the boy: it hides the boy's place
// from the camera unless the depth test is off.
class DarkBall : public SceneNode {
public:
    void Render() override
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glDisable(GL_FOG);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        GLUquadric* quadric = gluNewQuadric();
        gluSphere(quadric, 1.0, 16, 8);
        gluDeleteQuadric(quadric);
        glPopAttrib();
    }
};

struct LightCase {
    const char* name;
    int flightMode;
    int dx;  // pixels right of the centre
    float storedPower;
    float expected;  // each colour channel
    bool ball;       // the boy carries a DarkBall
};

class InGameLights : public InGamePicturesGl, public ::testing::WithParamInterface<LightCase> {
protected:
    void TearDown() override
    {
        if (World().GetBoy() != nullptr) {
            World().GetBoy()->children.clear();
        }
        InGamePicturesGl::TearDown();
    }
    DarkBall ball_;
};

// The cursor at the steering point (here the boy's place, the centre of the
// view) is blended over the frame by its picture's alpha 0.5; the tank's glow
// around the boy adds its light (alpha 0.3 x 0.5 with a full tank) to what
// is already there. Settling, the boy has no cursor. Both show over the world
// in front of them, and the frame leaves the depth test on.
TEST_P(InGameLights, CursorBlendsOverTheFrameAndTheGlowAddsToIt)
{
    const LightCase& c = GetParam();
    Play("Plain");
    World().GetBoy()->tank.SetStoredPower(c.storedPower);
    World().GetBoy()->SetFlightMode(c.flightMode);
    if (c.ball) {
        World().GetBoy()->AddChild(RefHandle<SceneNode>(&ball_));
    }
    Frame(0.0f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "depth test left off after the frame";
    const int away = gltest::WindowWidth() / 4;  // beyond the glow
    ASSERT_NEAR(gltest::ReadPixel(gltest::WindowWidth() / 2 + away, gltest::WindowHeight() / 2 + away)[0], kSky, 2)
        << "the sky";
    const std::array<int, 4> pixel = gltest::ReadPixel(gltest::WindowWidth() / 2 + c.dx, gltest::WindowHeight() / 2);
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_NEAR(pixel[channel], c.expected, 3.0f) << "channel " << channel;
    }
}

constexpr float kCursorOverSky = 0.5f * kSky + 0.5f * 255.0f;
constexpr float kFullGlow = 0.3f * 0.5f * 255.0f;

INSTANTIATE_TEST_SUITE_P(
    Frame, InGameLights,
    ::testing::Values(LightCase{"Cursor", Boy::kModeSteer, 0, 0.0f, kCursorOverSky, false},
                      LightCase{"SkyBesideTheCursor", Boy::kModeSteer, 6, 0.0f, kSky, false},
                      LightCase{"GlowBesideTheCursor", Boy::kModeSteer, 6, 500.0f, kSky + kFullGlow, false},
                      LightCase{"GlowOverTheCursor", Boy::kModeSteer, 0, 500.0f, kCursorOverSky + kFullGlow, false},
                      LightCase{"NoCursorWhileSettling", Boy::kModeSettle, 0, 0.0f, kSky, false},
                      LightCase{"GlowWhileSettling", Boy::kModeSettle, 0, 500.0f, kSky + kFullGlow, false},
                      LightCase{"CursorOverTheWorld", Boy::kModeSteer, 0, 0.0f, 0.5f * 255.0f, true},
                      LightCase{"GlowOverTheWorld", Boy::kModeSettle, 0, 500.0f, kFullGlow, true}),
    CaseName());

}  // namespace
