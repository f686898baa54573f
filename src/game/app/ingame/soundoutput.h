// SoundOutput: the few sound-registry calls the in-game state makes while a
// level plays (samples started, streams played, paused and set in volume).
// The state plays through the registry; tests put a recorder in its place.
#pragma once

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Volumes on the registry's 0..255 scale.
    virtual void PlaySample(int handle, int volume) = 0;
    virtual void PlayStream(int handle) = 0;
    virtual void PauseStream(int handle) = 0;
    virtual void SetStreamVolume(int handle, int volume) = 0;
};

// The program's output: straight to the SoundRegistry singleton.
SoundOutput& RegistrySoundOutput();
