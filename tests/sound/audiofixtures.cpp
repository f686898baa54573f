#include "audiofixtures.h"

#include <cmath>
#include <sndfile.h>
#include <vector>

namespace {
constexpr int kIndexFrames = 3000;
constexpr int kToneFrames = 2205;
constexpr int kToneRate = 22050;
constexpr double kToneHz = 441.0;
constexpr double kToneAmplitude = 0.5;

bool WriteShorts(const std::string& path, int format, int channels, int rate, const std::vector<short>& data)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(data.size()) / channels;
    const bool ok = sf_writef_short(file, data.data(), frames) == frames;
    return sf_close(file) == 0 && ok;
}
}  // namespace

bool WriteIndexFlac(const std::string& path)
{
    std::vector<short> data;
    for (int i = 0; i < kIndexFrames; ++i) {
        data.push_back(static_cast<short>(i + 1));
        data.push_back(static_cast<short>(-(i + 1)));
    }
    return WriteShorts(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 44100, data);
}

bool WriteToneOgg(const std::string& path)
{
    std::vector<float> data;
    for (int i = 0; i < kToneFrames; ++i)
        data.push_back(static_cast<float>(kToneAmplitude * std::sin(2.0 * M_PI * kToneHz * i / kToneRate)));
    SF_INFO info{};
    info.channels = 1;
    info.samplerate = kToneRate;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const bool ok = sf_writef_float(file, data.data(), kToneFrames) == kToneFrames;
    return sf_close(file) == 0 && ok;
}
