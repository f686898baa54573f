// SoundRegistry: the sound singleton. Loads samples (short sounds, any free
// channel) and streams (music, one channel each) by name and hands out integer
// handles: table indices that are never reused, -1 for a failed load. The
// asset loader loads through it; the application states play, pause, stop and
// set volumes. Some messages go to standard output, the others to the debug log.
#pragma once

#include "singleton.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AudioDevice;
class AudioMixer;
struct AudioSample;
struct AudioStream;

class SoundRegistry : public Singleton<SoundRegistry> {
public:
    static constexpr int kChannelCount = 24;

    SoundRegistry();
    ~SoundRegistry();

    // The one registry, created by the first call.
    static SoundRegistry* GetInstance();

    // Opens the audio output (the silent driver when no device works);
    // true when output runs.
    bool Init();
    // Prefixed to every file name; "" at construction.
    void SetBasePath(const std::string& path);

    int LoadSample(const std::string& name);
    // Starts the sample once on a new channel at the volume (0..255).
    void PlaySample(int handle, int volume);
    void FreeSample(int handle);

    // Loop points in the file's frames, both included; (-1, -1) loops the
    // whole file, an end past the file's end is clamped.
    int LoadStream(const std::string& name, int loopStart, int loopEnd);
    int LoadStreamNoLoopPoints(const std::string& name);
    // Starts a stopped stream from its first frame or resumes a paused one.
    void PlayStream(int handle);
    // Keeps the position and the channel.
    void PauseStream(int handle);
    // Releases the channel and rewinds.
    void StopStream(int handle);
    // Stops the stream, then closes it; its handle stays null.
    void FreeStream(int handle);
    void SetStreamVolume(int handle, int volume);
    bool IsStreamPaused(int handle);
    bool IsStreamStopped(int handle);

    void FreeAll();
    // FreeAll, then closes the audio output.
    void Shutdown();

    // The mixer the sounds play on (tests render from it directly).
    AudioMixer& Mixer() { return *mixer_; }

private:
    int OpenStream(const std::string& name, bool withLoopPoints, int loopStart, int loopEnd);
    bool IsSampleHandle(int handle) const;
    bool IsStreamHandle(int handle) const;

    std::map<std::string, int> sampleNames_;
    std::map<std::string, int> streamNames_;
    std::vector<AudioSample*> samples_;
    std::vector<AudioStream*> streams_;
    std::vector<int> channels_;  // parallel to streams_; -1 = stopped or never started
    std::string basePath_;
    // Declared in this order so the device stops before the mixer goes.
    std::unique_ptr<AudioMixer> mixer_;
    std::unique_ptr<AudioDevice> device_;
};
