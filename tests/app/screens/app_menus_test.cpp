// The menu screens: the pointer's hit test, the fades, where every button
// and key leads (with its sound), the hover sound, the dedication skip, and
// the level select entered after the title loaded the first sound.
#include "screentest.h"

#include "gameflow.h"
#include "menubutton.h"
#include "morvodreamstate.h"
#include "morvoendingmenustate.h"
#include "morvoextrastate.h"
#include "morvosaveloadstate.h"
#include "morvostartstate.h"
#include "soundregistry.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct HitCase {
    const char* name;
    int pointerX;
    int pointerY;
    bool over;
};

// A button over x 25..50, y 50..75 of a 100 x 100 window; the hot spot lies
// 32 pixels above the pointer's corner.
TEST(MenuButtonTest, PointerHitsOnlyStrictlyInside)
{
    const MenuButton button{0, 0.25f, 0.5f, 0.25f, 0.25f, "X"};
    const HitCase cases[] = {
        {"inside", 30, 20, true},         {"left edge", 25, 20, false}, {"right edge", 50, 20, false},
        {"bottom edge", 30, 18, false},   {"top inside", 30, 42, true}, {"top edge", 30, 43, false},
        {"corner itself", 30, 60, false},
    };
    for (const HitCase& c : cases) {
        EXPECT_EQ(PointerOverButton(button, c.pointerX, c.pointerY, 100, 100), c.over) << c.name;
    }
}

class MenuTest : public ScreenTest {
protected:
    void EnterSettled(MenuScreen& screen)
    {
        screen.Enter(-1);
        screen.Update(kHalfFade);
        screen.Update(kHalfFade);
        ASSERT_FALSE(screen.IsFadingIn());
    }
    // Puts the pointer's hot spot on the middle of the button and lets the
    // screen see it.
    void PointAt(MenuScreen& screen, int hoverIndex)
    {
        for (const MenuButton& button : screen.Layout().buttons) {
            if (button.hoverIndex == hoverIndex) {
                float x, y, w, h;
                ButtonPixels(button, kWidth, kHeight, &x, &y, &w, &h);
                screen.SetPointer(static_cast<int>(x + w / 2), static_cast<int>(y + h / 2) - kMenuPointerSize);
            }
        }
        screen.Update(0.0f);
    }
    static std::string SampleLine(int handle) { return "Trying to play Sample " + std::to_string(handle) + " in"; }
};

constexpr int kNoButton = -1;
constexpr int kQuits = -2;

struct TransitionCase {
    const char* name;
    Screen screen;
    int button;  // hover index clicked, or kNoButton
    uint8_t key;
    bool atOnce;  // switches or quits in the frame of the input
    int state;    // the state asked for, or kQuits
    const char* chapter;
    char sample;  // 'o' over, 'd' down, 'n' none
};

class MenuTransitionTest : public MenuTest, public ::testing::WithParamInterface<TransitionCase> {
protected:
    // The case's button (left click) or key, down or up.
    static void Press(const TransitionCase& c, bool down)
    {
        if (c.button != kNoButton) {
            InjectMouseButton(kMouseLeft, down);
        } else {
            InjectKey(c.key, down);
        }
    }
};

TEST_P(MenuTransitionTest, LeadsWhereItShould)
{
    const TransitionCase& c = GetParam();
    std::unique_ptr<MenuScreen> screen = MakeScreen(c.screen);
    EnterSettled(*screen);
    if (c.button != kNoButton) {
        PointAt(*screen, c.button);
    }
    ::testing::internal::CaptureStdout();
    Press(c, true);
    screen->Update(0.01f);
    Press(c, false);
    if (!c.atOnce) {
        EXPECT_EQ(Pending(), -1);
        EXPECT_FALSE(Application::GetInstance()->IsQuitting());
        screen->Update(kHalfFade);
        screen->Update(kHalfFade);
    }
    const std::string printed = ::testing::internal::GetCapturedStdout();
    if (c.state == kQuits) {
        EXPECT_TRUE(Application::GetInstance()->IsQuitting());
    } else {
        EXPECT_EQ(Pending(), c.state);
    }
    GameFlow* flow = GameFlow::GetInstance();
    if (c.chapter != nullptr) {
        EXPECT_EQ(flow->GetPendingRequest(), GameFlow::kRequestNewGame);
        EXPECT_EQ(flow->GetRequestedChapter(), c.chapter);
    } else {
        EXPECT_EQ(flow->GetPendingRequest(), GameFlow::kRequestNone);
    }
    const bool over = printed.find(SampleLine(screen->GetOverSample())) != std::string::npos;
    const bool down = printed.find(SampleLine(screen->GetDownSample())) != std::string::npos;
    EXPECT_EQ(over, c.sample == 'o') << printed;
    EXPECT_EQ(down, c.sample == 'd') << printed;
    screen->Exit(-1);
}

constexpr uint8_t kClick = 0;

INSTANTIATE_TEST_SUITE_P(
    Screens, MenuTransitionTest,
    ::testing::Values(
        TransitionCase{"TitleStart", Screen::kTitle, 0, kClick, false, StateIndex::kLevelSelect, nullptr, 'o'},
        TransitionCase{"TitleCredits", Screen::kTitle, 1, kClick, false, StateIndex::kChapterIntro, "Credits", 'd'},
        TransitionCase{"TitleExit", Screen::kTitle, 2, kClick, false, kQuits, nullptr, 'n'},
        TransitionCase{"TitleQ", Screen::kTitle, kNoButton, DIK_Q, true, kQuits, nullptr, 'n'},
        TransitionCase{"DreamMenu", Screen::kDream, 0, kClick, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"Daydream1", Screen::kDream, 1, kClick, false, StateIndex::kChapterIntro, "Daydream1", 'd'},
        TransitionCase{"Daydream2", Screen::kDream, 2, kClick, false, StateIndex::kChapterIntro, "Daydream2", 'd'},
        TransitionCase{"Daydream3", Screen::kDream, 3, kClick, false, StateIndex::kChapterIntro, "Daydream3", 'd'},
        TransitionCase{"Daydream4", Screen::kDream, 4, kClick, false, StateIndex::kChapterIntro, "Daydream4", 'd'},
        TransitionCase{"DreamExtras", Screen::kDream, 5, kClick, false, StateIndex::kExtras, nullptr, 'd'},
        TransitionCase{"DreamEscape", Screen::kDream, kNoButton, DIK_ESCAPE, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"DreamM", Screen::kDream, kNoButton, DIK_M, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"DreamQ", Screen::kDream, kNoButton, DIK_Q, true, kQuits, nullptr, 'n'},
        TransitionCase{"EndingMenu", Screen::kEnding, 0, kClick, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"EndingContinue", Screen::kEnding, 1, kClick, false, StateIndex::kLevelSelect, nullptr, 'd'},
        TransitionCase{"EndingReturn", Screen::kEnding, kNoButton, DIK_RETURN, true, StateIndex::kInGame, nullptr, 'd'},
        TransitionCase{"EndingEscape", Screen::kEnding, kNoButton, DIK_ESCAPE, true, kQuits, nullptr, 'n'},
        TransitionCase{"PauseMenu", Screen::kPause, 0, kClick, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"PauseContinue", Screen::kPause, 1, kClick, false, StateIndex::kInGame, nullptr, 'd'},
        TransitionCase{"PauseReturn", Screen::kPause, kNoButton, DIK_RETURN, false, StateIndex::kInGame, nullptr, 'd'},
        TransitionCase{"PauseEscape", Screen::kPause, kNoButton, DIK_ESCAPE, false, StateIndex::kInGame, nullptr, 'd'},
        TransitionCase{"PauseM", Screen::kPause, kNoButton, DIK_M, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"PauseQ", Screen::kPause, kNoButton, DIK_Q, true, kQuits, nullptr, 'n'},
        TransitionCase{"ExtrasMenu", Screen::kExtras, 0, kClick, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"Extra1", Screen::kExtras, 1, kClick, false, StateIndex::kChapterIntro, "DayDream1", 'd'},
        TransitionCase{"Extra2", Screen::kExtras, 2, kClick, false, StateIndex::kChapterIntro, "DayDream2", 'd'},
        TransitionCase{"Extra3", Screen::kExtras, 3, kClick, false, StateIndex::kChapterIntro, "DayDream3", 'd'},
        TransitionCase{"ExtrasEscape", Screen::kExtras, kNoButton, DIK_ESCAPE, false, StateIndex::kTitle, nullptr, 'o'},
        TransitionCase{"ExtrasQ", Screen::kExtras, kNoButton, DIK_Q, true, kQuits, nullptr, 'n'}),
    CaseName());

// The title's fade-out ends when it reaches half a second, the others' once past it.
TEST_F(MenuTest, FadeOutEndsAtHalfASecondOnTheTitleAndAfterItElsewhere)
{
    for (Screen kind : {Screen::kTitle, Screen::kDream, Screen::kEnding, Screen::kPause, Screen::kExtras}) {
        delete Application::FindInstance();
        Application::GetInstance()->SetStates(table_, StateIndex::kCount);
        std::unique_ptr<MenuScreen> screen = MakeScreen(kind);
        EnterSettled(*screen);
        screen->Leave(StateIndex::kInGame);
        screen->Leave(StateIndex::kTitle);  // ignored: a fade-out runs
        screen->Update(0.25f);
        screen->Update(0.25f);
        const bool title = kind == Screen::kTitle;
        EXPECT_EQ(Pending(), title ? StateIndex::kInGame : -1);
        screen->Update(0.01f);
        EXPECT_EQ(Pending(), StateIndex::kInGame);
        screen->Exit(StateIndex::kInGame);
        EXPECT_FALSE(screen->IsFadingOut());
    }
}

TEST_F(MenuTest, InputWaitsForTheFadeIn)
{
    MorvoDreamState dream;
    dream.Enter(-1);
    InjectKey(DIK_Q, true);
    dream.Update(kHalfFade);
    EXPECT_TRUE(dream.IsFadingIn());
    EXPECT_FALSE(Application::GetInstance()->IsQuitting());
    dream.Update(kHalfFade);
    EXPECT_FALSE(dream.IsFadingIn());
    EXPECT_EQ(dream.GetFadeTime(), 0.0f);
    dream.Update(0.01f);
    EXPECT_TRUE(Application::GetInstance()->IsQuitting());
    dream.Exit(-1);
}

// Onto Start, off, onto Start again, then straight onto Credits: three hover sounds.
TEST_F(MenuTest, HoverSoundPlaysEachTimeThePointerEntersAnotherButton)
{
    MorvoStartState title;
    title.SetElapsed(MorvoStartState::kDedicationSeconds);
    EnterSettled(title);
    auto moveTo = [&](int hoverIndex) {
        float x, y, w, h;
        ButtonPixels(title.Layout().buttons[hoverIndex], kWidth, kHeight, &x, &y, &w, &h);
        const int tx = static_cast<int>(x + w / 2);
        const int ty = static_cast<int>(y + h / 2) - kMenuPointerSize;
        InjectMouseMotion(tx - title.GetPointerX(), title.GetPointerY() - ty);
        title.Update(0.01f);
    };
    ::testing::internal::CaptureStdout();
    moveTo(0);
    EXPECT_EQ(title.GetHoveredIndex(), 0);
    InjectMouseMotion(-kWidth, 0);
    title.Update(0.01f);
    EXPECT_EQ(title.GetHoveredIndex(), -1);
    EXPECT_EQ(title.GetPointerX(), 0);
    moveTo(0);
    moveTo(1);
    EXPECT_EQ(title.GetHoveredIndex(), 1);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    size_t count = 0;
    for (size_t at = printed.find(SampleLine(title.GetOverSample())); at != std::string::npos;
         at = printed.find(SampleLine(title.GetOverSample()), at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 3u);
    title.Exit(-1);
}

TEST_F(MenuTest, EndingScreenAnnouncesItsButtonsWithTheDownSample)
{
    MorvoEndingMenuState ending;
    EnterSettled(ending);
    ::testing::internal::CaptureStdout();
    PointAt(ending, 1);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find(SampleLine(ending.GetDownSample())), std::string::npos) << printed;
    EXPECT_EQ(printed.find(SampleLine(ending.GetOverSample())), std::string::npos) << printed;
    ending.Exit(-1);
}

// Escape, Space, Return or the left button skip the dedication to its
// fade-out (elapsed 4.5); once there, or with the right button, nothing changes.
TEST_F(MenuTest, DedicationSkipsToItsFadeOut)
{
    struct Skip {
        const char* name;
        uint8_t scanCode;  // 0: a mouse button
        int button;
        float from;
        float to;
    };
    const Skip skips[] = {
        {"Escape", 1, 0, 1.0f, 4.5f},      {"Space", 57, 0, 0.2f, 4.5f},       {"Return", 28, 0, 3.0f, 4.5f},
        {"left button", 0, 0, 1.0f, 4.5f}, {"right button", 0, 1, 1.0f, 1.0f}, {"Escape late", 1, 0, 4.8f, 4.8f},
    };
    auto press = [](const Skip& s, bool down) {
        if (s.scanCode != 0) {
            InjectKey(s.scanCode, down);
        } else {
            InjectMouseButton(s.button, down);
        }
    };
    MorvoStartState title;
    EnterSettled(title);
    for (const Skip& s : skips) {
        title.SetElapsed(s.from);
        press(s, true);
        title.Update(0.0f);
        EXPECT_FLOAT_EQ(title.GetElapsed(), s.to) << s.name;
        press(s, false);
        title.Update(0.0f);
    }
    title.Exit(-1);
}

// The title loads the first stream and the first sample: handle 0 of each.
// Its music plays, is paused when the fade-out ends and given back on exit
// (entering again loads it anew); the other screens take sample 0 as well.
TEST_F(MenuTest, ScreensEnteredAfterTheTitleTakeSoundHandleZero)
{
    delete SoundRegistry::FindInstance();
    SoundRegistry* registry = SoundRegistry::GetInstance();
    BreakCounter breaks;
    MorvoStartState title;
    title.Enter(-1);
    ASSERT_EQ(title.GetOverSample(), 0);
    ASSERT_EQ(title.GetMusic(), 0);
    EXPECT_FALSE(registry->IsStreamStopped(0)) << "the music plays";
    title.Leave(StateIndex::kLevelSelect);
    title.Update(kHalfFade);
    title.Update(kHalfFade);
    EXPECT_TRUE(registry->IsStreamPaused(0)) << "paused when the fade-out ends";
    title.Exit(StateIndex::kLevelSelect);
    title.Enter(StateIndex::kLevelSelect);
    EXPECT_EQ(title.GetMusic(), 1) << "the music was given back on exit";
    title.Exit(StateIndex::kLevelSelect);
    for (Screen kind : {Screen::kDream, Screen::kPause, Screen::kExtras}) {
        std::unique_ptr<MenuScreen> screen = MakeScreen(kind);
        screen->Enter(StateIndex::kTitle);
        EXPECT_EQ(screen->GetOverSample(), 0);
        screen->Exit(StateIndex::kTitle);
    }
    EXPECT_EQ(breaks.Count(), 0) << breaks.LastWhat();
}

}  // namespace
