// Every sound of the game, synthesised: wind and rain streams, chimes,
// thunder, the tank's tones, menu blips, and looping music for the menus,
// the chapter intros and the levels. Mono 16-bit PCM at 44.1 kHz.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "audio.h"
#include "datacontext.h"
#include "datarandom.h"
#include "soundbank.h"

namespace {

// Loop ends of the four rain streams (in samples); each file holds at
// least that many samples.
constexpr size_t kRainLoopEnds[4] = {401408, 376830, 208889, 208897};
constexpr double kWindSeconds = 6.0;

size_t Seconds(double s)
{
    return static_cast<size_t>(s * kSampleRate);
}

constexpr double kOneShotFade = 0.04;  // seconds of fade at the end of a one-shot sound
constexpr double kThunderFade = 0.6;

void Save(DataContext& ctx, Samples s, const std::string& asset, const std::string& file, double peak)
{
    Normalize(s, peak);
    ctx.Check(WriteWav(ctx.Dirs().sounds + "/" + file, s), file);
    ctx.AddAsset(asset, "sounds/" + file);
}

// ---- weather ----

Samples Wind(uint64_t seed, double centre, double spread, double gustiness)
{
    size_t n = Seconds(kWindSeconds);
    size_t fade = Seconds(1.0);
    Samples s(n + fade, 0.0f);
    WhiteNoise noise(seed);
    BandPass band(centre, 1.6);
    LowPass body(centre * 0.4);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        // Gusts repeat with the loop so the seam stays smooth.
        double gust = 0.6 + 0.4 * std::sin(2.0 * kPi * t / kWindSeconds * 2.0 + seed) * gustiness +
                      0.2 * std::sin(2.0 * kPi * t / kWindSeconds * 5.0);
        band.SetCentre(centre + spread * std::sin(2.0 * kPi * t / kWindSeconds * 3.0 + 1.0));
        double x = noise.Next();
        s[i] = static_cast<float>((band.Step(x) * 0.8 + body.Step(x) * 0.5) * gust);
    }
    CrossFadeLoop(s, fade);
    return s;
}

Samples Rain(uint64_t seed, size_t loopEnd, double density, double brightness)
{
    size_t fade = Seconds(0.5);
    Samples s(loopEnd + fade, 0.0f);
    WhiteNoise noise(seed);
    LowPass hiss(2500.0 + 3000.0 * brightness);
    LowPass rumble(400.0);
    DataRandom drops(seed + 1);
    for (size_t i = 0; i < s.size(); ++i) {
        double x = noise.Next();
        s[i] = static_cast<float>(hiss.Step(x) * 0.35 + rumble.Step(x) * 0.6);
    }
    // Single drops: short bright ticks.
    size_t count = static_cast<size_t>(density * loopEnd / kSampleRate);
    for (size_t k = 0; k < count; ++k) {
        size_t at = static_cast<size_t>(drops.Unit() * (s.size() - 600));
        double hz = drops.Range(1800.0, 5200.0);
        double gain = drops.Range(0.05, 0.3);
        for (size_t i = 0; i < 500; ++i) {
            double t = static_cast<double>(i) / kSampleRate;
            s[at + i] +=
                static_cast<float>(gain * std::exp(-t * 900.0) * std::sin(2.0 * kPi * hz * t * (1.0 - t * 40.0)));
        }
    }
    CrossFadeLoop(s, fade);
    s.push_back(s.front());  // one sample past the loop end
    return s;
}

Samples Thunder(uint64_t seed)
{
    DataRandom rng(seed);
    double seconds = rng.Range(2.2, 3.8);
    size_t n = Seconds(seconds);
    Samples s(n, 0.0f);
    WhiteNoise noise(seed * 31);
    LowPass low(rng.Range(120.0, 260.0));
    LowPass crackFilter(3000.0);
    double crack = rng.Range(0.2, 1.0);
    // A few rolls of the rumble at random times.
    double rolls[4];
    for (double& r : rolls) {
        r = rng.Range(0.0, seconds * 0.6);
    }
    for (size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double x = noise.Next();
        double env = std::min(1.0, t * 30.0) * std::exp(-t * 1.4 / seconds * 2.0);
        double roll = 0.0;
        for (double r : rolls) {
            roll += std::exp(-std::pow((t - r) / 0.25, 2.0));
        }
        double rumble = low.Step(x) * 3.0 * env * (0.6 + roll);
        double snap = crackFilter.Step(x) * crack * std::exp(-t * 12.0);
        s[i] = static_cast<float>(rumble + snap);
    }
    FadeOut(s, kThunderFade);
    return s;
}

// ---- tones ----

Samples Sweep(double f0, double f1, double seconds, double vibrato)
{
    size_t n = Seconds(seconds);
    Samples s(n, 0.0f);
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / n;
        double f = f0 * std::pow(f1 / f0, t) * (1.0 + vibrato * std::sin(2.0 * kPi * 18.0 * t * seconds));
        phase += f / kSampleRate;
        double env = std::sin(kPi * t) * (1.0 - t * 0.3);
        s[i] = static_cast<float>(env * (std::sin(2.0 * kPi * phase) + 0.3 * std::sin(4.0 * kPi * phase)));
    }
    FadeOut(s, kOneShotFade);
    return s;
}

Samples Arpeggio(const std::vector<double>& notes, double step, double ring, double brightness)
{
    Samples s;
    for (size_t i = 0; i < notes.size(); ++i) {
        MixInto(s, Bell(NoteHz(notes[i]), ring, brightness), Seconds(step * i), 1.0);
    }
    FadeOut(s, kOneShotFade);
    return s;
}

Samples Blip(double hz, double seconds)
{
    size_t n = Seconds(seconds);
    Samples s(n, 0.0f);
    for (size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        s[i] = static_cast<float>(std::exp(-t * 45.0) * std::min(1.0, t * 2000.0) * std::sin(2.0 * kPi * hz * t));
    }
    FadeOut(s, kOneShotFade);
    return s;
}

// ---- music ----

struct MusicSpec {
    int root;  // MIDI note of the key
    double bpm;
    std::vector<int> chords;  // per bar: semitones above the root, +100 for minor
    uint64_t seed;
    double warmth;  // pad brightness
    bool melody;
};

std::vector<int> Triad(int base)
{
    bool minor = base >= 100;
    int r = base % 100;
    return {r, r + (minor ? 3 : 4), r + 7};
}

Samples Music(const MusicSpec& m)
{
    double beat = 60.0 / m.bpm;
    size_t bars = m.chords.size();
    size_t length = Seconds(beat * 4.0 * bars);
    Samples s;
    DataRandom rng(m.seed);
    std::map<int, Samples> pads;  // chords repeat: each pad note is made once
    for (size_t b = 0; b < bars; ++b) {
        std::vector<int> chord = Triad(m.chords[b]);
        size_t barStart = Seconds(beat * 4.0 * b);
        for (int note : chord) {
            auto found = pads.find(note);
            if (found == pads.end()) {
                found = pads.emplace(note, Pad(NoteHz(m.root - 12 + note), beat * 4.0, 700.0 + 900.0 * m.warmth)).first;
            }
            MixInto(s, found->second, barStart, 0.22);
        }
        for (int k = 0; k < 2; ++k) {
            MixInto(s, Pluck(NoteHz(m.root - 24 + chord[0]), beat * 2.0, 2.5), barStart + Seconds(beat * 2.0 * k), 0.5);
        }
        static constexpr int kPattern[8] = {0, 1, 2, 1, 3, 2, 1, 2};
        for (int e = 0; e < 8; ++e) {
            int idx = kPattern[e];
            int note = idx == 3 ? chord[0] + 12 : chord[idx];
            MixInto(s, Pluck(NoteHz(m.root + 12 + note), beat * 1.5, 5.0), barStart + Seconds(beat * 0.5 * e),
                    0.13 + 0.03 * (e % 2 == 0));
        }
        if (m.melody) {
            for (int q = 0; q < 4; ++q) {
                if (rng.Unit() < 0.55) {
                    int note = chord[rng.Int(0, 2)] + (rng.Unit() < 0.3 ? 12 : 0);
                    MixInto(s, Bell(NoteHz(m.root + 24 + note), beat * 2.5, 0.35), barStart + Seconds(beat * q), 0.12);
                }
            }
        }
    }
    Echo(s, beat * 0.75, 0.35, 0.4);
    WrapTail(s, length);
    return s;
}

// Music of the menus, intros and levels, by asset name or file.
struct Track {
    const char* asset;  // menu music asset, or null for chapter music
    const char* file;
    MusicSpec spec;
};

std::vector<Track> Tracks()
{
    return {
        {"MSA_BGMUSIC", "titletheme.wav", {62, 92, {0, 109, 5, 7}, 1, 0.6, true}},
        {"MSDR_BGMUSIC", "dreamselect.wav", {57, 100, {0, 5, 102, 7}, 2, 0.5, true}},
        {"MEMS_BGMUSIC", "endingtheme.wav", {57, 76, {100, 105, 103, 7}, 3, 0.3, true}},
        {"MSLS_BGMUSIC", "pausetheme.wav", {60, 84, {0, 105, 5, 7}, 4, 0.4, false}},
        {"MSEX_BGMUSIC", "extrastheme.wav", {64, 104, {0, 7, 109, 5}, 5, 0.7, true}},
        {nullptr, kMusicIntroCalm, {60, 80, {0, 5, 109, 7}, 6, 0.35, true}},
        {nullptr, kMusicIntroDark, {57, 72, {100, 105, 8, 7}, 7, 0.25, true}},
        {nullptr, kMusicLevelLight, {62, 96, {0, 7, 109, 5, 0, 7, 5, 7}, 8, 0.55, true}},
        {nullptr, kMusicLevelDark, {57, 88, {100, 8, 3, 10, 100, 105, 8, 7}, 9, 0.35, true}},
        {nullptr, kMusicLevelEmber, {55, 100, {100, 103, 105, 7, 100, 8, 10, 7}, 10, 0.45, true}},
        {nullptr, kMusicLevelOpen, {65, 92, {0, 109, 5, 7, 0, 4, 5, 7}, 11, 0.65, true}},
    };
}

}  // namespace

void GenerateSounds(DataContext& ctx)
{
    Save(ctx, Wind(1, 1500.0, 700.0, 1.0), "MIG_STRONGWIND", "windstrong.wav", 0.7);
    Save(ctx, Wind(2, 450.0, 200.0, 0.5), "MIG_WEAKWIND", "windweak.wav", 0.55);
    Save(ctx, Arpeggio({88, 95}, 0.07, 0.9, 0.5), "SOUND_NORM_TO_PURE", "purechime.wav", 0.6);
    Save(ctx, Arpeggio({91, 98}, 0.07, 0.9, 0.5), "SOUND_NORM_TO_PURE2", "purechimeb.wav", 0.6);
    Save(ctx, Arpeggio({76, 83, 88, 91, 95}, 0.06, 1.6, 0.6), "SOUND_NORM_TO_PUREB", "purechord.wav", 0.75);
    for (int i = 1; i <= 7; ++i) {
        Save(ctx, Thunder(100 + i), "SOUND_THUNDER_" + std::to_string(i), "thunder" + std::to_string(i) + ".wav", 0.9);
    }
    static constexpr double kRainDensity[4] = {40.0, 70.0, 110.0, 160.0};
    for (int i = 0; i < 4; ++i) {
        Save(ctx, Rain(200 + i, kRainLoopEnds[i], kRainDensity[i], 0.3 + 0.2 * i),
             "SOUND_RAIN_" + std::to_string(i + 1), "rain" + std::to_string(i + 1) + ".wav", 0.55 + 0.05 * i);
    }
    Save(ctx, Sweep(320.0, 980.0, 0.35, 0.03), "SOUND_CONSUME", "consume.wav", 0.6);
    Save(ctx, Arpeggio({96, 91, 88, 84}, 0.05, 0.6, 0.7), "SOUND_RELEASE", "release.wav", 0.6);
    Save(ctx, Arpeggio({72, 76, 79, 84, 88, 91, 96}, 0.09, 1.4, 0.5), "SOUND_LEVELUP", "levelup.wav", 0.8);
    Save(ctx, Blip(1250.0, 0.08), "MGEN_BUTTONOVER", "buttonover.wav", 0.45);
    Samples down = Blip(660.0, 0.09);
    MixInto(down, Blip(990.0, 0.12), Seconds(0.06), 1.0);
    Save(ctx, down, "MGEN_BUTTONDOWN", "buttondown.wav", 0.55);
    for (const Track& t : Tracks()) {
        Samples s = Music(t.spec);
        Normalize(s, 0.7);
        if (t.asset != nullptr) {
            ctx.Check(WriteWav(ctx.Dirs().sounds + "/" + t.file, s), t.file);
            ctx.AddAsset(t.asset, std::string("sounds/") + t.file);
        } else {
            ctx.Check(WriteWav(ctx.Dirs().music + "/" + t.file, s), t.file);
        }
    }
}

size_t MusicLength(const std::string& file)
{
    for (const Track& t : Tracks()) {
        if (file == t.file) {
            return Seconds(60.0 / t.spec.bpm * 4.0 * t.spec.chords.size());
        }
    }
    return 0;
}
