// Helpers for the sound tests: small WAV files whose frames encode their own
// index (left = (index + 1) / 2^20, right = its negative), so rendered output
// tells exactly which frame played (0 is silence), and rendering helpers.
#pragma once

#include "audiomixer.h"

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

constexpr float kFrameScale = 1.0f / 1048576.0f;

inline float EncodeFrame(int64_t frame)
{
    return static_cast<float>(frame + 1) * kFrameScale;
}

// Index of the frame a left-channel value came from; -1 for silence.
inline int64_t DecodeFrame(float left)
{
    return static_cast<int64_t>(std::llround(left / kFrameScale)) - 1;
}

// Bytes before the first sample in a file written by WriteFloatWav.
constexpr long kFloatWavHeaderBytes = 44;

// Writes interleaved 32-bit float samples as a WAV file.
inline bool WriteFloatWav(const std::string& path, int channels, int rate, const std::vector<float>& samples)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    auto put32 = [file](uint32_t v) { std::fwrite(&v, 4, 1, file); };
    auto put16 = [file](uint16_t v) { std::fwrite(&v, 2, 1, file); };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(float));
    std::fwrite("RIFF", 1, 4, file);
    put32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, file);
    put32(16);
    put16(3);  // IEEE float
    put16(static_cast<uint16_t>(channels));
    put32(static_cast<uint32_t>(rate));
    put32(static_cast<uint32_t>(rate) * static_cast<uint32_t>(channels) * 4);
    put16(static_cast<uint16_t>(channels * 4));
    put16(32);
    std::fwrite("data", 1, 4, file);
    put32(dataBytes);
    if (!samples.empty())
        std::fwrite(samples.data(), sizeof(float), samples.size(), file);
    std::fclose(file);
    return true;
}

// A file of `frames` frames whose samples encode their frame index.
inline bool WriteIndexWav(const std::string& path, int64_t frames, int channels = 2, int rate = 44100)
{
    std::vector<float> samples;
    samples.reserve(static_cast<size_t>(frames * channels));
    for (int64_t i = 0; i < frames; ++i) {
        samples.push_back(EncodeFrame(i));
        if (channels > 1)
            samples.push_back(-EncodeFrame(i));
    }
    return WriteFloatWav(path, channels, rate, samples);
}

constexpr int kBlockFrames = 1024;

// Renders in device-sized blocks, decoding ahead before each block as the
// decoder thread would.
inline std::vector<float> RenderFrames(AudioMixer& mixer, int frames)
{
    std::vector<float> out(static_cast<size_t>(frames) * 2);
    for (int done = 0; done < frames; done += kBlockFrames) {
        mixer.DecodeAhead();
        mixer.Render(out.data() + done * 2, std::min(kBlockFrames, frames - done));
    }
    return out;
}

// The frame index heard in each rendered frame (-1 for silence).
inline std::vector<int64_t> PlayedFrames(const std::vector<float>& out)
{
    std::vector<int64_t> frames;
    for (size_t i = 0; i < out.size(); i += 2)
        frames.push_back(DecodeFrame(out[i]));
    return frames;
}

// What a looping stream must play: from frame 0 up to the loop end, then the
// loop region again and again.
inline std::vector<int64_t> LoopSequence(int64_t count, int64_t loopStart, int64_t loopEnd)
{
    std::vector<int64_t> frames;
    int64_t position = 0;
    for (int64_t i = 0; i < count; ++i) {
        frames.push_back(position);
        if (++position > loopEnd)
            position = loopStart;
    }
    return frames;
}

inline std::vector<int64_t> Range(int64_t first, int64_t count)
{
    std::vector<int64_t> frames;
    for (int64_t i = 0; i < count; ++i)
        frames.push_back(first + i);
    return frames;
}
