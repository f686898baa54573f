// InGameSounds: every sound of a level in play. After a level loads it takes
// the chapter's music and the nineteen sounds of play; each world step turns
// the pair force's counters and the boy's tank counters into samples and
// rain volumes; each frame sets the wind from the boy's speed and the
// camera's height; it starts, fades and pauses the seven streams with the
// in-game state. Handles of -1 (not loaded) are never handed to a stream.
#pragma once

class MorvoLJFunc;
class PowerTank;
class SoundOutput;
struct Chapter;

constexpr int kTurnedPureSampleCount = 3;
constexpr int kThunderSampleCount = 7;
constexpr int kRainStreamCount = 4;

// Sound handles of one level; -1 while not loaded.
struct InGameSoundHandles {
    int music = -1;
    int strongWind = -1;
    int weakWind = -1;
    // "SOUND_NORM_TO_PURE", "SOUND_NORM_TO_PURE2", "SOUND_NORM_TO_PUREB".
    int turnedPure[kTurnedPureSampleCount] = {-1, -1, -1};
    // "SOUND_THUNDER_1" to "SOUND_THUNDER_7".
    int thunder[kThunderSampleCount] = {-1, -1, -1, -1, -1, -1, -1};
    // "SOUND_RAIN_1" to "SOUND_RAIN_4".
    int rain[kRainStreamCount] = {-1, -1, -1, -1};
    int consume = -1;
    int release = -1;
    int levelUp = -1;
};

class InGameSounds {
public:
    static constexpr int kMusicVolume = 128;
    static constexpr int kFullVolume = 255;
    static constexpr float kRainPerStream = 275.0f;  // rain units that fill one stream
    static constexpr float kRainStreamVolume = 128.0f;

    // Plays through the registry until SetOutput names another output.
    InGameSounds();

    void SetOutput(SoundOutput* output);

    // The chapter's music, -1 without one.
    void LoadMusic(const Chapter& chapter);
    // The nineteen sounds of play through the asset loader; one that does
    // not load is a violated precondition.
    void LoadPlaySounds();
    // Gives every handle back; all become -1.
    void Release();

    // Entering the state: music at full level volume, wind and rain playing
    // silent (their stored volumes too).
    void StartStreams();
    // Leaving it: the seven streams pause and keep their positions.
    void PauseStreams();
    void SetMusicVolume(int volume);
    // Fade-out at factor f (1 to 0) of the last volumes; music of 128.
    void FadeOut(float f);

    // The sounds of one world step; clears the counters it reads.
    void PlayStepSounds(MorvoLJFunc& pairForce, PowerTank& tank);
    // speed: the boy's, world units per second; eyeHeight: the camera's eye y.
    void SetWindVolumes(float speed, float eyeHeight);
    void PlayLevelUp();

    InGameSoundHandles& Handles() { return handles_; }
    const InGameSoundHandles& Handles() const { return handles_; }
    float GetStrongWindVolume() const { return strongWindVolume_; }
    float GetWeakWindVolume() const { return weakWindVolume_; }
    float GetRainVolume(int stream) const { return rainVolumes_[stream]; }

private:
    void PlaySample(int handle, int volume);
    void PlayStream(int handle);
    void PauseStream(int handle);
    void SetStreamVolume(int handle, float volume);
    void SetRainVolume(int stream, float volume);
    void PlayTurnedPure(int score);
    void PlayThunder(int lightnings);
    void SetRainFromAmount(float amount);

    SoundOutput* output_;
    InGameSoundHandles handles_;
    float strongWindVolume_ = 0.0f;
    float weakWindVolume_ = 0.0f;
    float rainVolumes_[kRainStreamCount] = {};
};
