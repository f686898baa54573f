// Fuzzes the level reader: any input either fails to load or loads into the
// world, survives one trigger check and one world step, and is saved and
// read back.
#include "debugbreak.h"
#include "fuzzscratch.h"
#include "gameflow.h"
#include "morvofiles.h"
#include "morvoworld.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    // A broken precondition is logged and the code after it stays safe.
    SetDebugBreakHandler([](const char*, int, const char*) {});
    if (!GetMorvoWorld().InitHeadless())
        __builtin_trap();
    GameFlow::GetInstance()->SetupWorldForLevel();
    // The world goes before the leak check at exit.
    std::atexit([] {
        MorvoFiles::ClearLevel();
        GameFlow::GetInstance()->TeardownWorld();
        GetMorvoWorld().Release();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("level.xml", data, size);
    if (!MorvoFiles::LoadLevel(path))
        return 0;
    MorvoWorld& world = GetMorvoWorld();
    world.GetTriggers().Check();
    world.Update(1.0f / 60.0f, false);
    const std::string saved = ScratchFolder() + "/saved.xml";
    if (!MorvoFiles::SaveLevel(saved) || !MorvoFiles::LoadLevel(saved))
        __builtin_trap();
    return 0;
}
