// SDL audio output for the mixer. The callback only renders: SDL converts
// from our fixed 44100 Hz stereo float format when the hardware differs.
#include "audiodevice.h"

#include "audiomixer.h"

#include <SDL.h>

namespace {

constexpr int kCallbackFrames = 1024;
constexpr const char* kFallbackDriver = "dummy";

void SDLCALL RenderCallback(void* user, Uint8* stream, int length)
{
    auto* mixer = static_cast<AudioMixer*>(user);
    mixer->Render(reinterpret_cast<float*>(stream), length / static_cast<int>(sizeof(float) * kMixChannels));
}

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
    if (IsOpen())
        return true;
    firstError_.clear();
    usesFallback_ = false;
    if (TryOpen())
        return true;
    firstError_ = SDL_GetError();

    // No usable output: run on the silent driver instead.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kFallbackDriver, SDL_HINT_OVERRIDE);
    const bool opened = TryOpen();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    usesFallback_ = opened;
    return opened;
}

void AudioDevice::Close()
{
    if (deviceId_ != 0) {
        SDL_CloseAudioDevice(deviceId_);
        deviceId_ = 0;
    }
    if (subsystemStarted_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
    }
    driverName_.clear();
}

bool AudioDevice::TryOpen()
{
    if (!subsystemStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        subsystemStarted_ = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kCallbackFrames;
    wanted.callback = RenderCallback;
    wanted.userdata = &mixer_;
    SDL_AudioSpec obtained{};
    deviceId_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (deviceId_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
        return false;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    driverName_ = driver ? driver : "";
    SDL_PauseAudioDevice(deviceId_, 0);
    return true;
}
