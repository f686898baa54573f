// The software mixer behind the sound registry: a fixed set of voices that
// play samples (decoded whole at load) and streams (decoded progressively by a
// background thread) into 44100 Hz stereo float. The audio device drives
// Render from its callback; tests call Render directly, with no device.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
constexpr int kMixVoiceCount = 24;
constexpr int kMixMaxVoiceCount = 32;
constexpr int kMixMaxVolume = 255;

// Opaque sound objects; the mixer owns them and hands out plain pointers.
struct AudioSample;
struct AudioStream;

class AudioMixer {
public:
    explicit AudioMixer(int voiceCount = kMixVoiceCount);
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // Samples: the whole file is decoded and converted at load.
    // Null when the file cannot be read.
    AudioSample* LoadSample(const std::string& path);
    // Stops every voice playing the sample, then deletes it.
    void FreeSample(AudioSample* sample);
    // Starts the sample once on a free voice at full volume; returns the
    // channel id, or -1 when the sample is null. With every voice busy, the
    // sample voice started longest ago is taken over (never a stream's).
    int PlaySample(AudioSample* sample, bool paused);

    // Streams: opened at load, decoded a little ahead of playback, looping.
    // Null when the file cannot be read or holds no frames.
    AudioStream* OpenStream(const std::string& path);
    // Loop region in the file's frames, both ends included; (-1, -1) is the
    // whole file, a negative start means 0, and an end that is negative or
    // past the last frame means the last frame. False (and nothing changes)
    // for a null stream or a start past the end.
    bool SetStreamLoopPoints(AudioStream* stream, int64_t loopStart, int64_t loopEnd);
    // Plays the stream from its first frame on a free voice (restarting it when
    // it already plays), taking over a sample voice as PlaySample does;
    // returns the channel id, or -1 when every voice plays a stream.
    int PlayStream(AudioStream* stream, bool paused);
    // Stops the stream's voice and rewinds it to its first frame.
    bool StopStream(AudioStream* stream);
    // Stops the stream's voice, then closes and deletes it.
    void CloseStream(AudioStream* stream);

    // Channel operations: a channel id names one use of a voice, so an id
    // whose voice has ended or was reused does nothing (false).
    // Volume is 0..255, clamped, linear (255 = unchanged amplitude).
    bool SetVolume(int channel, int volume);
    bool SetPaused(int channel, bool paused);
    bool GetPaused(int channel) const;
    bool IsChannelActive(int channel) const;
    int ActiveVoiceCount() const;
    int VoiceCount() const { return static_cast<int>(voices_.size()); }

    // Tops up every stream's buffer. The decoder thread calls it; tests that
    // render without the thread call it between renders.
    void DecodeAhead();
    void StartDecoderThread();
    void StopDecoderThread();

    // Mixes `frames` stereo frames (interleaved left, right) into `out`,
    // overwriting it. Takes no allocation and only the short voice lock.
    void Render(float* out, int frames);

private:
    struct Voice {
        bool active = false;
        bool paused = false;
        float gain = 1.0f;
        uint32_t generation = 0;
        uint64_t startOrder = 0;
        const AudioSample* sample = nullptr;
        int64_t samplePosition = 0;
        AudioStream* stream = nullptr;
    };

    Voice* FindVoice(int channel);
    const Voice* FindVoice(int channel) const;
    int StartVoice(const AudioSample* sample, AudioStream* stream, bool paused);
    void DetachStream(AudioStream& stream);
    void DecoderLoop();

    std::vector<Voice> voices_;
    uint64_t startCount_ = 0;  // guarded by voiceMutex_
    std::vector<std::unique_ptr<AudioSample>> samples_;
    std::vector<std::unique_ptr<AudioStream>> streams_;
    // Order of locking: decodeMutex_ before voiceMutex_. The device callback
    // takes voiceMutex_ only; the decoder thread takes decodeMutex_ only.
    mutable std::mutex voiceMutex_;
    std::mutex decodeMutex_;
    std::thread decoder_;
    std::mutex decoderWakeMutex_;
    std::condition_variable decoderWake_;
    bool decoderStop_ = false;
};
