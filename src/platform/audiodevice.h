// The one audio output: opens the backend's audio at 44100 Hz stereo float
// and lets its callback pull frames from a mixer. When no real device opens,
// it falls back to a silent driver so that sounds still load and play.
// The sound registry opens it at start-up; the backend implements it.
#pragma once

#include <cstdint>
#include <string>

class AudioMixer;

class AudioDevice {
public:
    // The mixer must outlive the device.
    explicit AudioDevice(AudioMixer& mixer);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Starts the audio subsystem and the device; true when a device (real or
    // the silent fallback) runs. Opening an open device returns true.
    bool Open();
    void Close();

    bool IsOpen() const { return deviceId_ != 0; }
    bool UsesFallbackDriver() const { return usesFallback_; }
    // Name of the audio driver in use ("" while closed).
    const std::string& DriverName() const { return driverName_; }
    // Why the first (real) device could not be opened, when it could not.
    const std::string& FirstError() const { return firstError_; }

private:
    bool TryOpen();

    AudioMixer& mixer_;
    uint32_t deviceId_ = 0;
    bool subsystemStarted_ = false;
    bool usesFallback_ = false;
    std::string driverName_;
    std::string firstError_;
};
