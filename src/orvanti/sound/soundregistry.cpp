// The sound registry over our audio mixer. Every operation checks its handle
// first, so an invalid handle never reaches the mixer; channel ids carry a
// generation, so a stale one does nothing.
#include "soundregistry.h"

#include "audiodevice.h"
#include "audiomixer.h"
#include "debuglog.h"

#include <cstdio>

namespace {

// Drops the name registered for the handle; false when none is.
bool ForgetName(std::map<std::string, int>& names, int handle)
{
    for (auto it = names.begin(); it != names.end(); ++it) {
        if (it->second == handle) {
            names.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace

SoundRegistry::SoundRegistry()
    : mixer_(std::make_unique<AudioMixer>(kChannelCount))
{}

SoundRegistry::~SoundRegistry()
{
    device_.reset();
    mixer_.reset();
}

SoundRegistry* SoundRegistry::GetInstance()
{
    if (!FindInstance())
        new SoundRegistry();
    return FindInstance();
}

bool SoundRegistry::Init()
{
    if (!device_)
        device_ = std::make_unique<AudioDevice>(*mixer_);
    if (!device_->Open()) {
        DebugLog("Could not open an audio device: %s\n", device_->FirstError().c_str());
        return false;
    }
    if (device_->UsesFallbackDriver())
        DebugLog("No audio device (%s); sound runs on the silent driver.\n", device_->FirstError().c_str());
    mixer_->StartDecoderThread();
    return true;
}

void SoundRegistry::SetBasePath(const std::string& path)
{
    basePath_ = path;
}

int SoundRegistry::LoadSample(const std::string& name)
{
    auto found = sampleNames_.find(name);
    if (found != sampleNames_.end()) {
        std::printf("Sample Found in Registry: %s\n", name.c_str());
        return found->second;
    }
    const std::string file = basePath_ + name;
    AudioSample* sample = mixer_->LoadSample(file);
    if (!sample) {
        std::printf("Failure Loading Sample %s\n", file.c_str());
        return -1;
    }
    samples_.push_back(sample);
    const int handle = static_cast<int>(samples_.size()) - 1;
    sampleNames_[name] = handle;
    return handle;
}

void SoundRegistry::PlaySample(int handle, int volume)
{
    if (!IsSampleHandle(handle)) {
        std::printf("Trying to play a Sample that's out of Range:\t%d", handle);
        return;
    }
    // A freed sample is null here and gets no channel.
    const int channel = mixer_->PlaySample(samples_[handle], true);
    std::printf("Trying to play Sample %d in Channel %d\n", handle, channel);
    mixer_->SetVolume(channel, volume);
    mixer_->SetPaused(channel, false);
}

void SoundRegistry::FreeSample(int handle)
{
    if (!IsSampleHandle(handle)) {
        std::printf("Trying to Free a Sample that's out of Range:\t%d", handle);
        return;
    }
    if (!samples_[handle]) {
        std::printf("Trying to Free an invalid Sample (already Freed?):\t%d", handle);
        return;
    }
    if (!ForgetName(sampleNames_, handle))
        return;
    mixer_->FreeSample(samples_[handle]);
    samples_[handle] = nullptr;
}

int SoundRegistry::LoadStream(const std::string& name, int loopStart, int loopEnd)
{
    return OpenStream(name, true, loopStart, loopEnd);
}

int SoundRegistry::LoadStreamNoLoopPoints(const std::string& name)
{
    return OpenStream(name, false, -1, -1);
}

void SoundRegistry::PlayStream(int handle)
{
    if (!IsStreamHandle(handle)) {
        DebugLog("Trying to play a Stream that's out of Range:\t%d\n", handle);
        return;
    }
    if (channels_[handle] == -1)
        channels_[handle] = mixer_->PlayStream(streams_[handle], true);
    const int channel = channels_[handle];
    if (mixer_->GetPaused(channel)) {
        std::printf("Trying to play Stream %d in Channel %d\n", handle, channel);
        mixer_->SetPaused(channel, false);
    } else {
        DebugLog("Trying to play Stream %d in Channel %d\n\tAlready Playing!\n", handle, channel);
    }
}

void SoundRegistry::PauseStream(int handle)
{
    if (!IsStreamHandle(handle)) {
        DebugLog("Trying to pause a Stream that's out of Range:\t%d\n", handle);
        return;
    }
    const int channel = channels_[handle];
    if (mixer_->GetPaused(channel))
        return;
    if (channel != -1) {
        DebugLog("Trying to Pause Stream %d in Channel %d\n", handle, channel);
        mixer_->SetPaused(channel, true);
    } else {
        DebugLog("Trying to Pause a Stream that's not playing:\t%d\n", handle);
    }
}

void SoundRegistry::StopStream(int handle)
{
    if (!IsStreamHandle(handle)) {
        DebugLog("Trying to pause a Stream that's out of Range:\t%d\n", handle);
        return;
    }
    if (channels_[handle] == -1)
        return;
    DebugLog("Stopping Stream:\t%d\n", handle);
    mixer_->StopStream(streams_[handle]);
    channels_[handle] = -1;
}

void SoundRegistry::FreeStream(int handle)
{
    if (!IsStreamHandle(handle)) {
        std::printf("Trying to Free a Stream that's out of Range:\t%d", handle);
        return;
    }
    if (!streams_[handle]) {
        std::printf("Trying to Free an invalid Stream (already Freed?):\t%d", handle);
        return;
    }
    if (!ForgetName(streamNames_, handle))
        return;
    // Stop first, so the freed handle keeps no live channel.
    mixer_->StopStream(streams_[handle]);
    channels_[handle] = -1;
    mixer_->CloseStream(streams_[handle]);
    streams_[handle] = nullptr;
}

void SoundRegistry::SetStreamVolume(int handle, int volume)
{
    if (!IsStreamHandle(handle)) {
        DebugLog("Trying to Change Volume on a Stream that's out of Range:\t%d\n", handle);
        return;
    }
    if (channels_[handle] == -1) {
        DebugLog("Trying to Change Volume on a Stream that's not playing:\t%d\n", handle);
        return;
    }
    mixer_->SetVolume(channels_[handle], volume);
}

bool SoundRegistry::IsStreamPaused(int handle)
{
    if (!IsStreamHandle(handle)) {
        DebugLog("Testing a Stream that's out of Range:\t%d\n", handle);
        return false;
    }
    if (channels_[handle] == -1) {
        DebugLog("Testing pause value for a stream that is Stopped:\t%d\n", handle);
        return false;
    }
    return mixer_->GetPaused(channels_[handle]);
}

bool SoundRegistry::IsStreamStopped(int handle)
{
    if (!IsStreamHandle(handle)) {
        DebugLog("Testing a Stream that's out of Range:\t%d\n", handle);
        return false;
    }
    return channels_[handle] == -1;
}

void SoundRegistry::FreeAll()
{
    for (AudioSample* sample : samples_) {
        if (sample)
            mixer_->FreeSample(sample);
    }
    samples_.clear();
    for (AudioStream* stream : streams_) {
        if (stream)
            mixer_->CloseStream(stream);
    }
    streams_.clear();
    channels_.clear();
    sampleNames_.clear();
    streamNames_.clear();
}

void SoundRegistry::Shutdown()
{
    FreeAll();
    mixer_->StopDecoderThread();
    device_.reset();
    samples_.clear();
    streams_.clear();
    channels_.clear();
    sampleNames_.clear();
    streamNames_.clear();
}

int SoundRegistry::OpenStream(const std::string& name, bool withLoopPoints, int loopStart, int loopEnd)
{
    auto found = streamNames_.find(name);
    if (found != streamNames_.end()) {
        std::printf("Stream Found in Registry: %s\n", name.c_str());
        return found->second;
    }
    const std::string file = basePath_ + name;
    AudioStream* stream = mixer_->OpenStream(file);
    if (!stream) {
        if (withLoopPoints)
            std::printf("Failure Loading Stream %s\n", file.c_str());
        else
            DebugLog("Failure Loading Sample %s\n", file.c_str());
        return -1;
    }
    streams_.push_back(stream);
    if (withLoopPoints)
        mixer_->SetStreamLoopPoints(stream, loopStart, loopEnd);
    channels_.push_back(-1);
    const int handle = static_cast<int>(streams_.size()) - 1;
    streamNames_[name] = handle;
    return handle;
}

bool SoundRegistry::IsSampleHandle(int handle) const
{
    return handle >= 0 && handle < static_cast<int>(samples_.size());
}

bool SoundRegistry::IsStreamHandle(int handle) const
{
    return handle >= 0 && handle < static_cast<int>(streams_.size());
}
