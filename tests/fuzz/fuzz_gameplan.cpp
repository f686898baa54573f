// Fuzzes the game plan reader: any input loads or fails, and every chapter
// and environment value read can be looked up.
#include "fuzzscratch.h"
#include "gameplan.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WriteScratch("GamePlan.xml", data, size);
    GamePlan plan;
    if (!plan.Load(ScratchFolder().c_str(), "GamePlan.xml"))
        return 0;
    const Chapter* chapter = nullptr;
    for (bool more = plan.GetStory().GetFirstChapter(&chapter); more && chapter != nullptr;
         more = plan.GetStory().GetNextChapter(chapter->title.c_str(), &chapter)) {
        const Chapter* found = nullptr;
        if (!plan.GetStory().FindChapter(chapter->title.c_str(), &found))
            __builtin_trap();
        if (found != chapter)
            break;  // a later chapter with the same title is reached through the first
    }
    plan.GetEnvInt("ScreenWidth");
    plan.GetEnvFloat("Speed");
    return 0;
}
