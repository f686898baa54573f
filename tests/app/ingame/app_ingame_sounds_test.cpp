// The in-game sound rules on a recording output: the sounds of a world step,
// the wind, and the streams at entering, fading and leaving.
#include "ingametest.h"

#include "ingamesounds.h"
#include "morvoljfunc.h"
#include "powertank.h"
#include "random15.h"

#include <array>
#include <vector>

namespace {

constexpr float kPairRadius = 0.05f;
const InGameSoundHandles kHandles = NumberedHandles();

class InGameSoundsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedRand15(1);
        sounds_.SetOutput(&output_);
        sounds_.Handles() = kHandles;
    }

    void Step(int conversion, int lightning, int rain, int absorbed = 0, int released = 0)
    {
        pairForce_.conversionScore = conversion;
        pairForce_.lightningCount = lightning;
        pairForce_.rainCount = rain;
        tank_.SetAbsorbedCount(absorbed);
        tank_.SetReleaseCount(released);
        sounds_.PlayStepSounds(pairForce_, tank_);
    }

    std::array<int, kRainStreamCount> RainVolumes() const
    {
        std::array<int, kRainStreamCount> volumes{};
        for (int i = 0; i < kRainStreamCount; ++i) {
            volumes[i] = output_.LastVolume(kHandles.rain[i]);
        }
        return volumes;
    }

    RecordingSoundOutput output_;
    InGameSounds sounds_;
    MorvoLJFunc pairForce_{kPairRadius, kPairRadius * 1.4f, 15.0f, 30.0f};
    PowerTank tank_{500.0f};
};

constexpr int kNone = RecordingSoundOutput::kNone;

struct SampleSpan {
    int firstHandle, lastHandle;
    int minVolume, maxVolume;
};

struct StepCase {
    const char* name;
    int conversion, lightning, rainAmount, absorbed, released;
    std::vector<SampleSpan> samples;  // in play order
    std::array<int, kRainStreamCount> rain;
};

class StepSounds : public InGameSoundsTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepSounds, CountersBecomeSamplesAndRainVolumes)
{
    const StepCase& c = GetParam();
    Step(c.conversion, c.lightning, c.rainAmount, c.absorbed, c.released);
    std::vector<RecordingSoundOutput::Call> samples;
    for (const auto& call : output_.calls) {
        if (call.kind == RecordingSoundOutput::kSample) {
            samples.push_back(call);
        }
    }
    ASSERT_EQ(samples.size(), c.samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_GE(samples[i].handle, c.samples[i].firstHandle) << i;
        EXPECT_LE(samples[i].handle, c.samples[i].lastHandle) << i;
        EXPECT_GE(samples[i].volume, c.samples[i].minVolume) << i;
        EXPECT_LE(samples[i].volume, c.samples[i].maxVolume) << i;
    }
    EXPECT_EQ(RainVolumes(), c.rain);
    // Only the four rain streams get volumes.
    int rainCalls = 0;
    for (int handle : kHandles.rain) {
        rainCalls += output_.Count(RecordingSoundOutput::kStreamVolume, handle);
    }
    EXPECT_EQ(output_.CountKind(RecordingSoundOutput::kStreamVolume), rainCalls);
    EXPECT_EQ(pairForce_.conversionScore, 0);
    EXPECT_EQ(pairForce_.lightningCount, 0);
    EXPECT_EQ(pairForce_.rainCount, 0);
    EXPECT_EQ(tank_.GetAbsorbedCount(), 0);
    EXPECT_EQ(tank_.GetReleaseCount(), 0);
}

const int kChime = kHandles.turnedPure[0];
const int kBigChime = kHandles.turnedPure[2];
const int kThunder1 = kHandles.thunder[0];
const int kThunder7 = kHandles.thunder[6];

INSTANTIATE_TEST_SUITE_P(
    Counters, StepSounds,
    ::testing::Values(
        StepCase{"Quiet", 0, 0, 0, 0, 0, {}, {kNone, kNone, kNone, kNone}},
        StepCase{"ConversionOfFive", 5, 0, 0, 0, 0, {{kBigChime, kBigChime, 255, 255}}, {kNone, kNone, kNone, kNone}},
        StepCase{"ConversionOfFour", 4, 0, 0, 0, 0, {{kChime, kChime + 1, 155, 254}}, {kNone, kNone, kNone, kNone}},
        StepCase{"OneLightning", 0, 1, 0, 0, 0, {}, {kNone, kNone, kNone, kNone}},
        StepCase{"TwoLightnings", 0, 2, 0, 0, 0, {{kThunder1, kThunder7, 255, 255}}, {kNone, kNone, kNone, kNone}},
        StepCase{"Rain275", 0, 0, 275, 0, 0, {}, {128, 0, 0, 0}},
        StepCase{"Rain276", 0, 0, 276, 0, 0, {}, {128, 0, 0, 0}},
        StepCase{"Rain400", 0, 0, 400, 0, 0, {}, {128, 58, 0, 0}},
        StepCase{"Rain1100", 0, 0, 1100, 0, 0, {}, {128, 128, 128, 128}},
        StepCase{"Rain1400", 0, 0, 1400, 0, 0, {}, {128, 128, 128, 128}},
        StepCase{"TankAbsorbsAndReleases",
                 0,
                 0,
                 0,
                 3,
                 1,
                 {{kHandles.consume, kHandles.consume, 255, 255}, {kHandles.release, kHandles.release, 255, 255}},
                 {kNone, kNone, kNone, kNone}}),
    CaseName());

struct PickCase {
    const char* name;
    int conversion, lightning;
    int modulus, draw;  // the first rand() % modulus of the step
    int handle;         // the sample that must play
};

class SamplePicks : public InGameSoundsTest, public ::testing::WithParamInterface<PickCase> {};

// The first seed whose first draw is the case's; a chime's volume is 155
// plus the second draw % 100.
TEST_P(SamplePicks, DrawChoosesTheSample)
{
    const PickCase& c = GetParam();
    unsigned int seed = 1;
    for (SeedRand15(seed); Rand15() % c.modulus != c.draw; SeedRand15(++seed)) {
    }
    const int volume = c.conversion > 0 ? 155 + Rand15() % 100 : 255;
    SeedRand15(seed);
    Step(c.conversion, c.lightning, 0);
    ASSERT_EQ(output_.calls.size(), 1u);
    EXPECT_EQ(output_.calls[0].kind, RecordingSoundOutput::kSample);
    EXPECT_EQ(output_.calls[0].handle, c.handle);
    EXPECT_EQ(output_.calls[0].volume, volume);
}

INSTANTIATE_TEST_SUITE_P(
    Counters, SamplePicks,
    ::testing::Values(PickCase{"ThunderSeven", 0, 2, 7, 0, kHandles.thunder[6]},
                      PickCase{"ThunderOne", 0, 3, 7, 1, kHandles.thunder[0]},
                      PickCase{"ThunderTwo", 0, 2, 7, 2, kHandles.thunder[1]},
                      PickCase{"ThunderThree", 0, 2, 7, 3, kHandles.thunder[2]},
                      PickCase{"ThunderFour", 0, 2, 7, 4, kHandles.thunder[3]},
                      PickCase{"ThunderFive", 0, 2, 7, 5, kHandles.thunder[4]},
                      PickCase{"ThunderSix", 0, 9, 7, 6, kHandles.thunder[5]},
                      PickCase{"ChimeOne", 1, 0, 2, 0, kHandles.turnedPure[0]},
                      PickCase{"ChimeTwo", 4, 0, 2, 1, kHandles.turnedPure[1]}),
    CaseName());

TEST_F(InGameSoundsTest, StepWithoutRainKeepsTheRainSounding)
{
    Step(0, 0, 400);
    output_.calls.clear();
    Step(0, 0, 0);
    EXPECT_EQ(output_.CountKind(RecordingSoundOutput::kStreamVolume), 0);
    EXPECT_FLOAT_EQ(sounds_.GetRainVolume(1), 125.0f / 275.0f * 128.0f);
}

// A sample that did not load (-1) plays nothing; the first one loaded (0) plays.
TEST_F(InGameSoundsTest, SampleThatDidNotLoadPlaysNothing)
{
    sounds_.Handles().consume = 0;
    sounds_.Handles().release = -1;
    Step(0, 0, 0, 1, 1);
    EXPECT_EQ(output_.Count(RecordingSoundOutput::kSample, 0), 1);
    EXPECT_EQ(output_.Count(RecordingSoundOutput::kSample, -1), 0);
}

struct WindCase {
    const char* name;
    float speed, eyeHeight;
    int strong, weak;
};

class WindSounds : public InGameSoundsTest, public ::testing::WithParamInterface<WindCase> {};

TEST_P(WindSounds, SpeedAndHeightSetTheWind)
{
    sounds_.SetWindVolumes(GetParam().speed, GetParam().eyeHeight);
    EXPECT_EQ(output_.LastVolume(kHandles.strongWind), GetParam().strong);
    EXPECT_EQ(output_.LastVolume(kHandles.weakWind), GetParam().weak);
}

INSTANTIATE_TEST_SUITE_P(Wind, WindSounds,
                         ::testing::Values(WindCase{"StillAtSeaLevel", 0.0f, 0.0f, 0, 255},
                                           WindCase{"HalfSpeedHalfway", 80.0f, 100.0f, 63, 63},
                                           WindCase{"TopSpeedLow", 150.0f, 10.0f, 227, 15},
                                           WindCase{"AboveTheCeiling", 160.0f, 250.0f, -63, 0}),
                         CaseName());

// Entering again after rain: the fade-out must not bring the old rain back.
TEST_F(InGameSoundsTest, EnteringSilencesWhatTheFadeOutReads)
{
    sounds_.StartStreams();
    Step(0, 0, 400);
    sounds_.SetWindVolumes(80.0f, 100.0f);
    sounds_.PauseStreams();
    sounds_.StartStreams();
    output_.calls.clear();
    sounds_.FadeOut(0.5f);
    EXPECT_EQ(output_.LastVolume(kHandles.music), 64);
    EXPECT_EQ(output_.LastVolume(kHandles.strongWind), 0);
    EXPECT_EQ(output_.LastVolume(kHandles.weakWind), 0);
    EXPECT_EQ(RainVolumes(), (std::array<int, kRainStreamCount>{0, 0, 0, 0}));
}

TEST_F(InGameSoundsTest, StreamsStartPlayingAndPauseTogether)
{
    sounds_.StartStreams();
    EXPECT_EQ(output_.CountKind(RecordingSoundOutput::kPlayStream), 7);
    EXPECT_EQ(output_.LastVolume(kHandles.music), InGameSounds::kMusicVolume);
    EXPECT_EQ(output_.LastVolume(kHandles.rain[3]), 0);
    sounds_.PauseStreams();
    EXPECT_EQ(output_.CountKind(RecordingSoundOutput::kPauseStream), 7);
}

// A level without music, or sounds that never loaded.
TEST_F(InGameSoundsTest, UnloadedStreamsAreLeftAlone)
{
    sounds_.Handles() = InGameSoundHandles();
    sounds_.StartStreams();
    sounds_.SetMusicVolume(64);
    sounds_.SetWindVolumes(80.0f, 100.0f);
    Step(0, 0, 400);
    sounds_.FadeOut(0.5f);
    sounds_.PauseStreams();
    EXPECT_TRUE(output_.calls.empty());
}

}  // namespace
