// Keyframe animations: the text format, keys carried over, interpolation,
// timing and the finished message.
#include "keyframeanimation.h"
#include "messageclient.h"
#include "messagemanager.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr float kTolerance = 1e-4f;
constexpr int32_t kReceiverId = 4;

class FinishedListener : public MessageClient {
public:
    FinishedListener() { MessageManager::GetInstance()->RegisterWithId(kReceiverId, this); }
    bool HandleMessage(MessageHandle message) override
    {
        types.push_back(message->GetType());
        data.push_back(message->GetData());
        return true;
    }
    std::vector<int32_t> types;
    std::vector<int32_t> data;
};

// An animation read from text on a window the size of the virtual screen.
class AnimationFile : public ::testing::Test {
protected:
    bool LoadText(const std::string& text, int width = 1024, int height = 768)
    {
        folder.Write("anim.txt", text);
        return animation.LoadForWindow(folder.File("anim.txt"), width, height);
    }
    const std::vector<Keyframe>& Keys(size_t object = 0) const { return animation.GetObjects()[object].keyframes; }

    TempFolder folder;
    KeyframeAnimation animation;
    LogCapture log;
};

const char* const kTwoKeys = "Object: a\n"
                             "Image: missing.tga\n"
                             "Keyframe: 0\n"
                             "Pos: 100, 200\n"
                             "Size: 10, 20\n"
                             "Alpha: 0.5\n"
                             "Orientation: 90\n"
                             "End\n"
                             "Keyframe: 2\n"
                             "Pos: 300, 400\n"
                             "End\n"
                             "End\n";

}  // namespace

TEST_F(AnimationFile, MissingKeysKeepPreviousKeyframeValues)
{
    ASSERT_TRUE(LoadText(kTwoKeys));
    ASSERT_EQ(animation.GetObjects().size(), 1u);
    ASSERT_EQ(Keys().size(), 2u);
    const Keyframe& second = Keys()[1];
    EXPECT_FLOAT_EQ(second.time, 2.0f);
    EXPECT_FLOAT_EQ(second.alpha, 0.5f);
    EXPECT_FLOAT_EQ(second.angle, 90.0f);
    EXPECT_FLOAT_EQ(second.size.x, 10.0f);
    EXPECT_FLOAT_EQ(second.position.x, 300.0f);
    EXPECT_FLOAT_EQ(animation.GetDuration(), 2.0f);
}

TEST_F(AnimationFile, FirstKeyframeStartsFromDefaults)
{
    ASSERT_TRUE(LoadText("Object\nKeyframe: 1\nEnd\nEnd\n"));
    const Keyframe& key = Keys()[0];
    EXPECT_EQ(key.position, Vec2(0.0f, 0.0f));
    EXPECT_EQ(key.size, Vec2(1.0f, 1.0f));
    EXPECT_FLOAT_EQ(key.alpha, 1.0f);
    EXPECT_FLOAT_EQ(key.angle, 0.0f);
    EXPECT_TRUE(key.visible);
}

TEST_F(AnimationFile, VirtualUnitsBecomePixelsWhenRead)
{
    ASSERT_TRUE(LoadText("Object\nKeyframe: 0\nPos: 512, 384\nSize: 1024, 768\nEnd\n"
                         "Keyframe: 1\nAlpha: 0.25\nEnd\nEnd\n",
                         800, 600));
    EXPECT_FLOAT_EQ(Keys()[0].position.x, 400.0f);
    EXPECT_FLOAT_EQ(Keys()[0].position.y, 300.0f);
    EXPECT_FLOAT_EQ(Keys()[0].size.x, 800.0f);
    EXPECT_FLOAT_EQ(Keys()[0].size.y, 600.0f);
    // A carried-over position is not converted a second time.
    EXPECT_FLOAT_EQ(Keys()[1].position.x, 400.0f);
    EXPECT_FLOAT_EQ(Keys()[1].size.y, 600.0f);
}

TEST_F(AnimationFile, InterpolatesBetweenKeysAndHoldsLast)
{
    ASSERT_TRUE(LoadText(kTwoKeys));
    const AnimObject& object = animation.GetObjects()[0];
    Keyframe key;
    EXPECT_FALSE(object.KeyAt(0.0f, &key));
    ASSERT_TRUE(object.KeyAt(1.0f, &key));
    EXPECT_NEAR(key.position.x, 200.0f, kTolerance);
    EXPECT_NEAR(key.position.y, 300.0f, kTolerance);
    ASSERT_TRUE(object.KeyAt(0.5f, &key));
    EXPECT_NEAR(key.position.x, 150.0f, kTolerance);
    ASSERT_TRUE(object.KeyAt(2.0f, &key));
    EXPECT_FLOAT_EQ(key.position.x, 300.0f);
    ASSERT_TRUE(object.KeyAt(9.0f, &key));
    EXPECT_FLOAT_EQ(key.position.y, 400.0f);
}

TEST_F(AnimationFile, VisibilityComesFromEarlierKey)
{
    ASSERT_TRUE(LoadText("Object\nKeyframe: 0\nDisplay: false\nEnd\nKeyframe: 1\nDisplay: true\nEnd\nEnd\n"));
    Keyframe key;
    ASSERT_TRUE(animation.GetObjects()[0].KeyAt(0.5f, &key));
    EXPECT_FALSE(key.visible);
    ASSERT_TRUE(animation.GetObjects()[0].KeyAt(1.0f, &key));
    EXPECT_TRUE(key.visible);
}

TEST_F(AnimationFile, KeyframesAreSortedByTime)
{
    ASSERT_TRUE(LoadText("Object\nKeyframe: 3\nEnd\nKeyframe: 1\nEnd\nKeyframe: 2\nEnd\nEnd\n"));
    ASSERT_EQ(Keys().size(), 3u);
    EXPECT_FLOAT_EQ(Keys()[0].time, 1.0f);
    EXPECT_FLOAT_EQ(Keys()[2].time, 3.0f);
    EXPECT_FLOAT_EQ(animation.GetDuration(), 3.0f);
}

TEST_F(AnimationFile, DurationIsLatestKeyOfAllObjects)
{
    ASSERT_TRUE(LoadText("Object\nKeyframe: 4\nEnd\nEnd\nObject\nEnd\nObject\nKeyframe: 1.5\nEnd\nEnd\n"));
    EXPECT_EQ(animation.GetObjects().size(), 3u);
    EXPECT_TRUE(animation.GetObjects()[1].keyframes.empty());
    EXPECT_FLOAT_EQ(animation.GetDuration(), 4.0f);
}

TEST_F(AnimationFile, EndOfFileInsideBlockEndsReading)
{
    ASSERT_TRUE(LoadText("Object\nKeyframe: 1\nPos: 10, 10\n"));
    ASSERT_EQ(animation.GetObjects().size(), 1u);
    ASSERT_EQ(Keys().size(), 1u);
    EXPECT_FLOAT_EQ(Keys()[0].position.x, 10.0f);
    EXPECT_FLOAT_EQ(animation.GetDuration(), 1.0f);
}

TEST_F(AnimationFile, OnlyObjectCountsAtTopLevel)
{
    ASSERT_TRUE(LoadText("# comment\nKeyframe: 5\nEnd\nTitle: x\nObject\nKeyframe: 1\nEnd\nEnd\n"));
    EXPECT_EQ(animation.GetObjects().size(), 1u);
    EXPECT_FLOAT_EQ(animation.GetDuration(), 1.0f);
}

TEST_F(AnimationFile, ImageThatFailsIsReportedAndObjectKept)
{
    ASSERT_TRUE(LoadText(kTwoKeys));
    EXPECT_EQ(animation.GetObjects()[0].texture, nullptr);
    EXPECT_TRUE(log.Contains("missing.tga"));
    EXPECT_TRUE(log.Contains("Warning:"));
}

TEST_F(AnimationFile, MissingFileFailsButKeepsPath)
{
    EXPECT_FALSE(animation.LoadForWindow(folder.File("none.txt"), 1024, 768));
    EXPECT_EQ(animation.GetPath(), folder.File("none.txt"));
    EXPECT_FLOAT_EQ(animation.GetDuration(), 0.0f);
}

TEST_F(AnimationFile, EndlessKeyframeTimesAreSkippedWithALogLine)
{
    for (const char* time : {"inf", "1e40", "-inf", "nan"}) {
        log.Clear();
        KeyframeAnimation fresh;
        folder.Write("endless.txt", std::string("Object: a\nKeyframe: 2\nEnd\nKeyframe: ") + time + "\nEnd\nEnd\n");
        ASSERT_TRUE(fresh.LoadForWindow(folder.File("endless.txt"), 1024, 768));
        ASSERT_EQ(fresh.GetObjects()[0].keyframes.size(), 1u) << time;
        EXPECT_FLOAT_EQ(fresh.GetDuration(), 2.0f) << time;
        EXPECT_TRUE(log.Contains(std::string("keyframe time \"") + time + "\" is not a finite number")) << time;
    }
}

TEST_F(AnimationFile, ClearEmptiesAndRestarts)
{
    ASSERT_TRUE(LoadText(kTwoKeys));
    animation.SetLooping(true);
    animation.SetTime(1.0f);
    animation.Stop();
    animation.Clear();
    EXPECT_TRUE(animation.GetObjects().empty());
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_FALSE(animation.IsLooping());
    EXPECT_FLOAT_EQ(animation.GetTime(), 0.0f);
    EXPECT_EQ(animation.GetPath(), "");
}

TEST_F(AnimationFile, NewAnimationDefaults)
{
    EXPECT_EQ(animation.GetId(), 0);
    EXPECT_EQ(animation.GetReceiver(), 1);
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_FALSE(animation.IsLooping());
    EXPECT_FALSE(animation.HandleMessage(MessageHandle(new Message(3))));
}

class AnimationTiming : public AnimationFile {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadText("Object\nKeyframe: 0\nEnd\nKeyframe: 3\nEnd\nEnd\n"));
        animation.SetReceiver(kReceiverId);
        animation.SetId(42);
    }
    FinishedListener listener;
};

TEST_F(AnimationTiming, LoopingWrapsAroundWithoutMessage)
{
    animation.SetLooping(true);
    animation.SetTime(7.0f);
    EXPECT_NEAR(animation.GetTime(), 1.0f, kTolerance);
    EXPECT_TRUE(animation.IsPlaying());
    listener.ProcessMessages();
    EXPECT_TRUE(listener.types.empty());
}

TEST_F(AnimationTiming, FinishingStopsAndSendsOneTypeThreeMessage)
{
    animation.SetTime(7.0f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 3.0f);
    EXPECT_FALSE(animation.IsPlaying());
    animation.Update(1.0f);  // stopped: no second pass
    listener.ProcessMessages();
    EXPECT_EQ(listener.types, (std::vector<int32_t>{3}));
    EXPECT_EQ(listener.data, (std::vector<int32_t>{42}));
}

TEST_F(AnimationTiming, UpdateAdvancesOnlyWhilePlaying)
{
    animation.Update(1.0f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 1.0f);
    animation.Stop();
    animation.Update(1.0f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 1.0f);
    animation.Play();
    animation.Update(1.5f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 2.5f);
    animation.Update(1.0f);
    EXPECT_FALSE(animation.IsPlaying());
    listener.ProcessMessages();
    EXPECT_EQ(listener.types.size(), 1u);
}

TEST_F(AnimationTiming, NegativeTimeBecomesZero)
{
    animation.SetTime(-1.0f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 0.0f);
    EXPECT_TRUE(animation.IsPlaying());
}

TEST(AnimationTimingEmpty, LoopingEmptyAnimationStaysAtZero)
{
    KeyframeAnimation animation;
    animation.SetLooping(true);
    animation.SetTime(2.5f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 0.0f);
    animation.Update(1.0f);
    EXPECT_FLOAT_EQ(animation.GetTime(), 0.0f);
}

struct LineCase {
    const char* name;
    const char* line;
    const char* key;
    const char* value;
};

class KeyValueLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(KeyValueLines, SplitsKeyAndValue)
{
    TempFolder folder;
    folder.Write("line.txt", GetParam().line);
    FILE* file = std::fopen(folder.File("line.txt").c_str(), "r");
    ASSERT_NE(file, nullptr);
    std::string key;
    std::string value;
    ASSERT_TRUE(ReadKeyValue(file, &key, &value));
    EXPECT_EQ(key, GetParam().key);
    EXPECT_EQ(value, GetParam().value);
    std::fclose(file);
}

INSTANTIATE_TEST_SUITE_P(Format, KeyValueLines,
                         ::testing::Values(LineCase{"Plain", "Pos: 1, 2\n", "Pos", "1, 2"},
                                           LineCase{"CommentAfterValue", "Display:false # c\n", "Display", "false"},
                                           LineCase{"LeadingBlanksAndColons", " \t::Image : pic.tga  \n", "Image",
                                                    "pic.tga"},
                                           LineCase{"SecondColonEndsValue", "Image: c:/pic.tga\n", "Image", "c"},
                                           LineCase{"CommentLinesSkipped", "# one\n\n   # two\nEnd\n", "End", ""},
                                           LineCase{"CarriageReturn", "Alpha: 0.5\r\n", "Alpha", "0.5"},
                                           LineCase{"NoLineEnd", "Keyframe: 2", "Keyframe", "2"}),
                         CaseName());

TEST(KeyValueLinesLong, LongLineIsCutAndNextLineRead)
{
    TempFolder folder;
    folder.Write("long.txt", "Image: " + std::string(1500, 'x') + "\nEnd\n");
    FILE* file = std::fopen(folder.File("long.txt").c_str(), "r");
    ASSERT_NE(file, nullptr);
    std::string key;
    std::string value;
    ASSERT_TRUE(ReadKeyValue(file, &key, &value));
    EXPECT_EQ(value.size(), 1024u - 7u);
    ASSERT_TRUE(ReadKeyValue(file, &key, &value));
    EXPECT_EQ(key, "End");
    EXPECT_FALSE(ReadKeyValue(file, &key, &value));
    std::fclose(file);
}

struct BoolCase {
    const char* name;
    const char* text;
    bool value;
};

class BoolWords : public ::testing::TestWithParam<BoolCase> {};

TEST_P(BoolWords, OnlyTrueWordsAreTrue)
{
    EXPECT_EQ(ParseBool(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Words, BoolWords,
                         ::testing::Values(BoolCase{"TitleTrue", "True", true}, BoolCase{"LowerTrue", "true", true},
                                           BoolCase{"UpperT", "T", true}, BoolCase{"LowerT", "t", true},
                                           BoolCase{"One", "1", true}, BoolCase{"UpperTRUE", "TRUE", false},
                                           BoolCase{"Yes", "yes", false}, BoolCase{"False", "false", false},
                                           BoolCase{"Empty", "", false}),
                         CaseName());

TEST(VectorParsing, MissingPartsStayZero)
{
    EXPECT_EQ(ParseVec2("3.5,4"), Vec2(3.5f, 4.0f));
    EXPECT_EQ(ParseVec2("7"), Vec2(7.0f, 0.0f));
    EXPECT_EQ(ParseVec2("abc"), Vec2(0.0f, 0.0f));
    float x, y, z, w;
    ParseVec4("1,2,3", &x, &y, &z, &w);
    EXPECT_EQ(z, 3.0f);
    EXPECT_EQ(w, 0.0f);
}
