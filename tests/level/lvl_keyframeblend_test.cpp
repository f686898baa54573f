// The blend of two keyframes at times between them: position, size, alpha
// and angle move in a straight line from the earlier key to the later one;
// visibility is the earlier key's.
#include "keyframeanimation.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

struct BlendCase {
    const char* name;
    float t;
    Keyframe expected;
};

Keyframe Key(float time, Vec2 position, Vec2 size, float alpha, float angle, bool visible)
{
    Keyframe k;
    k.time = time;
    k.position = position;
    k.size = size;
    k.alpha = alpha;
    k.angle = angle;
    k.visible = visible;
    return k;
}

class KeyframeBlend : public ::testing::TestWithParam<BlendCase> {};

TEST_P(KeyframeBlend, MovesInAStraightLineFromTheEarlierKey)
{
    const Keyframe from = Key(1.0f, Vec2(0, 100), Vec2(10, 20), 1.0f, 0.0f, false);
    const Keyframe to = Key(3.0f, Vec2(100, 0), Vec2(30, 60), 0.0f, 90.0f, true);
    const Keyframe& e = GetParam().expected;
    const Keyframe k = AnimObject::Interpolate(from, to, GetParam().t);
    EXPECT_FLOAT_EQ(k.time, GetParam().t);
    EXPECT_FLOAT_EQ(k.position.x, e.position.x);
    EXPECT_FLOAT_EQ(k.position.y, e.position.y);
    EXPECT_FLOAT_EQ(k.size.x, e.size.x);
    EXPECT_FLOAT_EQ(k.size.y, e.size.y);
    EXPECT_FLOAT_EQ(k.alpha, e.alpha);
    EXPECT_FLOAT_EQ(k.angle, e.angle);
    EXPECT_EQ(k.visible, e.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Blend, KeyframeBlend,
    ::testing::Values(BlendCase{"AtTheStart", 1.0f, Key(1, Vec2(0, 100), Vec2(10, 20), 1, 0, false)},
                      BlendCase{"AQuarterOn", 1.5f, Key(1.5f, Vec2(25, 75), Vec2(15, 30), 0.75f, 22.5f, false)},
                      BlendCase{"HalfWay", 2.0f, Key(2, Vec2(50, 50), Vec2(20, 40), 0.5f, 45, false)},
                      BlendCase{"AtTheEnd", 3.0f, Key(3, Vec2(100, 0), Vec2(30, 60), 0, 90, false)}),
    CaseName());

}  // namespace
