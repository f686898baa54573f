// The in-game sound rules; see ingamesounds.h.
#include "ingamesounds.h"

#include "assetloader.h"
#include "gameplan.h"
#include "morvoljfunc.h"
#include "powertank.h"
#include "random15.h"
#include "soundoutput.h"
#include "soundregistry.h"

namespace {

constexpr int kBigConversion = 5;  // a score of this or more plays the big chime
constexpr int kChimeBaseVolume = 155;
constexpr int kChimeVolumeSpread = 100;
constexpr float kWindTopSpeed = 160.0f;
constexpr float kWindCeiling = 200.0f;  // camera height at which the wind falls silent

constexpr const char* kStrongWind = "MIG_STRONGWIND";
constexpr const char* kWeakWind = "MIG_WEAKWIND";
constexpr const char* kTurnedPureNames[kTurnedPureSampleCount] = {
    "SOUND_NORM_TO_PURE",   // a score of 1 to 4, half the time
    "SOUND_NORM_TO_PURE2",  // a score of 1 to 4, the other half
    "SOUND_NORM_TO_PUREB",  // a score of 5 or more
};
constexpr int kBigChime = 2;
constexpr const char* kThunderNames[kThunderSampleCount] = {
    "SOUND_THUNDER_1", "SOUND_THUNDER_2", "SOUND_THUNDER_3", "SOUND_THUNDER_4",
    "SOUND_THUNDER_5", "SOUND_THUNDER_6", "SOUND_THUNDER_7",
};

struct RainStreamAsset {
    const char* name;
    int loopStart;
    int loopEnd;
};
constexpr RainStreamAsset kRainStreams[kRainStreamCount] = {
    {"SOUND_RAIN_1", 0, 401408},
    {"SOUND_RAIN_2", 0, 376830},
    {"SOUND_RAIN_3", 0, 208889},
    {"SOUND_RAIN_4", 0, 208897},
};
constexpr const char* kConsume = "SOUND_CONSUME";
constexpr const char* kRelease = "SOUND_RELEASE";
constexpr const char* kLevelUp = "SOUND_LEVELUP";

// A sound that does not load keeps the handle -1 (the mixer has named the
// file and why); the level goes on without it.
void LoadSample(const char* name, int& handle)
{
    AssetLoader::LoadSample(name, handle);
}

void LoadStream(const char* name, int& handle)
{
    AssetLoader::LoadStream(name, handle);
}

// A handle that never loaded (-1) has nothing to give back.
void ReleaseSample(int& handle)
{
    if (handle >= 0) {
        AssetLoader::ReleaseSample(handle);
    }
}

void ReleaseStream(int& handle)
{
    if (handle >= 0) {
        AssetLoader::ReleaseStream(handle);
    }
}

}  // namespace

InGameSounds::InGameSounds()
    : output_(&RegistrySoundOutput())
{}

void InGameSounds::SetOutput(SoundOutput* output)
{
    output_ = output != nullptr ? output : &RegistrySoundOutput();
}

void InGameSounds::LoadMusic(const Chapter& chapter)
{
    SoundRegistry* registry = SoundRegistry::GetInstance();
    if (!chapter.HasLevelMusic()) {
        handles_.music = -1;
    } else if (chapter.HasLoopPoints()) {
        handles_.music = registry->LoadStream(chapter.GetLevelMusic(), chapter.GetLoopStart(), chapter.GetLoopEnd());
    } else {
        handles_.music = registry->LoadStreamNoLoopPoints(chapter.GetLevelMusic());
    }
}

void InGameSounds::LoadPlaySounds()
{
    LoadStream(kStrongWind, handles_.strongWind);
    LoadStream(kWeakWind, handles_.weakWind);
    for (int i = 0; i < kTurnedPureSampleCount; ++i) {
        LoadSample(kTurnedPureNames[i], handles_.turnedPure[i]);
    }
    for (int i = 0; i < kThunderSampleCount; ++i) {
        LoadSample(kThunderNames[i], handles_.thunder[i]);
    }
    for (int i = 0; i < kRainStreamCount; ++i) {
        const RainStreamAsset& rain = kRainStreams[i];
        AssetLoader::LoadStreamWithLoopPoints(rain.name, rain.loopStart, rain.loopEnd, handles_.rain[i]);
    }
    LoadSample(kConsume, handles_.consume);
    LoadSample(kRelease, handles_.release);
    LoadSample(kLevelUp, handles_.levelUp);
}

void InGameSounds::Release()
{
    ReleaseStream(handles_.music);
    ReleaseStream(handles_.strongWind);
    ReleaseStream(handles_.weakWind);
    for (int& handle : handles_.turnedPure) {
        ReleaseSample(handle);
    }
    for (int& handle : handles_.thunder) {
        ReleaseSample(handle);
    }
    for (int& handle : handles_.rain) {
        ReleaseStream(handle);
    }
    ReleaseSample(handles_.consume);
    ReleaseSample(handles_.release);
    ReleaseSample(handles_.levelUp);
}

void InGameSounds::StartStreams()
{
    // The fade-out reads these: what played before the last exit is silent now.
    strongWindVolume_ = 0.0f;
    weakWindVolume_ = 0.0f;
    for (float& volume : rainVolumes_) {
        volume = 0.0f;
    }
    PlayStream(handles_.music);
    SetStreamVolume(handles_.music, kMusicVolume);
    const int silent[] = {handles_.strongWind, handles_.weakWind, handles_.rain[0],
                          handles_.rain[1],    handles_.rain[2],  handles_.rain[3]};
    for (int handle : silent) {
        PlayStream(handle);
        SetStreamVolume(handle, 0.0f);
    }
}

void InGameSounds::PauseStreams()
{
    const int streams[] = {handles_.strongWind, handles_.weakWind, handles_.music,  handles_.rain[0],
                           handles_.rain[1],    handles_.rain[2],  handles_.rain[3]};
    for (int handle : streams) {
        PauseStream(handle);
    }
}

void InGameSounds::SetMusicVolume(int volume)
{
    SetStreamVolume(handles_.music, static_cast<float>(volume));
}

void InGameSounds::FadeOut(float f)
{
    SetStreamVolume(handles_.music, kMusicVolume * f);
    SetStreamVolume(handles_.strongWind, strongWindVolume_ * f);
    SetStreamVolume(handles_.weakWind, weakWindVolume_ * f);
    for (int i = 0; i < kRainStreamCount; ++i) {
        SetStreamVolume(handles_.rain[i], rainVolumes_[i] * f);
    }
}

void InGameSounds::PlayStepSounds(MorvoLJFunc& pairForce, PowerTank& tank)
{
    PlayTurnedPure(pairForce.conversionScore);
    pairForce.conversionScore = 0;
    PlayThunder(pairForce.lightningCount);
    pairForce.lightningCount = 0;
    SetRainFromAmount(static_cast<float>(pairForce.rainCount));
    pairForce.rainCount = 0;
    if (tank.GetAbsorbedCount() > 0) {
        PlaySample(handles_.consume, kFullVolume);
    }
    tank.SetAbsorbedCount(0);
    if (tank.GetReleaseCount() > 0) {
        PlaySample(handles_.release, kFullVolume);
    }
    tank.SetReleaseCount(0);
}

void InGameSounds::SetWindVolumes(float speed, float eyeHeight)
{
    const float height = 1.0f - eyeHeight / kWindCeiling;
    strongWindVolume_ = speed / kWindTopSpeed * height * kFullVolume;
    weakWindVolume_ = (1.0f - speed / kWindTopSpeed) * height * kFullVolume;
    SetStreamVolume(handles_.strongWind, strongWindVolume_);
    SetStreamVolume(handles_.weakWind, weakWindVolume_);
}

void InGameSounds::PlayLevelUp()
{
    PlaySample(handles_.levelUp, kFullVolume);
}

void InGameSounds::PlayTurnedPure(int score)
{
    if (score <= 0) {
        return;
    }
    if (score >= kBigConversion) {
        PlaySample(handles_.turnedPure[kBigChime], kFullVolume);
        return;
    }
    const int which = Rand15() % 2;
    const int spread = Rand15() % kChimeVolumeSpread;
    PlaySample(handles_.turnedPure[which], kChimeBaseVolume + spread);
}

void InGameSounds::PlayThunder(int lightnings)
{
    // A single lightning makes no sound.
    if (lightnings <= 1) {
        return;
    }
    const int k = Rand15() % kThunderSampleCount;
    // 0 plays the seventh, 1 to 6 the sample of that number.
    PlaySample(handles_.thunder[k == 0 ? kThunderSampleCount - 1 : k - 1], kFullVolume);
}

void InGameSounds::SetRainFromAmount(float amount)
{
    for (int i = 0; i < kRainStreamCount && amount > 0.0f; ++i) {
        if (amount - kRainPerStream > 0.0f) {
            amount -= kRainPerStream;
            SetRainVolume(i, kRainStreamVolume);
            continue;
        }
        SetRainVolume(i, amount / kRainPerStream * kRainStreamVolume);
        for (int later = i + 1; later < kRainStreamCount; ++later) {
            SetRainVolume(later, 0.0f);
        }
        break;
    }
}

void InGameSounds::SetRainVolume(int stream, float volume)
{
    rainVolumes_[stream] = volume;
    SetStreamVolume(handles_.rain[stream], volume);
}

void InGameSounds::PlaySample(int handle, int volume)
{
    if (handle >= 0) {
        output_->PlaySample(handle, volume);
    }
}

void InGameSounds::PlayStream(int handle)
{
    if (handle >= 0) {
        output_->PlayStream(handle);
    }
}

void InGameSounds::PauseStream(int handle)
{
    if (handle >= 0) {
        output_->PauseStream(handle);
    }
}

void InGameSounds::SetStreamVolume(int handle, float volume)
{
    if (handle >= 0) {
        output_->SetStreamVolume(handle, static_cast<int>(volume));
    }
}
