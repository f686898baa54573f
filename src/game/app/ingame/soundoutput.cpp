// The registry's side of SoundOutput.
#include "soundoutput.h"

#include "soundregistry.h"

namespace {

class RegistryOutput : public SoundOutput {
public:
    void PlaySample(int handle, int volume) override { SoundRegistry::GetInstance()->PlaySample(handle, volume); }
    void PlayStream(int handle) override { SoundRegistry::GetInstance()->PlayStream(handle); }
    void PauseStream(int handle) override { SoundRegistry::GetInstance()->PauseStream(handle); }
    void SetStreamVolume(int handle, int volume) override
    {
        SoundRegistry::GetInstance()->SetStreamVolume(handle, volume);
    }
};

}  // namespace

SoundOutput& RegistrySoundOutput()
{
    static RegistryOutput output;
    return output;
}
