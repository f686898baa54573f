// Fuzzes the keyframe animation reader: any input loads into objects whose
// keyframes are in time order with a finite length, and playing past the
// end finishes the animation.
#include "fuzzscratch.h"
#include "keyframeanimation.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("anim.txt", data, size);
    KeyframeAnimation animation;
    if (!animation.LoadForWindow(path, 1024, 768))
        __builtin_trap();
    for (const AnimObject& object : animation.GetObjects())
        for (size_t i = 1; i < object.keyframes.size(); ++i)
            if (!(object.keyframes[i - 1].time <= object.keyframes[i].time))
                __builtin_trap();
    if (!std::isfinite(animation.GetDuration()))
        __builtin_trap();
    animation.SetTime(std::nextafter(animation.GetDuration(), HUGE_VALF));
    if (animation.IsPlaying())
        __builtin_trap();
    return 0;
}
