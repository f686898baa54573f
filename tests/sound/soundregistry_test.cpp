#include "audiomixer.h"
#include "soundregistry.h"
#include "soundtestsupport.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <functional>
#include <thread>

namespace {

// Captures what the registry prints on standard output.
class StdoutCapture {
public:
    StdoutCapture()
    {
        std::fflush(stdout);
        ::testing::internal::CaptureStdout();
    }
    ~StdoutCapture()
    {
        if (!taken_)
            ::testing::internal::GetCapturedStdout();
    }
    std::string Take()
    {
        taken_ = true;
        return ::testing::internal::GetCapturedStdout();
    }

private:
    bool taken_ = false;
};

std::string Format(const char* format, int a, int b = 0)
{
    char text[256];
    std::snprintf(text, sizeof(text), format, a, b);
    return text;
}

class SoundRegistryTest : public ::testing::Test {
protected:
    SoundRegistryTest()
    {
        registry.SetBasePath(folder.Path() + "/");
        WriteIndexWav(folder.File("music.wav"), 5000);
        WriteIndexWav(folder.File("shot.wav"), 400);
    }

    // Plays the stream and returns the channel the registry reported.
    int PlayAndReadChannel(int handle)
    {
        StdoutCapture out;
        registry.PlayStream(handle);
        int reported = -2;
        int channel = -2;
        std::sscanf(out.Take().c_str(), "Trying to play Stream %d in Channel %d", &reported, &channel);
        EXPECT_EQ(reported, handle);
        return channel;
    }

    std::vector<int64_t> Render(int frames) { return PlayedFrames(RenderFrames(registry.Mixer(), frames)); }

    TempFolder folder;
    SoundRegistry registry;
    LogCapture log;
};

}  // namespace

TEST_F(SoundRegistryTest, SecondLoadOfANameReturnsTheSameHandleWithoutReadingTheFile)
{
    EXPECT_EQ(registry.LoadSample("shot.wav"), 0);
    EXPECT_EQ(registry.LoadStream("music.wav", -1, -1), 0);
    std::remove(folder.File("shot.wav").c_str());
    std::remove(folder.File("music.wav").c_str());

    StdoutCapture out;
    EXPECT_EQ(registry.LoadSample("shot.wav"), 0);
    EXPECT_EQ(registry.LoadStream("music.wav", 10, 20), 0);
    EXPECT_EQ(registry.LoadStreamNoLoopPoints("music.wav"), 0);
    EXPECT_EQ(out.Take(), "Sample Found in Registry: shot.wav\n"
                          "Stream Found in Registry: music.wav\n"
                          "Stream Found in Registry: music.wav\n");
}

struct FailedLoadCase {
    const char* name;
    std::function<int(SoundRegistry&, const std::string&)> load;
    const char* printed;  // %s is the file
    std::string logged;
};

// The mixer's line: the file and why it did not load.
const std::string kMissingFileLine = "Sound file %s: No such file or directory; not loaded.\n";

class FailedLoadTest : public SoundRegistryTest, public ::testing::WithParamInterface<FailedLoadCase> {};

INSTANTIATE_TEST_SUITE_P(
    SoundRegistry, FailedLoadTest,
    ::testing::Values(FailedLoadCase{"Sample", [](SoundRegistry& r, const std::string& n) { return r.LoadSample(n); },
                                     "Failure Loading Sample %s\n", kMissingFileLine},
                      FailedLoadCase{"Stream",
                                     [](SoundRegistry& r, const std::string& n) { return r.LoadStream(n, -1, -1); },
                                     "Failure Loading Stream %s\n", kMissingFileLine},
                      FailedLoadCase{"StreamNoLoopPoints",
                                     [](SoundRegistry& r, const std::string& n) { return r.LoadStreamNoLoopPoints(n); },
                                     "", kMissingFileLine + "Failure Loading Sample %s\n"}),
    CaseName());

TEST_P(FailedLoadTest, ReportsTheFileAndRegistersNothing)
{
    const FailedLoadCase& c = GetParam();
    const std::string file = folder.File("later.wav");
    auto expand = [&file](const std::string& format) {
        std::string text = format;
        for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + file.size())) {
            text.replace(at, 2, file);
        }
        return text;
    };
    {
        StdoutCapture out;
        EXPECT_EQ(c.load(registry, "later.wav"), -1);
        EXPECT_EQ(out.Take(), expand(c.printed));
        EXPECT_EQ(log.All(), expand(c.logged));
    }
    // Nothing was registered, so the file is tried again.
    WriteIndexWav(file, 100);
    StdoutCapture out;
    EXPECT_EQ(c.load(registry, "later.wav"), 0);
    EXPECT_EQ(out.Take(), "");
}

TEST_F(SoundRegistryTest, FreedHandlesStayNullAndLoadsAppend)
{
    ASSERT_EQ(registry.LoadSample("shot.wav"), 0);
    ASSERT_EQ(registry.LoadStream("music.wav", -1, -1), 0);
    WriteIndexWav(folder.File("other.wav"), 100);
    ASSERT_EQ(registry.LoadSample("other.wav"), 1);
    registry.FreeSample(0);
    registry.FreeStream(0);
    EXPECT_EQ(registry.LoadSample("shot.wav"), 2);
    EXPECT_EQ(registry.LoadStream("music.wav", -1, -1), 1);

    StdoutCapture out;
    registry.FreeSample(0);
    registry.FreeStream(0);
    registry.PlaySample(0, 255);
    EXPECT_EQ(out.Take(), "Trying to Free an invalid Sample (already Freed?):\t0"
                          "Trying to Free an invalid Stream (already Freed?):\t0"
                          "Trying to play Sample 0 in Channel -1\n");
    EXPECT_EQ(registry.Mixer().ActiveVoiceCount(), 0);
}

struct OutOfRangeCase {
    const char* name;
    std::function<void(SoundRegistry&, int)> call;
    const char* printed;  // %d is the handle
    const char* logged;
};

class OutOfRangeTest : public SoundRegistryTest,
                       public ::testing::WithParamInterface<std::tuple<OutOfRangeCase, int>> {};

INSTANTIATE_TEST_SUITE_P(
    SoundRegistry, OutOfRangeTest,
    ::testing::Combine(
        ::testing::Values(
            OutOfRangeCase{"PlaySample", [](SoundRegistry& r, int h) { r.PlaySample(h, 255); },
                           "Trying to play a Sample that's out of Range:\t%d", ""},
            OutOfRangeCase{"FreeSample", [](SoundRegistry& r, int h) { r.FreeSample(h); },
                           "Trying to Free a Sample that's out of Range:\t%d", ""},
            OutOfRangeCase{"FreeStream", [](SoundRegistry& r, int h) { r.FreeStream(h); },
                           "Trying to Free a Stream that's out of Range:\t%d", ""},
            OutOfRangeCase{"PlayStream", [](SoundRegistry& r, int h) { r.PlayStream(h); }, "",
                           "Trying to play a Stream that's out of Range:\t%d\n"},
            OutOfRangeCase{"PauseStream", [](SoundRegistry& r, int h) { r.PauseStream(h); }, "",
                           "Trying to pause a Stream that's out of Range:\t%d\n"},
            OutOfRangeCase{"StopStream", [](SoundRegistry& r, int h) { r.StopStream(h); }, "",
                           "Trying to pause a Stream that's out of Range:\t%d\n"},
            OutOfRangeCase{"SetStreamVolume", [](SoundRegistry& r, int h) { r.SetStreamVolume(h, 10); }, "",
                           "Trying to Change Volume on a Stream that's out of Range:\t%d\n"},
            OutOfRangeCase{"IsStreamPaused", [](SoundRegistry& r, int h) { EXPECT_FALSE(r.IsStreamPaused(h)); }, "",
                           "Testing a Stream that's out of Range:\t%d\n"},
            OutOfRangeCase{"IsStreamStopped", [](SoundRegistry& r, int h) { EXPECT_FALSE(r.IsStreamStopped(h)); }, "",
                           "Testing a Stream that's out of Range:\t%d\n"}),
        ::testing::Values(-1, 1)),
    [](const ::testing::TestParamInfo<std::tuple<OutOfRangeCase, int>>& info) {
        const int handle = std::get<1>(info.param);
        return std::string(std::get<0>(info.param).name) + (handle < 0 ? "FailedLoad" : "PastTheEnd");
    });

TEST_P(OutOfRangeTest, ReportsTheHandleAndTouchesNoSound)
{
    const OutOfRangeCase& c = std::get<0>(GetParam());
    const int handle = std::get<1>(GetParam());
    ASSERT_EQ(registry.LoadSample("shot.wav"), 0);
    ASSERT_EQ(registry.LoadStream("music.wav", -1, -1), 0);
    log.Clear();
    StdoutCapture out;
    c.call(registry, handle);
    EXPECT_EQ(out.Take(), Format(c.printed, handle));
    EXPECT_EQ(log.All(), Format(c.logged, handle));
    EXPECT_EQ(registry.Mixer().ActiveVoiceCount(), 0);
}

TEST_F(SoundRegistryTest, PlayingAPlayingStreamOnlyLogs)
{
    const int stream = registry.LoadStream("music.wav", -1, -1);
    const int channel = PlayAndReadChannel(stream);
    ASSERT_GE(channel, 0);
    Render(100);
    log.Clear();
    StdoutCapture out;
    registry.PlayStream(stream);
    EXPECT_EQ(out.Take(), "");
    EXPECT_EQ(log.All(), Format("Trying to play Stream %d in Channel %d\n\tAlready Playing!\n", stream, channel));
    EXPECT_EQ(Render(10), Range(100, 10));
}

TEST_F(SoundRegistryTest, PauseThenPlayResumesOnTheSameChannel)
{
    const int stream = registry.LoadStream("music.wav", -1, -1);
    const int channel = PlayAndReadChannel(stream);
    EXPECT_EQ(Render(300), Range(0, 300));

    log.Clear();
    registry.PauseStream(stream);
    EXPECT_EQ(log.All(), Format("Trying to Pause Stream %d in Channel %d\n", stream, channel));
    EXPECT_TRUE(registry.IsStreamPaused(stream));
    EXPECT_FALSE(registry.IsStreamStopped(stream));
    log.Clear();
    registry.PauseStream(stream);
    EXPECT_EQ(log.All(), "");
    EXPECT_EQ(Render(200), std::vector<int64_t>(200, -1));

    EXPECT_EQ(PlayAndReadChannel(stream), channel);
    EXPECT_EQ(Render(200), Range(300, 200));
}

TEST_F(SoundRegistryTest, StopThenPlayStartsOverOnANewChannel)
{
    const int stream = registry.LoadStream("music.wav", -1, -1);
    const int first = PlayAndReadChannel(stream);
    Render(300);

    log.Clear();
    registry.StopStream(stream);
    EXPECT_EQ(log.All(), "Stopping Stream:\t0\n");
    EXPECT_TRUE(registry.IsStreamStopped(stream));
    log.Clear();
    registry.StopStream(stream);
    registry.PauseStream(stream);
    registry.SetStreamVolume(stream, 50);
    EXPECT_FALSE(registry.IsStreamPaused(stream));
    EXPECT_EQ(log.All(), "Trying to Pause a Stream that's not playing:\t0\n"
                         "Trying to Change Volume on a Stream that's not playing:\t0\n"
                         "Testing pause value for a stream that is Stopped:\t0\n");
    EXPECT_EQ(Render(50), std::vector<int64_t>(50, -1));

    const int second = PlayAndReadChannel(stream);
    EXPECT_GE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_FALSE(registry.IsStreamStopped(stream));
    EXPECT_EQ(Render(100), Range(0, 100));
}

struct RegistryLoopCase {
    const char* name;
    bool noLoopPoints;
    int loopStart;
    int loopEnd;
    int64_t playedStart;
    int64_t playedEnd;
};

class RegistryLoopTest : public SoundRegistryTest, public ::testing::WithParamInterface<RegistryLoopCase> {};

INSTANTIATE_TEST_SUITE_P(SoundRegistry, RegistryLoopTest,
                         ::testing::Values(RegistryLoopCase{"NoLoopPoints", true, 0, 0, 0, 4999},
                                           RegistryLoopCase{"MinusOnesMeanWholeFile", false, -1, -1, 0, 4999},
                                           RegistryLoopCase{"Inner", false, 1000, 2999, 1000, 2999},
                                           RegistryLoopCase{"EndClamped", false, 4000, 401408, 4000, 4999}),
                         CaseName());

TEST_P(RegistryLoopTest, StreamLoopsBetweenItsPoints)
{
    const RegistryLoopCase& c = GetParam();
    const int stream = c.noLoopPoints ? registry.LoadStreamNoLoopPoints("music.wav")
                                      : registry.LoadStream("music.wav", c.loopStart, c.loopEnd);
    registry.PlayStream(stream);
    EXPECT_EQ(Render(20000), LoopSequence(20000, c.playedStart, c.playedEnd));
}

TEST_F(SoundRegistryTest, EverySamplePlayStartsANewChannelAtItsVolume)
{
    const int sample = registry.LoadSample("shot.wav");
    int channels[2] = {-2, -2};
    {
        StdoutCapture out;
        registry.PlaySample(sample, 128);
        registry.PlaySample(sample, 255);
        const std::string text = out.Take();
        int h0 = -2;
        int h1 = -2;
        ASSERT_EQ(std::sscanf(text.c_str(),
                              "Trying to play Sample %d in Channel %d\nTrying to play Sample %d in Channel %d\n", &h0,
                              &channels[0], &h1, &channels[1]),
                  4)
            << text;
        EXPECT_EQ(h0, sample);
        EXPECT_EQ(h1, sample);
    }
    EXPECT_GE(channels[0], 0);
    EXPECT_GE(channels[1], 0);
    EXPECT_NE(channels[0], channels[1]);
    const std::vector<float> out = RenderFrames(registry.Mixer(), 1);
    EXPECT_FLOAT_EQ(out[0], EncodeFrame(0) * (128.0f / 255.0f) + EncodeFrame(0));
}

TEST_F(SoundRegistryTest, FreedStreamLetsGoOfItsChannel)
{
    const int freed = registry.LoadStream("music.wav", -1, -1);
    const int channel = PlayAndReadChannel(freed);
    Render(10);
    registry.FreeStream(freed);
    EXPECT_FALSE(registry.Mixer().IsChannelActive(channel));
    EXPECT_TRUE(registry.IsStreamStopped(freed));
    EXPECT_EQ(Render(10), std::vector<int64_t>(10, -1));

    // Another sound now plays; the freed handle must not change it.
    WriteIndexWav(folder.File("wind.wav"), 3000);
    const int wind = registry.LoadStream("wind.wav", -1, -1);
    registry.PlayStream(wind);
    log.Clear();
    registry.SetStreamVolume(freed, 0);
    registry.PauseStream(freed);
    registry.StopStream(freed);
    EXPECT_EQ(log.All(), Format("Trying to Change Volume on a Stream that's not playing:\t%d\n", freed) +
                             Format("Trying to Pause a Stream that's not playing:\t%d\n", freed));
    EXPECT_EQ(Render(100), Range(0, 100));
}

TEST_F(SoundRegistryTest, BasePathPrefixesFilesButNotNames)
{
    folder.Write("sounds/x", "");
    WriteIndexWav(folder.File("sounds/boom.wav"), 10);
    registry.SetBasePath(folder.File("sounds/"));
    EXPECT_EQ(registry.LoadSample("boom.wav"), 0);
    StdoutCapture out;
    EXPECT_EQ(registry.LoadSample("boom.wav"), 0);
    EXPECT_EQ(out.Take(), "Sample Found in Registry: boom.wav\n");
}

TEST_F(SoundRegistryTest, FreeAllEmptiesEveryTable)
{
    const int sample = registry.LoadSample("shot.wav");
    const int stream = registry.LoadStream("music.wav", -1, -1);
    registry.PlaySample(sample, 255);
    registry.PlayStream(stream);
    registry.FreeAll();
    EXPECT_EQ(registry.Mixer().ActiveVoiceCount(), 0);
    StdoutCapture out;
    registry.PlaySample(0, 255);
    EXPECT_EQ(out.Take(), "Trying to play a Sample that's out of Range:\t0");
    EXPECT_EQ(registry.LoadSample("shot.wav"), 0);
    EXPECT_EQ(registry.LoadStream("music.wav", -1, -1), 0);
}

TEST_F(SoundRegistryTest, InitRunsOnTheSilentDriverWhenNoDeviceOpens)
{
    const char* old = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = old ? old : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_TRUE(registry.Init());
    if (old)
        ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        ::unsetenv("SDL_AUDIODRIVER");
    EXPECT_TRUE(log.Contains("silent driver"));

    // Loading and playing work as usual.
    const int stream = registry.LoadStream("music.wav", -1, -1);
    registry.PlayStream(stream);
    EXPECT_FALSE(registry.IsStreamStopped(stream));
    EXPECT_FALSE(registry.IsStreamPaused(stream));
    registry.Shutdown();
    EXPECT_EQ(registry.Mixer().ActiveVoiceCount(), 0);
}

TEST_F(SoundRegistryTest, ControlsStayConsistentWhileTheDeviceRenders)
{
    ASSERT_TRUE(registry.Init());
    const int sample = registry.LoadSample("shot.wav");
    int stream = registry.LoadStream("music.wav", 100, 999);
    for (int round = 0; round < 200; ++round) {
        switch (round % 5) {
            case 0:
                registry.PlayStream(stream);
                break;
            case 1:
                registry.SetStreamVolume(stream, round);
                break;
            case 2:
                registry.PauseStream(stream);
                break;
            case 3:
                registry.StopStream(stream);
                break;
            case 4:
                registry.FreeStream(stream);
                stream = registry.LoadStream("music.wav", 100, 999);
                break;
        }
        registry.PlaySample(sample, 200);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    registry.PlayStream(stream);
    EXPECT_FALSE(registry.IsStreamStopped(stream));
    EXPECT_FALSE(registry.IsStreamPaused(stream));
    registry.Shutdown();
    EXPECT_EQ(registry.Mixer().ActiveVoiceCount(), 0);
}

TEST(SoundRegistrySingleton, AccessorCreatesOneInstance)
{
    SoundRegistry* registry = SoundRegistry::GetInstance();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(SoundRegistry::GetInstance(), registry);
    EXPECT_EQ(registry->Mixer().VoiceCount(), 24);
    EXPECT_TRUE(registry->Init());
    delete registry;
    EXPECT_EQ(SoundRegistry::FindInstance(), nullptr);
}
