// Fuzzes the sound loader: any input loads as a sample and as a stream or
// fails, and what loads plays for a few device blocks.
#include "audiomixer.h"
#include "fuzzscratch.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int kBlockFrames = 1024;
constexpr int kBlocks = 4;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("sound.wav", data, size);
    AudioMixer mixer(4);
    AudioSample* sample = mixer.LoadSample(path);
    AudioStream* stream = mixer.OpenStream(path);
    if (sample != nullptr && mixer.PlaySample(sample, false) < 0)
        __builtin_trap();
    if (stream != nullptr && mixer.PlayStream(stream, false) < 0)
        __builtin_trap();
    std::vector<float> out(kBlockFrames * kMixChannels);
    for (int i = 0; i < kBlocks; ++i) {
        mixer.DecodeAhead();
        mixer.Render(out.data(), kBlockFrames);
    }
    return 0;
}
