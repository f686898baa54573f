// The menu screens and the chapter intro against their documented figures:
// every button's rectangle on the 1024 x 768 picture and its lit picture,
// the title's dedication card as it fades, and the music's level while the
// screens fade and under the title's music keys, read from what the mixer
// plays of a stream whose samples are all 0.5.
#include "screentest.h"

#include "../../sound/soundtestsupport.h"

#include "gameflow.h"
#include "menubutton.h"
#include "messagequeue.h"
#include "morvochapterintrostate.h"
#include "morvodreamstate.h"
#include "morvoendingmenustate.h"
#include "morvoextrastate.h"
#include "morvosaveloadstate.h"
#include "morvostartstate.h"
#include "soundregistry.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

struct ButtonFigures {
    Screen screen;
    int hoverIndex;
    double x, y, width, height;  // of the window; y from the bottom
    const char* overTexture;
};

constexpr double kPictureWidth = 1024.0;
constexpr double kPictureHeight = 768.0;

const ButtonFigures kButtons[] = {
    {Screen::kTitle, 0, 357 / kPictureWidth, 438 / kPictureHeight, 123 / kPictureWidth, 123 / kPictureHeight,
     "MSA_STARTBUTTONOVER_TEX"},
    {Screen::kTitle, 1, 745 / kPictureWidth, 442 / kPictureHeight, 0.125, 1.0 / 6.0, "MSA_CREDITSBUTTONOVER_TEX"},
    {Screen::kTitle, 2, 732 / kPictureWidth, 225 / kPictureHeight, 0.0703125, 0.0703125, "MSA_EXITBUTTONOVER_TEX"},
    {Screen::kDream, 0, 0.041015625, 0.31640625, 0.0888671875, 0.1184896, "MSDR_MENUBUTTONOVER_TEX"},
    {Screen::kDream, 1, 0.251953125, 0.73828125, 0.3408203125, 0.2213542, "MSDR_DREAM1BUTTONOVER_TEX"},
    {Screen::kDream, 2, 0.251953125, 0.5052083, 0.3408203125, 0.2213542, "MSDR_DREAM2BUTTONOVER_TEX"},
    {Screen::kDream, 3, 0.251953125, 0.2721354, 0.3408203125, 0.2213542, "MSDR_DREAM3BUTTONOVER_TEX"},
    {Screen::kDream, 4, 0.251953125, 0.0390625, 0.3408203125, 0.2213542, "MSDR_DREAM4BUTTONOVER_TEX"},
    {Screen::kDream, 5, 0.640625, 0.0, 0.15625, 0.2083333, "MSDR_DREAMEXTRABUTTONOVER_TEX"},
    {Screen::kEnding, 0, 0.041015625, 0.333984375, 0.091796875, 0.091796875, "MEMS_MENUBUTTONOVER_TEX"},
    {Screen::kEnding, 1, 0.28125, 0.412109375, 0.244140625, 0.244140625, "MEMS_CONTINUEBUTTONOVER_TEX"},
    {Screen::kPause, 0, 0.046875, 0.3359375, 0.083984375, 0.083984375, "MSLS_MENUBUTTONOVER_TEX"},
    {Screen::kPause, 1, 0.603515625, 0.51367, 0.19531, 0.19531, "MSLS_CONTINUEBUTTONOVER_TEX"},
    {Screen::kExtras, 0, 0.0537109375, 0.3046875, 0.095703125, 0.1276042, "MSEX_MENUBUTTONOVER_TEX"},
    {Screen::kExtras, 1, 0.4677734375, 0.4700521, 0.0625, 0.0833333, "MSEX_EXTRA1BUTTONOVER_TEX"},
    {Screen::kExtras, 2, 0.53125, 0.40625, 0.33984375, 0.2200521, "MSEX_EXTRA2BUTTONOVER_TEX"},
    {Screen::kExtras, 3, 0.875, 0.46875, 0.0625, 0.0833333, "MSEX_EXTRA3BUTTONOVER_TEX"},
};

// Within a hundredth of a pixel of the 1024 x 768 picture.
constexpr double kFigureTolerance = 1e-5;

class MenuLayoutFigures : public ScreenTest {};

TEST_F(MenuLayoutFigures, EveryButtonLiesOnItsPicture)
{
    for (Screen kind : {Screen::kTitle, Screen::kDream, Screen::kEnding, Screen::kPause, Screen::kExtras}) {
        const std::unique_ptr<MenuScreen> screen = MakeScreen(kind);
        size_t expected = 0;
        for (const ButtonFigures& figures : kButtons) {
            if (figures.screen != kind) {
                continue;
            }
            ++expected;
            const MenuButton* found = nullptr;
            for (const MenuButton& button : screen->Layout().buttons) {
                found = button.hoverIndex == figures.hoverIndex ? &button : found;
            }
            ASSERT_NE(found, nullptr) << figures.overTexture;
            EXPECT_NEAR(found->x, figures.x, kFigureTolerance) << figures.overTexture;
            EXPECT_NEAR(found->y, figures.y, kFigureTolerance) << figures.overTexture;
            EXPECT_NEAR(found->width, figures.width, kFigureTolerance) << figures.overTexture;
            EXPECT_NEAR(found->height, figures.height, kFigureTolerance) << figures.overTexture;
            EXPECT_STREQ(found->overTexture, figures.overTexture);
        }
        EXPECT_EQ(screen->Layout().buttons.size(), expected) << screen->Layout().className;
    }
}

struct StartFigures {
    Screen screen;
    int pointerX, pointerY;
    bool hoverWithDown;  // the hover sound is the down sample
};

// Where the pointer starts, and which sample greets the pointer on a button.
TEST_F(MenuLayoutFigures, PointerStartAndHoverSound)
{
    const StartFigures screens[] = {
        {Screen::kTitle, 0, 0, false},
        {Screen::kDream, kWidth * 3 / 4, kHeight / 2, false},
        {Screen::kEnding, kWidth / 2, kHeight / 2, true},
        {Screen::kPause, kWidth / 2, kHeight / 2, false},
        {Screen::kExtras, kWidth * 3 / 4, kHeight / 2, false},
    };
    for (const StartFigures& c : screens) {
        const std::unique_ptr<MenuScreen> screen = MakeScreen(c.screen);
        const char* name = screen->Layout().className;
        EXPECT_EQ(screen->GetPointerX(), c.pointerX) << name;
        EXPECT_EQ(screen->GetPointerY(), c.pointerY) << name;
        screen->Enter(-1);
        screen->Update(0.3f);
        screen->Update(0.3f);
        float x, y, w, h;
        ButtonPixels(screen->Layout().buttons[1], kWidth, kHeight, &x, &y, &w, &h);
        screen->SetPointer(static_cast<int>(x + w / 2), static_cast<int>(y + h / 2) - kMenuPointerSize);
        ::testing::internal::CaptureStdout();
        screen->Update(0.0f);
        const std::string printed = ::testing::internal::GetCapturedStdout();
        const int sample = c.hoverWithDown ? screen->GetDownSample() : screen->GetOverSample();
        EXPECT_NE(printed.find("Trying to play Sample " + std::to_string(sample) + " in"), std::string::npos)
            << name << ": " << printed;
        screen->Exit(-1);
    }
}

bool IsClearColour(const std::array<int, 4>& pixel)
{
    return std::abs(pixel[0] - 255) < 8 && std::abs(pixel[1] - 128) < 8 && std::abs(pixel[2] - 128) < 8;
}

// The picture covers the window; the button under the pointer lights up
// (a pixel of it away from the pointer changes).
TEST_F(MenuLayoutFigures, PictureCoversTheWindowAndTheButtonUnderThePointerLights)
{
    MorvoDreamState dream;
    dream.Enter(-1);
    dream.Update(0.3f);
    dream.Update(0.3f);
    dream.SetPointer(0, 0);
    dream.Update(0.0f);
    for (const auto& corner : {std::array<int, 2>{1, 1}, {kWidth - 2, kHeight - 2}, {kWidth / 2, kHeight / 2}}) {
        EXPECT_FALSE(IsClearColour(gltest::ReadPixel(corner[0], corner[1]))) << corner[0] << ", " << corner[1];
    }
    float x, y, w, h;
    ButtonPixels(dream.Layout().buttons[1], kWidth, kHeight, &x, &y, &w, &h);
    const int probeX = static_cast<int>(x + w * 0.2f);
    const int probeY = static_cast<int>(y + h * 0.8f);
    const std::array<int, 4> dark = gltest::ReadPixel(probeX, probeY);
    dream.SetPointer(static_cast<int>(x + w / 2), static_cast<int>(y + h / 2) - kMenuPointerSize);
    dream.Update(0.0f);
    ASSERT_EQ(dream.GetHoveredIndex(), 1);
    EXPECT_NE(gltest::ReadPixel(probeX, probeY), dark);
    dream.Exit(-1);
}

struct CardFrame {
    float elapsed;
    float black;  // alpha of the black over the dedication; < 0: the menu shows
};

// The dedication fades in from black over half a second, stays, and fades
// to black over its last half second; at five seconds the menu shows. The
// card and its black cover every pixel of the window.
TEST_F(MenuLayoutFigures, DedicationFadesInAndOutOverHalfASecond)
{
    const CardFrame frames[] = {
        {0.0f, 1.0f},    {0.125f, 0.75f}, {0.25f, 0.5f},   {0.375f, 0.25f}, {2.5f, 0.0f},
        {4.625f, 0.25f}, {4.75f, 0.5f},   {4.875f, 0.75f}, {5.0f, -1.0f},
    };
    MorvoStartState title;
    title.Enter(-1);
    title.Update(0.3f);
    title.Update(0.3f);
    ASSERT_FALSE(title.IsFadingIn());
    auto frameAt = [&title](float elapsed) {
        title.SetElapsed(elapsed);
        title.Update(0.0f);
        return gltest::ReadWindow();
    };
    const std::vector<unsigned char> card = frameAt(2.5f);
    const std::vector<unsigned char> menu = frameAt(60.0f);
    for (const CardFrame& f : frames) {
        const std::vector<unsigned char> pixels = frameAt(f.elapsed);
        if (f.black < 0.0f) {
            EXPECT_EQ(pixels, menu) << f.elapsed;
            continue;
        }
        for (size_t i = 0; i < pixels.size(); i += 4) {
            const std::array<int, 4> pixel{pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
            ASSERT_FALSE(IsClearColour(pixel)) << f.elapsed << ": pixel " << i / 4 << " not covered";
            for (size_t c = 0; c < 3; ++c) {
                ASSERT_NEAR(pixels[i + c], card[i + c] * (1.0f - f.black), 2.0f)
                    << f.elapsed << ": pixel " << i / 4 << " channel " << c;
            }
        }
    }
    title.Exit(-1);
}

// What the mixer plays of a stream of constant 0.5 samples, on the 0..255
// volume scale; only the music plays in these tests.
int MusicLevel()
{
    const std::vector<float> out = RenderFrames(SoundRegistry::GetInstance()->Mixer(), 1);
    return static_cast<int>(std::lround(out[0] / 0.5f * 255.0f));
}

void WriteLevelWav(const std::string& path)
{
    ASSERT_TRUE(WriteFloatWav(path, 2, 44100, std::vector<float>(2 * 4410, 0.5f)));
}

// The demo plan with every screen's music replaced by the level stream.
class MenuMusicTest : public ScreenTest {
protected:
    bool LoadPlan() override
    {
        namespace fs = std::filesystem;
        WriteLevelWav(folder_.File("level.wav"));
        const fs::path data = fs::path(BuildDir()) / "game" / "data";
        std::string plan = ReadFileText(BuildDir() + "/game/GamePlan.xml");
        plan = std::regex_replace(plan, std::regex("<AssetDir>[^<]*</AssetDir>"),
                                  "<AssetDir>" + fs::relative(data, folder_.Path()).string() + "</AssetDir>");
        plan = std::regex_replace(plan, std::regex("(name=\"[A-Z]+_BGMUSIC\" path=\")[^\"]*\""),
                                  "$1" + fs::relative(folder_.File("level.wav"), data).string() + "\"");
        folder_.Write("GamePlan.xml", plan);
        return GamePlan::GetInstance()->Load(folder_.Path().c_str(), "GamePlan.xml");
    }
    void SetUp() override
    {
        delete SoundRegistry::FindInstance();
        ScreenTest::SetUp();
    }

    TempFolder folder_;
};

// 255 x the share of the fade: rising over 0.5 s in, falling over 0.5 s
// out, and paused when the fade-out ends.
TEST_F(MenuMusicTest, RisesToFullAndFadesOut)
{
    for (Screen kind : {Screen::kTitle, Screen::kDream, Screen::kPause}) {
        const std::unique_ptr<MenuScreen> screen = MakeScreen(kind);
        const char* name = screen->Layout().className;
        screen->Enter(-1);
        screen->Update(0.125f);
        EXPECT_EQ(MusicLevel(), 63) << name;
        screen->Update(0.125f);
        EXPECT_EQ(MusicLevel(), 127) << name;
        screen->Update(0.375f);
        EXPECT_EQ(MusicLevel(), 255) << name;
        screen->Leave(StateIndex::kInGame);
        screen->Update(0.125f);
        EXPECT_EQ(MusicLevel(), 191) << name;
        screen->Update(0.25f);
        EXPECT_EQ(MusicLevel(), 63) << name;
        screen->Update(0.25f);
        EXPECT_EQ(MusicLevel(), 0) << name;
        EXPECT_EQ(Pending(), StateIndex::kInGame) << name;
        screen->Exit(StateIndex::kInGame);
        delete Application::FindInstance();
        Application::GetInstance()->SetStates(table_, StateIndex::kCount);
    }
}

struct MusicKey {
    uint8_t scanCode;
    int level;  // what the mixer plays afterwards
    bool stopped;
};

// On the title screen L pauses the music, P plays it on, O stops it and P
// starts it again, each at the level it had.
TEST_F(MenuMusicTest, TitleKeysPauseStopAndPlayTheMusic)
{
    const MusicKey keys[] = {{38, 0, false}, {25, 255, false}, {24, 0, true}, {25, 255, false}};
    const std::unique_ptr<MenuScreen> title = MakeScreen(Screen::kTitle);
    title->Enter(-1);
    title->Update(kHalfFade);
    title->Update(kHalfFade);
    ASSERT_EQ(MusicLevel(), 255);
    SoundRegistry* registry = SoundRegistry::GetInstance();
    for (const MusicKey& key : keys) {
        InjectKey(key.scanCode, true);
        title->Update(0.01f);
        InjectKey(key.scanCode, false);
        title->Update(0.01f);
        EXPECT_EQ(MusicLevel(), key.level) << "scan code " << int{key.scanCode};
        EXPECT_EQ(registry->IsStreamStopped(title->GetMusic()), key.stopped) << "scan code " << int{key.scanCode};
    }
    title->Exit(-1);
}

class ChapterIntroMusic : public ScreenTest {
protected:
    bool LoadPlan() override
    {
        WriteLevelWav(folder_.File("level.wav"));
        folder_.Write("level.xml", "<MorvoLevel><Boy x=\"0\" y=\"155\" z=\"0\"/>"
                                   "<MorvoLayer layer=\"0\"><Morvos></Morvos></MorvoLayer></MorvoLevel>\n");
        folder_.Write("intro.txt", "Object: card\nKeyframe: 0\nEnd\nKeyframe: 1\nEnd\nEnd\n");
        folder_.Write("GamePlan.xml", "<GamePlan><Environment></Environment><Assets></Assets><Story><Title>T</Title>"
                                      "<Chapter><Title>Full</Title><Level>level.xml</Level><Intro>" +
                                          folder_.File("intro.txt") + "</Intro><IntroMusic>" +
                                          folder_.File("level.wav") + "</IntroMusic></Chapter></Story></GamePlan>\n");
        return GamePlan::GetInstance()->Load(folder_.Path().c_str(), "GamePlan.xml");
    }
    void SetUp() override
    {
        delete SoundRegistry::FindInstance();
        ScreenTest::SetUp();
        intro_ = std::make_unique<MorvoChapterIntroState>();  // after the registry it takes
        intro_->Init();
    }
    void TearDown() override
    {
        ScreenTest::TearDown();
        intro_.reset();
    }

    TempFolder folder_;
    std::unique_ptr<MorvoChapterIntroState> intro_;
};

// 128 from the first frame; a typed character fades it to 0 over 0.5 s.
TEST_F(ChapterIntroMusic, PlaysAtHalfLevelAndFadesWithTheScreen)
{
    GameFlow::GetInstance()->RequestNewGame("Full");
    intro_->Enter(StateIndex::kLevelSelect);
    intro_->Update(0.01f);
    EXPECT_EQ(MusicLevel(), 128);
    intro_->Update(0.01f);
    EXPECT_EQ(MusicLevel(), 128);
    intro_->HandleWindowMessage(nullptr, WM_CHAR, static_cast<WPARAM>(' '), 0);
    intro_->Update(0.125f);
    EXPECT_EQ(MusicLevel(), 96);
    intro_->Update(0.25f);
    EXPECT_EQ(MusicLevel(), 32);
    intro_->Exit(StateIndex::kInGame);
    EXPECT_EQ(MusicLevel(), 0);
}

}  // namespace
