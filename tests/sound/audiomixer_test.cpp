#include "audiofixtures.h"
#include "audiodevice.h"
#include "audiomixer.h"
#include "soundtestsupport.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include <unistd.h>

namespace {

class AudioMixerTest : public ::testing::Test {
protected:
    std::string MakeWav(const std::string& name, int64_t frames, int channels = 2, int rate = kMixRate)
    {
        const std::string path = folder.File(name);
        EXPECT_TRUE(WriteIndexWav(path, frames, channels, rate));
        return path;
    }

    TempFolder folder;
    AudioMixer mixer;
};

}  // namespace

TEST_F(AudioMixerTest, SampleRatesOutsideTheSaneRangeAreRefused)
{
    const std::pair<int, bool> rates[] = {{1, false},     {999, false},    {1000, true},
                                          {384000, true}, {384001, false}, {2147483647, false}};
    for (const auto& [rate, loads] : rates) {
        const std::string path = MakeWav("rate.wav", 10, 2, rate);
        LogCapture log;
        AudioSample* sample = mixer.LoadSample(path);
        AudioStream* stream = mixer.OpenStream(path);
        EXPECT_EQ(sample != nullptr, loads) << rate;
        EXPECT_EQ(stream != nullptr, loads) << rate;
        EXPECT_EQ(log.Contains("a sample rate of " + std::to_string(rate) + " Hz is outside"), !loads) << rate;
        mixer.FreeSample(sample);
        mixer.CloseStream(stream);
    }
}

// 1,600,000 frames at 1000 Hz would take 564 MB at the mix rate.
TEST_F(AudioMixerTest, SampleLargerThanTheDecodedLimitIsRefused)
{
    LogCapture log;
    EXPECT_EQ(mixer.LoadSample(MakeWav("long.wav", 1600000, 1, 1000)), nullptr);
    EXPECT_TRUE(log.Contains("decoded it would take more than 512 MB")) << log.All();
}

TEST_F(AudioMixerTest, SamplePlaysEveryFrameOnceThenFreesItsVoice)
{
    // The longer file takes more than one read to load.
    for (const int frames : {1500, 40000}) {
        AudioSample* sample = mixer.LoadSample(MakeWav("shot.wav", frames));
        ASSERT_NE(sample, nullptr);
        const int channel = mixer.PlaySample(sample, false);
        ASSERT_GE(channel, 0);

        const std::vector<float> out = RenderFrames(mixer, frames + 500);
        std::vector<int64_t> expected = Range(0, frames);
        expected.resize(frames + 500, -1);
        EXPECT_EQ(PlayedFrames(out), expected) << frames;
        EXPECT_FLOAT_EQ(out[1], -EncodeFrame(0));
        EXPECT_FALSE(mixer.IsChannelActive(channel));
        EXPECT_FALSE(mixer.SetVolume(channel, 10));
        EXPECT_EQ(mixer.ActiveVoiceCount(), 0);
    }
}

TEST_F(AudioMixerTest, EachPlayOfASampleStartsANewVoice)
{
    AudioSample* sample = mixer.LoadSample(MakeWav("shot.wav", 100));
    const int first = mixer.PlaySample(sample, false);
    RenderFrames(mixer, 40);
    const int second = mixer.PlaySample(sample, false);
    EXPECT_NE(first, second);
    const std::vector<float> out = RenderFrames(mixer, 1);
    // Frame 40 of the first voice plus frame 0 of the second.
    EXPECT_FLOAT_EQ(out[0], EncodeFrame(40) + EncodeFrame(0));
}

TEST_F(AudioMixerTest, MonoFilesPlayOnBothSides)
{
    AudioSample* sample = mixer.LoadSample(MakeWav("mono.wav", 10, 1));
    mixer.PlaySample(sample, false);
    const std::vector<float> out = RenderFrames(mixer, 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(out[i * 2], EncodeFrame(i));
        EXPECT_FLOAT_EQ(out[i * 2 + 1], EncodeFrame(i));
    }
}

TEST_F(AudioMixerTest, HalfRateFileIsStretchedByLinearInterpolation)
{
    AudioSample* sample = mixer.LoadSample(MakeWav("half.wav", 100, 2, kMixRate / 2));
    const int channel = mixer.PlaySample(sample, false);
    const std::vector<float> out = RenderFrames(mixer, 200);
    for (int j = 0; j < 199; ++j) {
        const float expected = j % 2 == 0 ? EncodeFrame(j / 2) : (EncodeFrame(j / 2) + EncodeFrame(j / 2 + 1)) / 2;
        ASSERT_FLOAT_EQ(out[j * 2], expected) << "frame " << j;
    }
    EXPECT_FLOAT_EQ(out[199 * 2], 0.0f);
    EXPECT_FALSE(mixer.IsChannelActive(channel));
}

TEST_F(AudioMixerTest, UnreadableFilesDoNotLoad)
{
    folder.Write("junk.wav", "this is not a sound file");
    EXPECT_EQ(mixer.LoadSample(folder.File("junk.wav")), nullptr);
    EXPECT_EQ(mixer.LoadSample(folder.File("missing.wav")), nullptr);
    EXPECT_EQ(mixer.OpenStream(folder.File("junk.wav")), nullptr);
    EXPECT_EQ(mixer.OpenStream(folder.File("missing.wav")), nullptr);
    EXPECT_EQ(mixer.OpenStream(MakeWav("empty.wav", 0)), nullptr);
}

TEST_F(AudioMixerTest, NullSoundsGetNoChannel)
{
    EXPECT_EQ(mixer.PlaySample(nullptr, false), -1);
    EXPECT_EQ(mixer.PlayStream(nullptr, false), -1);
    EXPECT_FALSE(mixer.StopStream(nullptr));
    EXPECT_FALSE(mixer.SetStreamLoopPoints(nullptr, -1, -1));
}

struct LoopCase {
    const char* name;
    int64_t loopStart;
    int64_t loopEnd;
    int64_t playedStart;  // the loop region actually used
    int64_t playedEnd;
};

class StreamLoopTest : public AudioMixerTest, public ::testing::WithParamInterface<LoopCase> {};

constexpr int64_t kLoopFileFrames = 1000;

INSTANTIATE_TEST_SUITE_P(AudioMixer, StreamLoopTest,
                         ::testing::Values(LoopCase{"WholeFile", -1, -1, 0, kLoopFileFrames - 1},
                                           LoopCase{"InnerRegion", 200, 499, 200, 499},
                                           LoopCase{"EndPastFileIsClamped", 100, 5000, 100, kLoopFileFrames - 1},
                                           LoopCase{"SingleFrame", 0, 0, 0, 0},
                                           LoopCase{"LastFrameOnly", kLoopFileFrames - 1, kLoopFileFrames - 1,
                                                    kLoopFileFrames - 1, kLoopFileFrames - 1},
                                           LoopCase{"NegativeStartMeansFirstFrame", -1, 300, 0, 300},
                                           LoopCase{"NegativeEndMeansLastFrame", 10, -1, 10, kLoopFileFrames - 1}),
                         CaseName());

TEST_P(StreamLoopTest, WrapsExactlyAtTheLoopEnd)
{
    const LoopCase& c = GetParam();
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", kLoopFileFrames));
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(mixer.SetStreamLoopPoints(stream, c.loopStart, c.loopEnd));
    ASSERT_GE(mixer.PlayStream(stream, false), 0);
    // Longer than the stream's buffer, so refills and ring wraps are covered.
    constexpr int kFrames = 50000;
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, kFrames)), LoopSequence(kFrames, c.playedStart, c.playedEnd));
}

TEST_F(AudioMixerTest, LoopPointsBeyondEachOtherAreRefused)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 100));
    EXPECT_FALSE(mixer.SetStreamLoopPoints(stream, 60, 50));
    EXPECT_FALSE(mixer.SetStreamLoopPoints(stream, 200, 300));
    mixer.PlayStream(stream, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 250)), LoopSequence(250, 0, 99));
}

TEST_F(AudioMixerTest, LoopPointsSetAfterDecodingAheadStillHold)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 1000));
    mixer.DecodeAhead();
    ASSERT_TRUE(mixer.SetStreamLoopPoints(stream, 10, 99));
    mixer.PlayStream(stream, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 500)), LoopSequence(500, 10, 99));
}

TEST_F(AudioMixerTest, StreamAtAnotherRateLoopsWithoutAGap)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("slow.wav", 10, 1, kMixRate / 2));
    mixer.PlayStream(stream, false);
    const std::vector<float> out = RenderFrames(mixer, 40);
    // Output frame j sits at source position j / 2 in the looping sequence 0..9.
    for (int j = 0; j < 40; ++j) {
        const float a = EncodeFrame((j / 2) % 10);
        const float b = EncodeFrame((j / 2 + 1) % 10);
        const float expected = j % 2 == 0 ? a : a + (b - a) * 0.5f;
        ASSERT_FLOAT_EQ(out[j * 2], expected) << "frame " << j;
    }
}

// The file shrinks on disk after the stream was opened, so it ends before
// the frame count its header gave.
TEST_F(AudioMixerTest, StreamWhoseFileEndsEarlyLoopsFromItsRealEnd)
{
    const std::string path = MakeWav("music.wav", 3000);
    AudioStream* stream = mixer.OpenStream(path);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(::truncate(path.c_str(), kFloatWavHeaderBytes + 1000 * 8), 0);
    mixer.PlayStream(stream, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 5000)), LoopSequence(5000, 0, 999));
}

TEST_F(AudioMixerTest, StreamWhoseFileLosesItsFramesFallsSilent)
{
    const std::string path = MakeWav("music.wav", 20000, 2, kMixRate / 2);
    AudioStream* stream = mixer.OpenStream(path);
    ASSERT_NE(stream, nullptr);
    mixer.PlayStream(stream, false);
    ASSERT_EQ(::truncate(path.c_str(), kFloatWavHeaderBytes), 0);
    // What was decoded before plays out (output frame j sits at source
    // position j / 2); then silence, never old frames again.
    const std::vector<float> out = RenderFrames(mixer, 40000);
    int silentFrom = 1;
    while (silentFrom < 40000 && out[silentFrom * 2] != 0.0f)
        ++silentFrom;
    EXPECT_GE(silentFrom, 16384);
    for (int j = 0; j < silentFrom; ++j) {
        const float a = EncodeFrame(j / 2);
        const float b = EncodeFrame(j / 2 + 1);
        ASSERT_FLOAT_EQ(out[j * 2], j % 2 == 0 ? a : a + (b - a) * 0.5f) << "frame " << j;
    }
    for (int j = silentFrom; j < 40000; ++j)
        ASSERT_EQ(out[j * 2], 0.0f) << "frame " << j;
}

TEST_F(AudioMixerTest, PausedStreamResumesWhereItStopped)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 5000));
    const int channel = mixer.PlayStream(stream, true);
    ASSERT_TRUE(mixer.GetPaused(channel));
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 100)), std::vector<int64_t>(100, -1));

    mixer.SetPaused(channel, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 300)), Range(0, 300));
    mixer.SetPaused(channel, true);
    EXPECT_TRUE(mixer.GetPaused(channel));
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 20000)), std::vector<int64_t>(20000, -1));
    mixer.SetPaused(channel, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 300)), Range(300, 300));
}

TEST_F(AudioMixerTest, StoppedStreamRewindsAndPlaysOnANewChannel)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 5000));
    mixer.SetStreamLoopPoints(stream, 100, 199);
    const int first = mixer.PlayStream(stream, false);
    RenderFrames(mixer, 450);
    EXPECT_TRUE(mixer.StopStream(stream));
    EXPECT_FALSE(mixer.IsChannelActive(first));
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 50)), std::vector<int64_t>(50, -1));

    const int second = mixer.PlayStream(stream, false);
    EXPECT_NE(second, first);
    EXPECT_FALSE(mixer.SetPaused(first, true));
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 400)), LoopSequence(400, 100, 199));
}

TEST_F(AudioMixerTest, PlayingAPlayingStreamRestartsIt)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 5000));
    const int first = mixer.PlayStream(stream, false);
    RenderFrames(mixer, 123);
    const int second = mixer.PlayStream(stream, false);
    EXPECT_FALSE(mixer.IsChannelActive(first));
    EXPECT_TRUE(mixer.IsChannelActive(second));
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 10)), Range(0, 10));
}

struct VolumeCase {
    const char* name;
    int volume;
    float gain;
};

class VolumeTest : public AudioMixerTest, public ::testing::WithParamInterface<VolumeCase> {};

INSTANTIATE_TEST_SUITE_P(AudioMixer, VolumeTest,
                         ::testing::Values(VolumeCase{"FullAt255", 255, 1.0f},
                                           VolumeCase{"HalfAt128", 128, 128.0f / 255.0f},
                                           VolumeCase{"SilentAt0", 0, 0.0f}, VolumeCase{"AboveRangeIsFull", 300, 1.0f},
                                           VolumeCase{"BelowRangeIsSilent", -20, 0.0f}),
                         CaseName());

TEST_P(VolumeTest, ScalesTheAmplitudeLinearly)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 1000));
    const int channel = mixer.PlayStream(stream, false);
    ASSERT_TRUE(mixer.SetVolume(channel, GetParam().volume));
    const std::vector<float> out = RenderFrames(mixer, 500);
    for (int i = 0; i < 500; ++i) {
        ASSERT_FLOAT_EQ(out[i * 2], EncodeFrame(i) * GetParam().gain);
        ASSERT_FLOAT_EQ(out[i * 2 + 1], -EncodeFrame(i) * GetParam().gain);
    }
}

TEST_F(AudioMixerTest, MixIsClampedToFullScale)
{
    std::vector<float> loud(200, 0.75f);
    ASSERT_TRUE(WriteFloatWav(folder.File("loud.wav"), 2, kMixRate, loud));
    AudioSample* sample = mixer.LoadSample(folder.File("loud.wav"));
    mixer.PlaySample(sample, false);
    mixer.PlaySample(sample, false);
    const std::vector<float> out = RenderFrames(mixer, 1);
    EXPECT_FLOAT_EQ(out[0], 1.0f);
}

TEST_F(AudioMixerTest, WithEveryVoiceBusyTheOldestSampleVoiceIsTakenOver)
{
    AudioSample* sample = mixer.LoadSample(MakeWav("shot.wav", 10));
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 100));
    const int streamChannel = mixer.PlayStream(stream, true);
    std::vector<int> channels;
    for (int i = 1; i < kMixVoiceCount; ++i)
        channels.push_back(mixer.PlaySample(sample, true));
    for (int channel : channels)
        ASSERT_GE(channel, 0);
    EXPECT_EQ(mixer.ActiveVoiceCount(), kMixVoiceCount);

    const int taken = mixer.PlaySample(sample, true);
    ASSERT_GE(taken, 0);
    EXPECT_FALSE(mixer.IsChannelActive(channels[0]));
    EXPECT_FALSE(mixer.SetVolume(channels[0], 0));
    EXPECT_FALSE(mixer.SetPaused(channels[0], false));
    EXPECT_FALSE(mixer.GetPaused(channels[0]));
    EXPECT_TRUE(mixer.GetPaused(taken));
    EXPECT_TRUE(mixer.IsChannelActive(channels[1]));
    EXPECT_TRUE(mixer.IsChannelActive(streamChannel));

    // A voice that ended is reused under a new id.
    mixer.SetPaused(channels[5], false);
    RenderFrames(mixer, 10);
    const int reused = mixer.PlaySample(sample, true);
    EXPECT_NE(reused, channels[5]);
    EXPECT_TRUE(mixer.IsChannelActive(channels[6]));
}

// The first voice is freed and started again, so it is the newest, not the
// oldest: with every voice busy it must stay.
TEST_F(AudioMixerTest, TakeOverPicksTheOldestSampleVoiceNotTheFirstSlot)
{
    AudioSample* click = mixer.LoadSample(MakeWav("click.wav", 10));
    AudioSample* shot = mixer.LoadSample(MakeWav("shot.wav", 1000));
    const int ended = mixer.PlaySample(click, false);
    std::vector<int> channels;
    for (int i = 1; i < kMixVoiceCount; ++i)
        channels.push_back(mixer.PlaySample(shot, false));
    RenderFrames(mixer, 10);
    ASSERT_FALSE(mixer.IsChannelActive(ended));
    const int newest = mixer.PlaySample(shot, false);

    ASSERT_GE(mixer.PlaySample(shot, false), 0);
    EXPECT_FALSE(mixer.IsChannelActive(channels[0]));
    EXPECT_TRUE(mixer.IsChannelActive(newest));
    for (size_t i = 1; i < channels.size(); ++i)
        EXPECT_TRUE(mixer.IsChannelActive(channels[i])) << i;
}

TEST_F(AudioMixerTest, StreamsNeverPlayedLeaveOtherVoicesAlone)
{
    AudioSample* shot = mixer.LoadSample(MakeWav("shot.wav", 1000));
    std::vector<int> channels;
    for (int i = 0; i < 4; ++i)
        channels.push_back(mixer.PlaySample(shot, false));
    AudioStream* closed = mixer.OpenStream(MakeWav("closed.wav", 100));
    AudioStream* stopped = mixer.OpenStream(MakeWav("stopped.wav", 100));
    AudioStream* played = mixer.OpenStream(MakeWav("played.wav", 100));
    mixer.CloseStream(closed);
    mixer.StopStream(stopped);
    ASSERT_GE(mixer.PlayStream(played, false), 0);
    for (int channel : channels)
        EXPECT_TRUE(mixer.IsChannelActive(channel)) << channel;
    EXPECT_EQ(mixer.ActiveVoiceCount(), 5);
}

TEST_F(AudioMixerTest, StreamVoicesAreNeverTakenOver)
{
    std::vector<AudioStream*> streams;
    for (int i = 0; i < kMixVoiceCount; ++i) {
        streams.push_back(mixer.OpenStream(MakeWav("music" + std::to_string(i) + ".wav", 10)));
        ASSERT_GE(mixer.PlayStream(streams.back(), false), 0);
    }
    AudioSample* sample = mixer.LoadSample(MakeWav("shot.wav", 10));
    EXPECT_EQ(mixer.PlaySample(sample, false), -1);
    AudioStream* extra = mixer.OpenStream(MakeWav("extra.wav", 10));
    EXPECT_EQ(mixer.PlayStream(extra, false), -1);
}
TEST_F(AudioMixerTest, ChannelIdsOutsideAnyVoiceDoNothing)
{
    for (int channel : {-1, -100, 0, 31, 1 << 20}) {
        EXPECT_FALSE(mixer.SetVolume(channel, 100)) << channel;
        EXPECT_FALSE(mixer.SetPaused(channel, true)) << channel;
        EXPECT_FALSE(mixer.GetPaused(channel)) << channel;
        EXPECT_FALSE(mixer.IsChannelActive(channel)) << channel;
    }
}

TEST_F(AudioMixerTest, FreeingOrClosingStopsTheVoices)
{
    AudioSample* sample = mixer.LoadSample(MakeWav("shot.wav", 1000));
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 1000));
    const int sampleChannel = mixer.PlaySample(sample, false);
    const int streamChannel = mixer.PlayStream(stream, false);
    RenderFrames(mixer, 10);
    mixer.FreeSample(sample);
    mixer.CloseStream(stream);
    EXPECT_FALSE(mixer.IsChannelActive(sampleChannel));
    EXPECT_FALSE(mixer.IsChannelActive(streamChannel));
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 10)), std::vector<int64_t>(10, -1));
}

TEST_F(AudioMixerTest, FreeingOneSoundLeavesTheOthersPlaying)
{
    AudioSample* gone = mixer.LoadSample(MakeWav("gone.wav", 300));
    AudioSample* kept = mixer.LoadSample(MakeWav("kept.wav", 300));
    AudioStream* goneStream = mixer.OpenStream(MakeWav("gone-music.wav", 300));
    AudioStream* keptStream = mixer.OpenStream(MakeWav("kept-music.wav", 300));
    mixer.FreeSample(gone);
    mixer.CloseStream(goneStream);
    // Sounds loaded afterwards must not take the place of the kept ones.
    ASSERT_TRUE(WriteFloatWav(folder.File("other.wav"), 2, kMixRate, std::vector<float>(600, 0.25f)));
    ASSERT_NE(mixer.LoadSample(folder.File("other.wav")), nullptr);
    ASSERT_NE(mixer.OpenStream(folder.File("other.wav")), nullptr);

    mixer.PlaySample(kept, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 300)), Range(0, 300));
    mixer.PlayStream(keptStream, false);
    EXPECT_EQ(PlayedFrames(RenderFrames(mixer, 300)), Range(0, 300));
}

TEST_F(AudioMixerTest, DecoderThreadKeepsAStreamFed)
{
    AudioStream* stream = mixer.OpenStream(MakeWav("music.wav", 3000));
    mixer.StartDecoderThread();
    mixer.PlayStream(stream, false);
    // Render well past the first buffer without decoding here: the thread
    // must refill it. Poll so the test waits for the thread, not a clock.
    std::vector<int64_t> played;
    std::vector<float> block(kBlockFrames * 2);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (played.size() < 60000 && std::chrono::steady_clock::now() < giveUp) {
        mixer.Render(block.data(), 256);
        bool starved = false;
        for (int i = 0; i < 256; ++i) {
            const int64_t frame = DecodeFrame(block[i * 2]);
            if (frame >= 0)
                played.push_back(frame);
            else
                starved = true;
        }
        if (starved)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    mixer.StopDecoderThread();
    ASSERT_GE(played.size(), 60000u);
    played.resize(60000);
    EXPECT_EQ(played, LoopSequence(60000, 0, 2999));
}

TEST(AudioDevice, OpensOnTheSilentDriverWhenNoDeviceWorks)
{
    const char* old = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = old ? old : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    AudioMixer mixer;
    {
        AudioDevice device(mixer);
        EXPECT_TRUE(device.Open());
        EXPECT_TRUE(device.IsOpen());
        EXPECT_TRUE(device.UsesFallbackDriver());
        EXPECT_EQ(device.DriverName(), "dummy");
        EXPECT_FALSE(device.FirstError().empty());
    }
    if (old)
        ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        ::unsetenv("SDL_AUDIODRIVER");

    AudioDevice device(mixer);
    EXPECT_TRUE(device.Open());
    EXPECT_TRUE(device.Open());
    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.DriverName(), "");
}

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value)
        : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

}  // namespace

// SDL's disk driver writes what the device plays to a file: the mixer's
// frames must come out as they are, also after the device was closed and
// opened again.
TEST(AudioDevice, PlaysTheMixerFramesAsTheyAre)
{
    TempFolder folder;
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv output("SDL_DISKAUDIOFILE", folder.File("out.raw"));
    ASSERT_TRUE(WriteIndexWav(folder.File("shot.wav"), 3000));
    AudioMixer mixer;
    AudioSample* sample = mixer.LoadSample(folder.File("shot.wav"));
    AudioDevice device(mixer);
    for (int round = 0; round < 2; ++round) {
        const int channel = mixer.PlaySample(sample, false);
        ASSERT_TRUE(device.Open()) << round;
        EXPECT_EQ(device.DriverName(), "disk") << round;
        EXPECT_FALSE(device.UsesFallbackDriver()) << round;
        // The bound only keeps a device that never plays from hanging the test.
        for (int wait = 0; wait < 1000 && mixer.IsChannelActive(channel); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        device.Close();

        // The device may write silence before it starts to play.
        std::ifstream file(folder.File("out.raw"), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<float> out(bytes.size() / sizeof(float));
        std::memcpy(out.data(), bytes.data(), out.size() * sizeof(float));
        size_t first = 0;
        while (first < out.size() && out[first] == 0.0f)
            first += 2;
        ASSERT_GE(out.size(), first + 3000 * 2) << round;
        out = std::vector<float>(out.begin() + first, out.begin() + first + 3000 * 2);
        EXPECT_EQ(PlayedFrames(out), Range(0, 3000)) << round;
        EXPECT_EQ(out[1], -EncodeFrame(0)) << round;
    }
}

namespace {

// Compressed fixtures, written once per test run into a scratch folder.
std::string Fixture(const std::string& name)
{
    static TempFolder folder;
    static const bool written = WriteIndexFlac(folder.File("index.flac")) && WriteToneOgg(folder.File("tone.ogg"));
    (void)written;
    return folder.File(name);
}

int64_t DecodeFlacFrame(float left)
{
    return static_cast<int64_t>(std::llround(left * 32768.0f)) - 1;
}

}  // namespace

TEST(AudioMixerFormats, FlacStreamLoopsFrameExactly)
{
    AudioMixer mixer;
    AudioStream* stream = mixer.OpenStream(Fixture("index.flac"));
    ASSERT_NE(stream, nullptr);
    mixer.SetStreamLoopPoints(stream, 100, 1999);
    mixer.PlayStream(stream, false);
    const std::vector<float> out = RenderFrames(mixer, 20000);
    std::vector<int64_t> played;
    for (size_t i = 0; i < out.size(); i += 2) {
        played.push_back(DecodeFlacFrame(out[i]));
        ASSERT_FLOAT_EQ(out[i + 1], -out[i]);
    }
    EXPECT_EQ(played, LoopSequence(20000, 100, 1999));
}

TEST(AudioMixerFormats, OggVorbisSampleDecodesWholeAndResamples)
{
    AudioMixer mixer;
    AudioSample* sample = mixer.LoadSample(Fixture("tone.ogg"));
    ASSERT_NE(sample, nullptr);
    const int channel = mixer.PlaySample(sample, false);
    const std::vector<float> out = RenderFrames(mixer, 5000);
    // 2205 frames at half the mix rate last 2 x 2205 - 1 output frames.
    float peak = 0.0f;
    for (int i = 0; i < 4409; ++i) {
        peak = std::max(peak, std::fabs(out[i * 2]));
        ASSERT_FLOAT_EQ(out[i * 2 + 1], out[i * 2]);
    }
    EXPECT_NEAR(peak, 0.5f, 0.05f);
    for (int i = 4409; i < 5000; ++i)
        ASSERT_EQ(out[i * 2], 0.0f) << i;
    EXPECT_FALSE(mixer.IsChannelActive(channel));
}

TEST(AudioMixerFormats, OggVorbisStreamKeepsLooping)
{
    AudioMixer mixer;
    AudioStream* stream = mixer.OpenStream(Fixture("tone.ogg"));
    ASSERT_NE(stream, nullptr);
    mixer.PlayStream(stream, false);
    const std::vector<float> out = RenderFrames(mixer, 44100);
    // The tone fills the whole second: no 10 ms stretch of silence anywhere.
    int quietRun = 0;
    int longestQuietRun = 0;
    for (size_t i = 0; i < out.size(); i += 2) {
        quietRun = std::fabs(out[i]) < 1e-4f ? quietRun + 1 : 0;
        longestQuietRun = std::max(longestQuietRun, quietRun);
    }
    EXPECT_LT(longestQuietRun, 441);
}
