// Sample buffers, synthesis blocks and the WAV writer (see audio.h).
#include "audio.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void PutU32(FILE* f, uint32_t v)
{
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, f);
}

void PutU16(FILE* f, uint16_t v)
{
    unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

}  // namespace

bool WriteWav(const std::string& path, const Samples& samples)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "morvo_datagen: cannot write %s\n", path.c_str());
        return false;
    }
    constexpr uint16_t kChannels = 1;
    constexpr uint16_t kBits = 16;
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    PutU32(f, 36 + dataBytes);
    std::fwrite("WAVE", 1, 4, f);
    std::fwrite("fmt ", 1, 4, f);
    PutU32(f, 16);
    PutU16(f, 1);  // PCM
    PutU16(f, kChannels);
    PutU32(f, kSampleRate);
    PutU32(f, kSampleRate * kChannels * kBits / 8);
    PutU16(f, kChannels * kBits / 8);
    PutU16(f, kBits);
    std::fwrite("data", 1, 4, f);
    PutU32(f, dataBytes);
    std::vector<unsigned char> bytes(dataBytes);
    for (size_t i = 0; i < samples.size(); ++i) {
        double v = std::clamp(static_cast<double>(samples[i]), -1.0, 1.0);
        int16_t s = static_cast<int16_t>(std::lround(v * 32767.0));
        bytes[i * 2] = static_cast<unsigned char>(s & 0xFF);
        bytes[i * 2 + 1] = static_cast<unsigned char>((s >> 8) & 0xFF);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    bool ok = std::ferror(f) == 0;
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

void Normalize(Samples& s, double peak)
{
    double m = 0.0;
    for (float v : s) {
        m = std::max(m, static_cast<double>(std::fabs(v)));
    }
    if (m <= 0.0) {
        return;
    }
    double g = peak / m;
    for (float& v : s) {
        v = static_cast<float>(v * g);
    }
}

void WrapTail(Samples& s, size_t length)
{
    if (s.size() <= length) {
        s.resize(length, 0.0f);
        return;
    }
    for (size_t i = length; i < s.size(); ++i) {
        s[(i - length) % length] += s[i];
    }
    s.resize(length);
}

void CrossFadeLoop(Samples& s, size_t fade)
{
    if (fade * 2 >= s.size()) {
        return;
    }
    size_t n = s.size();
    for (size_t i = 0; i < fade; ++i) {
        double t = static_cast<double>(i) / fade;
        // The start becomes a blend of the old end and the old start.
        s[i] = static_cast<float>(s[i] * t + s[n - fade + i] * (1.0 - t));
    }
    s.resize(n - fade);
}

void FadeOut(Samples& s, double seconds)
{
    size_t n = std::min(s.size(), static_cast<size_t>(seconds * kSampleRate));
    for (size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / n;  // 0 at the fade's end
        s[s.size() - 1 - i] = static_cast<float>(s[s.size() - 1 - i] * t * t);
    }
}

void MixInto(Samples& dst, const Samples& src, size_t offset, double gain)
{
    if (dst.size() < offset + src.size()) {
        dst.resize(offset + src.size(), 0.0f);
    }
    for (size_t i = 0; i < src.size(); ++i) {
        dst[offset + i] += static_cast<float>(src[i] * gain);
    }
}

LowPass::LowPass(double cutoffHz)
{
    SetCutoff(cutoffHz);
}

void LowPass::SetCutoff(double cutoffHz)
{
    a_ = 1.0 - std::exp(-2.0 * kPi * cutoffHz / kSampleRate);
}

double LowPass::Step(double x)
{
    y_ += a_ * (x - y_);
    return y_;
}

BandPass::BandPass(double centreHz, double q)
    : damp_(1.0 / q)
{
    SetCentre(centreHz);
}

void BandPass::SetCentre(double centreHz)
{
    f_ = 2.0 * std::sin(kPi * std::min(centreHz, kSampleRate / 6.0) / kSampleRate);
}

double BandPass::Step(double x)
{
    double high = x - low_ - damp_ * band_;
    band_ += f_ * high;
    low_ += f_ * band_;
    return band_;
}

WhiteNoise::WhiteNoise(uint64_t seed)
    : state_(seed * 2654435761ull + 0x9E3779B97F4A7C15ull)
{}

double WhiteNoise::Next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

double NoteHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

namespace {

// Adds a decaying sine (attack of `attack` samples) by a rotating phasor,
// which is much cheaper than calling sin and exp per sample.
void AddDecayingSine(Samples& s, double hz, double gain, double decayPerSecond, double attackSeconds)
{
    double w = 2.0 * kPi * hz / kSampleRate;
    double c = std::cos(w);
    double sn = std::sin(w);
    double re = 1.0;
    double im = 0.0;
    double env = gain;
    double fall = std::exp(-decayPerSecond / kSampleRate);
    size_t attack = static_cast<size_t>(attackSeconds * kSampleRate) + 1;
    for (size_t i = 0; i < s.size(); ++i) {
        double a = i < attack ? static_cast<double>(i) / attack : 1.0;
        s[i] += static_cast<float>(env * a * im);
        double nre = re * c - im * sn;
        im = re * sn + im * c;
        re = nre;
        env *= fall;
        if ((i & 1023) == 0) {
            // Keep the phasor on the unit circle.
            double len = std::sqrt(re * re + im * im);
            re /= len;
            im /= len;
        }
    }
}

}  // namespace

Samples Bell(double hz, double seconds, double brightness)
{
    static constexpr double kRatios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    static constexpr double kGains[] = {1.0, 0.5, 0.35, 0.22, 0.12};
    Samples s(static_cast<size_t>(seconds * kSampleRate), 0.0f);
    for (int p = 0; p < 5; ++p) {
        double f = hz * kRatios[p];
        if (f > 16000.0) {
            continue;
        }
        double decay = (2.5 + p * 2.0) / seconds;
        AddDecayingSine(s, f, kGains[p] * (p == 0 ? 1.0 : brightness), decay, 1.0 / 400.0);
    }
    return s;
}

Samples Pluck(double hz, double seconds, double decay)
{
    Samples s(static_cast<size_t>(seconds * kSampleRate), 0.0f);
    for (int h = 1; h <= 6; ++h) {
        double f = hz * h;
        if (f > 15000.0) {
            break;
        }
        AddDecayingSine(s, f, 1.0 / (h * h * 0.7 + 0.3), decay * (1.0 + 0.6 * h), 1.0 / 300.0);
    }
    return s;
}

Samples Pad(double hz, double seconds, double cutoff)
{
    size_t n = static_cast<size_t>((seconds + 1.0) * kSampleRate);
    Samples s(n, 0.0f);
    static constexpr double kDetune[] = {-0.11, 0.0, 0.09};
    for (double d : kDetune) {
        double f = hz * std::pow(2.0, d / 12.0);
        double phase = 0.37 * (d + 1.0);
        LowPass lp(cutoff);
        LowPass lp2(cutoff);
        for (size_t i = 0; i < n; ++i) {
            phase += f / kSampleRate;
            phase -= std::floor(phase);
            double saw = 2.0 * phase - 1.0;
            s[i] += static_cast<float>(lp2.Step(lp.Step(saw)) / 3.0);
        }
    }
    size_t attack = static_cast<size_t>(0.6 * kSampleRate);
    size_t hold = static_cast<size_t>(seconds * kSampleRate);
    for (size_t i = 0; i < n; ++i) {
        double env = i < attack ? static_cast<double>(i) / attack : 1.0;
        if (i > hold) {
            env *= std::max(0.0, 1.0 - static_cast<double>(i - hold) / kSampleRate);
        }
        s[i] = static_cast<float>(s[i] * env);
    }
    return s;
}

void Echo(Samples& s, double delaySeconds, double feedback, double mix)
{
    size_t d = static_cast<size_t>(delaySeconds * kSampleRate);
    if (d == 0) {
        return;
    }
    Samples wet(s.size(), 0.0f);
    for (size_t i = d; i < s.size(); ++i) {
        wet[i] = static_cast<float>((s[i - d] + wet[i - d]) * feedback);
    }
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] += static_cast<float>(wet[i] * mix);
    }
}
