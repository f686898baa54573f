// The software mixer: libsndfile decodes, everything is converted to 44100 Hz
// stereo float (linear interpolation for other rates), and Render adds the
// active voices together. Streams keep a ring of decoded frames in play order
// (loop wraps already applied) that the decoder thread keeps topped up.
#include "audiomixer.h"

#include "debugoutput.h"
#include "filepath.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kRingFrames = 16384;              // about 0.37 s of a stream
constexpr int kRefillFrames = kRingFrames / 4;  // decoder tops up in batches
constexpr int kDecodeChunkFrames = 1024;
constexpr auto kDecoderPeriod = std::chrono::milliseconds(5);
constexpr int kSlotBits = 5;  // channel id = generation << 5 | slot
constexpr int kSlotMask = (1 << kSlotBits) - 1;
constexpr uint32_t kGenerationLimit = 1u << 25;  // keeps ids positive
constexpr int kSampleReadFrames = 16384;
// Files outside this rate range are refused. Its top also bounds the work of
// one stream fill: at most 384000 / 44100 (under 9) file frames are read for
// each frame put into the ring.
constexpr int kMinFileRate = 1000;
constexpr int kMaxFileRate = 384000;
constexpr int64_t kMaxSampleBytes = int64_t{512} << 20;  // a sample decoded at the mix rate

static_assert(kMixMaxVoiceCount <= (1 << kSlotBits), "slot must fit its bits");

// Left and right from a frame of any channel count (mono goes to both sides,
// channels past the second are dropped).
void ToStereo(const float* in, int channels, float* out, int64_t frames)
{
    for (int64_t i = 0; i < frames; ++i) {
        const float* frame = in + i * channels;
        out[i * 2] = frame[0];
        out[i * 2 + 1] = channels > 1 ? frame[1] : frame[0];
    }
}

std::vector<float> ResampleWhole(const std::vector<float>& in, int64_t frames, int rate)
{
    if (rate == kMixRate || frames == 0)
        return in;
    const double step = static_cast<double>(rate) / kMixRate;
    const int64_t outFrames = static_cast<int64_t>(std::floor((frames - 1) / step)) + 1;
    std::vector<float> out(static_cast<size_t>(outFrames) * 2);
    for (int64_t j = 0; j < outFrames; ++j) {
        const double position = j * step;
        const int64_t i = std::min(static_cast<int64_t>(position), frames - 1);
        const int64_t i1 = std::min(i + 1, frames - 1);
        const float f = static_cast<float>(position - i);
        for (int c = 0; c < 2; ++c) {
            const float a = in[i * 2 + c];
            const float b = in[i1 * 2 + c];
            out[j * 2 + c] = a + (b - a) * f;
        }
    }
    return out;
}

void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

void LogLine(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    PlatformDebugOutput(text);
}

// Bytes of a sample of this many file frames once decoded at the mix rate.
int64_t DecodedBytes(int64_t frames, int rate)
{
    return (frames * kMixRate / rate + 1) * kMixChannels * static_cast<int64_t>(sizeof(float));
}

// Opens a sound file for reading; null (and closed) when it cannot be read,
// has no channels or a sample rate outside kMinFileRate to kMaxFileRate.
// Each refusal is one log line naming the file and why.
SNDFILE* OpenSoundFile(const std::string& path, SF_INFO& info)
{
    const int fd = OpenFileDescriptor(path);
    if (fd < 0) {
        LogLine("Sound file %s: %s; not loaded.\n", path.c_str(), std::strerror(errno));
        return nullptr;
    }
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
    if (!file) {
        std::string reason = sf_strerror(nullptr);
        if (!reason.empty() && reason.back() == '.')
            reason.pop_back();
        LogLine("Sound file %s: %s; not loaded.\n", path.c_str(), reason.c_str());
        return nullptr;
    }
    if (info.channels < 1 || info.samplerate < kMinFileRate || info.samplerate > kMaxFileRate) {
        if (info.channels < 1)
            LogLine("Sound file %s: it has no channels; not loaded.\n", path.c_str());
        else
            LogLine("Sound file %s: a sample rate of %d Hz is outside %d to %d Hz; not loaded.\n", path.c_str(),
                    info.samplerate, kMinFileRate, kMaxFileRate);
        sf_close(file);
        return nullptr;
    }
    return file;
}

}  // namespace

struct AudioSample {
    std::vector<float> data;  // stereo frames at kMixRate
    int64_t frames = 0;
};

struct AudioStream {
    ~AudioStream()
    {
        if (file)
            sf_close(file);
    }

    SNDFILE* file = nullptr;
    int fileChannels = 1;
    int fileRate = kMixRate;
    int64_t fileFrames = 0;
    int64_t loopStart = 0;
    int64_t loopEnd = 0;  // last frame of the loop, included
    int64_t sourcePosition = 0;
    bool failed = false;

    std::vector<float> fileBuffer;  // one chunk in the file's channel layout
    std::vector<float> chunk;       // the same chunk in stereo
    int chunkCount = 0;
    int chunkIndex = 0;

    double step = 1.0;  // source frames per output frame
    double phase = 0.0;
    float current[2] = {0.0f, 0.0f};
    float next[2] = {0.0f, 0.0f};
    bool primed = false;

    std::vector<float> ring;  // kRingFrames stereo frames
    std::atomic<uint64_t> written{0};
    std::atomic<uint64_t> consumed{0};
    int voiceSlot = -1;  // written under both locks, read under either
};

namespace {

bool SeekSource(AudioStream& s, int64_t frame)
{
    if (sf_seek(s.file, frame, SEEK_SET) < 0) {
        s.failed = true;
        return false;
    }
    s.sourcePosition = frame;
    return true;
}

// Reads the next chunk in play order; wraps to the loop start after the loop
// end, or early when the file ends before it. 0 when the file cannot be read.
int ReadSourceChunk(AudioStream& s)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (s.sourcePosition > s.loopEnd && !SeekSource(s, s.loopStart))
            return 0;
        const int64_t want = std::min<int64_t>(kDecodeChunkFrames, s.loopEnd - s.sourcePosition + 1);
        const sf_count_t got = sf_readf_float(s.file, s.fileBuffer.data(), want);
        if (got > 0) {
            ToStereo(s.fileBuffer.data(), s.fileChannels, s.chunk.data(), got);
            s.sourcePosition += got;
            return static_cast<int>(got);
        }
        if (!SeekSource(s, s.loopStart))
            return 0;
    }
    s.failed = true;
    return 0;
}

bool NextSourceFrame(AudioStream& s, float* frame)
{
    if (s.chunkIndex == s.chunkCount) {
        s.chunkCount = ReadSourceChunk(s);
        s.chunkIndex = 0;
        if (s.chunkCount == 0)
            return false;
    }
    frame[0] = s.chunk[s.chunkIndex * 2];
    frame[1] = s.chunk[s.chunkIndex * 2 + 1];
    ++s.chunkIndex;
    return true;
}

bool NextOutputFrame(AudioStream& s, float* frame)
{
    if (s.failed)
        return false;
    if (s.step == 1.0)
        return NextSourceFrame(s, frame);
    if (!s.primed) {
        if (!NextSourceFrame(s, s.current) || !NextSourceFrame(s, s.next))
            return false;
        s.phase = 0.0;
        s.primed = true;
    }
    const float f = static_cast<float>(s.phase);
    frame[0] = s.current[0] + (s.next[0] - s.current[0]) * f;
    frame[1] = s.current[1] + (s.next[1] - s.current[1]) * f;
    s.phase += s.step;
    while (s.phase >= 1.0 && !s.failed) {
        s.phase -= 1.0;
        s.current[0] = s.next[0];
        s.current[1] = s.next[1];
        NextSourceFrame(s, s.next);
    }
    return true;
}

// Decodes into the ring while it has room, but only when at least
// `minimumSpace` frames are free (so the decoder works in batches).
void FillRing(AudioStream& s, int64_t minimumSpace)
{
    const uint64_t w = s.written.load(std::memory_order_relaxed);
    const uint64_t c = s.consumed.load(std::memory_order_acquire);
    const int64_t space = kRingFrames - static_cast<int64_t>(w - c);
    if (space <= 0 || space < minimumSpace || s.failed)
        return;
    int64_t made = 0;
    while (made < space) {
        float* slot = &s.ring[((w + made) % kRingFrames) * 2];
        if (!NextOutputFrame(s, slot))
            break;
        ++made;
    }
    s.written.store(w + made, std::memory_order_release);
}

void Rewind(AudioStream& s)
{
    s.failed = false;
    SeekSource(s, 0);
    s.chunkCount = 0;
    s.chunkIndex = 0;
    s.phase = 0.0;
    s.primed = false;
    s.written.store(0, std::memory_order_relaxed);
    s.consumed.store(0, std::memory_order_relaxed);
}

}  // namespace

AudioMixer::AudioMixer(int voiceCount)
    : voices_(static_cast<size_t>(std::clamp(voiceCount, 1, kMixMaxVoiceCount)))
{}

AudioMixer::~AudioMixer()
{
    StopDecoderThread();
    std::lock_guard<std::mutex> decodeLock(decodeMutex_);
    std::lock_guard<std::mutex> voiceLock(voiceMutex_);
    for (Voice& voice : voices_)
        voice = Voice();
    streams_.clear();
    samples_.clear();
}

AudioSample* AudioMixer::LoadSample(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = OpenSoundFile(path, info);
    if (!file)
        return nullptr;
    std::vector<float> raw;
    std::vector<float> buffer(static_cast<size_t>(kSampleReadFrames) * info.channels);
    int64_t frames = 0;
    for (;;) {
        // The header's frame count is checked first; the frames really read as well.
        if (DecodedBytes(std::max<int64_t>(info.frames, frames + kSampleReadFrames), info.samplerate) >
            kMaxSampleBytes) {
            LogLine("Sound file %s: decoded it would take more than %lld MB; not loaded.\n", path.c_str(),
                    static_cast<long long>(kMaxSampleBytes >> 20));
            sf_close(file);
            return nullptr;
        }
        const sf_count_t got = sf_readf_float(file, buffer.data(), kSampleReadFrames);
        if (got <= 0)
            break;
        raw.resize(static_cast<size_t>(frames + got) * 2);
        ToStereo(buffer.data(), info.channels, raw.data() + frames * 2, got);
        frames += got;
    }
    sf_close(file);

    auto sample = std::make_unique<AudioSample>();
    sample->data = ResampleWhole(raw, frames, info.samplerate);
    sample->frames = static_cast<int64_t>(sample->data.size() / 2);
    samples_.push_back(std::move(sample));
    return samples_.back().get();
}

void AudioMixer::FreeSample(AudioSample* sample)
{
    if (!sample)
        return;
    {
        std::lock_guard<std::mutex> lock(voiceMutex_);
        for (Voice& voice : voices_) {
            if (voice.active && voice.sample == sample)
                voice.active = false;
        }
    }
    auto it = std::find_if(samples_.begin(), samples_.end(),
                           [sample](const std::unique_ptr<AudioSample>& s) { return s.get() == sample; });
    if (it != samples_.end())
        samples_.erase(it);
}

int AudioMixer::PlaySample(AudioSample* sample, bool paused)
{
    if (!sample)
        return -1;
    std::lock_guard<std::mutex> lock(voiceMutex_);
    return StartVoice(sample, nullptr, paused);
}

AudioStream* AudioMixer::OpenStream(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = OpenSoundFile(path, info);
    if (!file)
        return nullptr;
    // A stream must be able to seek back to its loop start.
    if (info.frames < 1 || !info.seekable) {
        sf_close(file);
        return nullptr;
    }
    auto stream = std::make_unique<AudioStream>();
    stream->file = file;
    stream->fileChannels = info.channels;
    stream->fileRate = info.samplerate;
    stream->fileFrames = info.frames;
    stream->loopStart = 0;
    stream->loopEnd = info.frames - 1;
    stream->fileBuffer.resize(static_cast<size_t>(kDecodeChunkFrames) * info.channels);
    stream->chunk.resize(static_cast<size_t>(kDecodeChunkFrames) * 2);
    stream->step = static_cast<double>(info.samplerate) / kMixRate;
    stream->ring.resize(static_cast<size_t>(kRingFrames) * 2);

    std::lock_guard<std::mutex> lock(decodeMutex_);
    streams_.push_back(std::move(stream));
    return streams_.back().get();
}

bool AudioMixer::SetStreamLoopPoints(AudioStream* stream, int64_t loopStart, int64_t loopEnd)
{
    if (!stream)
        return false;
    std::lock_guard<std::mutex> lock(decodeMutex_);
    const int64_t last = stream->fileFrames - 1;
    const int64_t start = std::max<int64_t>(loopStart, 0);
    const int64_t end = (loopEnd < 0 || loopEnd > last) ? last : loopEnd;
    if (start > end)
        return false;
    stream->loopStart = start;
    stream->loopEnd = end;
    // Frames decoded ahead under the old loop are dropped unless they play.
    if (stream->voiceSlot < 0)
        Rewind(*stream);
    return true;
}

int AudioMixer::PlayStream(AudioStream* stream, bool paused)
{
    if (!stream)
        return -1;
    std::lock_guard<std::mutex> decodeLock(decodeMutex_);
    if (stream->voiceSlot >= 0) {
        DetachStream(*stream);
        Rewind(*stream);
    }
    FillRing(*stream, 1);
    std::lock_guard<std::mutex> voiceLock(voiceMutex_);
    const int channel = StartVoice(nullptr, stream, paused);
    if (channel >= 0)
        stream->voiceSlot = channel & kSlotMask;
    return channel;
}

bool AudioMixer::StopStream(AudioStream* stream)
{
    if (!stream)
        return false;
    std::lock_guard<std::mutex> lock(decodeMutex_);
    DetachStream(*stream);
    Rewind(*stream);
    return true;
}

void AudioMixer::CloseStream(AudioStream* stream)
{
    if (!stream)
        return;
    std::lock_guard<std::mutex> lock(decodeMutex_);
    DetachStream(*stream);
    auto it = std::find_if(streams_.begin(), streams_.end(),
                           [stream](const std::unique_ptr<AudioStream>& s) { return s.get() == stream; });
    if (it != streams_.end())
        streams_.erase(it);
}

bool AudioMixer::SetVolume(int channel, int volume)
{
    std::lock_guard<std::mutex> lock(voiceMutex_);
    Voice* voice = FindVoice(channel);
    if (!voice)
        return false;
    voice->gain = static_cast<float>(std::clamp(volume, 0, kMixMaxVolume)) / kMixMaxVolume;
    return true;
}

bool AudioMixer::SetPaused(int channel, bool paused)
{
    std::lock_guard<std::mutex> lock(voiceMutex_);
    Voice* voice = FindVoice(channel);
    if (!voice)
        return false;
    voice->paused = paused;
    return true;
}

bool AudioMixer::GetPaused(int channel) const
{
    std::lock_guard<std::mutex> lock(voiceMutex_);
    const Voice* voice = FindVoice(channel);
    return voice && voice->paused;
}

bool AudioMixer::IsChannelActive(int channel) const
{
    std::lock_guard<std::mutex> lock(voiceMutex_);
    return FindVoice(channel) != nullptr;
}

int AudioMixer::ActiveVoiceCount() const
{
    std::lock_guard<std::mutex> lock(voiceMutex_);
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.active; }));
}

void AudioMixer::DecodeAhead()
{
    std::lock_guard<std::mutex> lock(decodeMutex_);
    for (const std::unique_ptr<AudioStream>& stream : streams_)
        FillRing(*stream, kRefillFrames);
}

void AudioMixer::StartDecoderThread()
{
    if (decoder_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(decoderWakeMutex_);
        decoderStop_ = false;
    }
    decoder_ = std::thread(&AudioMixer::DecoderLoop, this);
}

void AudioMixer::StopDecoderThread()
{
    if (!decoder_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(decoderWakeMutex_);
        decoderStop_ = true;
    }
    decoderWake_.notify_all();
    decoder_.join();
}

void AudioMixer::Render(float* out, int frames)
{
    if (!out || frames <= 0)
        return;
    std::fill(out, out + static_cast<size_t>(frames) * kMixChannels, 0.0f);
    std::lock_guard<std::mutex> lock(voiceMutex_);
    for (Voice& voice : voices_) {
        if (!voice.active || voice.paused)
            continue;
        const float gain = voice.gain;
        if (voice.sample) {
            const AudioSample& sample = *voice.sample;
            const int64_t n = std::min<int64_t>(frames, sample.frames - voice.samplePosition);
            const float* source = sample.data.data() + voice.samplePosition * 2;
            for (int64_t i = 0; i < n * 2; ++i)
                out[i] += source[i] * gain;
            voice.samplePosition += std::max<int64_t>(n, 0);
            if (voice.samplePosition >= sample.frames)
                voice.active = false;
        } else if (voice.stream) {
            AudioStream& stream = *voice.stream;
            const uint64_t c = stream.consumed.load(std::memory_order_relaxed);
            const uint64_t w = stream.written.load(std::memory_order_acquire);
            const int64_t n = std::min<int64_t>(frames, static_cast<int64_t>(w - c));
            for (int64_t i = 0; i < n; ++i) {
                const float* frame = &stream.ring[((c + i) % kRingFrames) * 2];
                out[i * 2] += frame[0] * gain;
                out[i * 2 + 1] += frame[1] * gain;
            }
            stream.consumed.store(c + n, std::memory_order_release);
        }
    }
    for (int i = 0; i < frames * kMixChannels; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

AudioMixer::Voice* AudioMixer::FindVoice(int channel)
{
    return const_cast<Voice*>(static_cast<const AudioMixer*>(this)->FindVoice(channel));
}

const AudioMixer::Voice* AudioMixer::FindVoice(int channel) const
{
    if (channel < 0)
        return nullptr;
    const size_t slot = static_cast<size_t>(channel & kSlotMask);
    const uint32_t generation = static_cast<uint32_t>(channel) >> kSlotBits;
    if (slot >= voices_.size())
        return nullptr;
    const Voice& voice = voices_[slot];
    return (voice.active && voice.generation == generation) ? &voice : nullptr;
}

int AudioMixer::StartVoice(const AudioSample* sample, AudioStream* stream, bool paused)
{
    // A free voice, else the one-shot sample voice started longest ago;
    // stream voices are never taken over.
    size_t chosen = voices_.size();
    for (size_t slot = 0; slot < voices_.size(); ++slot) {
        const Voice& voice = voices_[slot];
        if (!voice.active) {
            chosen = slot;
            break;
        }
        if (voice.sample && (chosen == voices_.size() || voice.startOrder < voices_[chosen].startOrder))
            chosen = slot;
    }
    if (chosen == voices_.size())
        return -1;
    Voice& voice = voices_[chosen];
    const uint32_t generation = voice.generation % (kGenerationLimit - 1) + 1;
    voice = Voice();
    voice.active = true;
    voice.paused = paused;
    voice.generation = generation;
    voice.startOrder = ++startCount_;
    voice.sample = sample;
    voice.stream = stream;
    return static_cast<int>((generation << kSlotBits) | chosen);
}

void AudioMixer::DetachStream(AudioStream& stream)
{
    std::lock_guard<std::mutex> lock(voiceMutex_);
    if (stream.voiceSlot >= 0) {
        Voice& voice = voices_[static_cast<size_t>(stream.voiceSlot)];
        voice.active = false;
        voice.stream = nullptr;
        stream.voiceSlot = -1;
    }
}

void AudioMixer::DecoderLoop()
{
    std::unique_lock<std::mutex> lock(decoderWakeMutex_);
    while (!decoderStop_) {
        lock.unlock();
        DecodeAhead();
        lock.lock();
        decoderWake_.wait_for(lock, kDecoderPeriod, [this] { return decoderStop_; });
    }
}
