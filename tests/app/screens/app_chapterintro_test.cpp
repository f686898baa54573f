// The chapter intro: a chapter without an intro goes to the game on the
// second frame, the music plays at 128 from the first, a typed character or
// a click fades to the game (once), and the animation's end goes there at once.
#include "screentest.h"

#include "gameflow.h"
#include "messagequeue.h"
#include "morvochapterintrostate.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

class ChapterIntroTest : public ScreenTest {
protected:
    bool LoadPlan() override
    {
        folder_.Write("level.xml", "<MorvoLevel><Boy x=\"0\" y=\"155\" z=\"0\"/>"
                                   "<MorvoLayer layer=\"0\"><Morvos></Morvos></MorvoLayer></MorvoLevel>\n");
        folder_.Write("grey.tga", SolidTga(128, 128, 128, 4, 4));
        folder_.Write("intro.txt", "Object: card\nImage: " + folder_.File("grey.tga") +
                                       "\nKeyframe: 0\nPos: 0, 0\nSize: 1024, 768\nEnd\nKeyframe: 1\nEnd\nEnd\n");
        const std::string music = BuildDir() + "/game/data/music/introcalm.wav";
        folder_.Write("GamePlan.xml", "<GamePlan><Environment></Environment><Assets></Assets><Story><Title>T</Title>"
                                      "<Chapter><Title>Bare</Title><Level>level.xml</Level></Chapter>"
                                      "<Chapter><Title>Full</Title><Level>level.xml</Level><Intro>" +
                                          folder_.File("intro.txt") + "</Intro><IntroMusic>" + music +
                                          "</IntroMusic></Chapter></Story></GamePlan>\n");
        return GamePlan::GetInstance()->Load(folder_.Path().c_str(), "GamePlan.xml");
    }

    void SetUp() override
    {
        ScreenTest::SetUp();
        intro_.Init();
    }

    // Asks for the chapter, enters and runs the first frame, which loads it.
    void Start(const char* chapter)
    {
        GameFlow::GetInstance()->RequestNewGame(chapter);
        intro_.Enter(StateIndex::kLevelSelect);
        intro_.Update(0.01f);
        ASSERT_TRUE(GameFlow::GetInstance()->IsLevelLoaded());
    }

    void Type(char c) { intro_.HandleWindowMessage(nullptr, WM_CHAR, static_cast<WPARAM>(c), 0); }

    TempFolder folder_;
    MorvoChapterIntroState intro_;
};

TEST_F(ChapterIntroTest, ChapterWithoutIntroGoesToTheGameOnTheSecondFrame)
{
    Start("Bare");
    EXPECT_TRUE(intro_.IsSkipping());
    EXPECT_EQ(Pending(), -1);
    intro_.Update(0.01f);
    EXPECT_EQ(Pending(), StateIndex::kInGame);
    EXPECT_FALSE(intro_.IsSkipping());
}

// The volume can only be set on a stream that plays.
TEST_F(ChapterIntroTest, MusicStartsAtHalfVolumeOnTheFirstFrame)
{
    LogCapture log;
    Start("Full");
    EXPECT_NE(intro_.GetIntroMusic(), -1);
    EXPECT_FALSE(log.Contains("Trying to Change Volume on a Stream that's not playing")) << log.All();
    intro_.Exit(StateIndex::kInGame);
}

TEST_F(ChapterIntroTest, TypedCharacterFadesToTheGameOnce)
{
    Start("Full");
    LogCapture log;
    Type(' ');
    EXPECT_TRUE(intro_.IsFading());
    intro_.Update(0.3f);
    Type('x');  // does not start the fade over
    intro_.Update(0.1f);
    EXPECT_FLOAT_EQ(intro_.GetFadeTime(), 0.4f);
    EXPECT_EQ(Pending(), -1);
    intro_.Update(0.15f);
    EXPECT_EQ(Pending(), StateIndex::kInGame);
    EXPECT_TRUE(log.Contains("Switching State.\n"));
    intro_.Exit(StateIndex::kInGame);
}

TEST_F(ChapterIntroTest, ClickFadesOnlyWhileTheWindowIsActive)
{
    Start("Full");
    Application::GetInstance()->SetActive(false);
    InjectMouseButton(kMouseRight, true);
    intro_.Update(0.01f);
    EXPECT_FALSE(intro_.IsFading());
    InjectMouseButton(kMouseRight, false);
    Application::GetInstance()->SetActive(true);
    intro_.Update(0.01f);
    InjectMouseButton(kMouseLeft, true);
    intro_.Update(0.01f);
    EXPECT_TRUE(intro_.IsFading());
    intro_.Exit(StateIndex::kInGame);
}

TEST_F(ChapterIntroTest, AnimationEndGoesToTheGameAtOnce)
{
    Start("Full");
    intro_.Update(0.5f);
    EXPECT_EQ(Pending(), -1);
    intro_.Update(0.6f);
    EXPECT_EQ(Pending(), StateIndex::kInGame);
    EXPECT_FALSE(intro_.IsFading());
    intro_.Exit(StateIndex::kInGame);
}

}  // namespace
