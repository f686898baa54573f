// No audio output: the device always runs on the silent fallback, so sounds
// still load and play; see audiodevice.h.
#include "audiodevice.h"

namespace {

constexpr uint32_t kSilentDevice = 1;

}  // namespace

AudioDevice::AudioDevice(AudioMixer& mixer)
    : mixer_(mixer)
{}

AudioDevice::~AudioDevice()
{
    Close();
}

bool AudioDevice::Open()
{
    if (IsOpen()) {
        return true;
    }
    return TryOpen();
}

void AudioDevice::Close()
{
    deviceId_ = 0;
    usesFallback_ = false;
    driverName_.clear();
}

bool AudioDevice::TryOpen()
{
    firstError_ = "no audio output in this build";
    deviceId_ = kSilentDevice;
    usesFallback_ = true;
    driverName_ = "silent";
    return true;
}
