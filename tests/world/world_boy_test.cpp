// The boy: model choice by speed, the fast cycle, bobbing and steering.
#include "world_headless.h"

#include "attractor.h"
#include "boy.h"

#include <cmath>

namespace {

struct SpeedCase {
    float speed;
    int slot;
};

class BoyModelTest : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(BoyModelTest, SpeedAtALimitPicksTheHigherSlot)
{
    Boy boy;
    boy.ChooseModel(0.01f, Vec3(GetParam().speed, 0.0f, 0.0f));
    EXPECT_EQ(boy.GetModelSlot(), GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Limits, BoyModelTest,
                         ::testing::Values(SpeedCase{4.99f, Boy::kSlotIdle}, SpeedCase{5.0f, Boy::kSlotSlow1},
                                           SpeedCase{10.0f, Boy::kSlotSlow2}, SpeedCase{20.0f, Boy::kSlotNormal},
                                           SpeedCase{35.0f, Boy::kSlotNormal1},
                                           SpeedCase{55.0f, Boy::kSlotNormal2}, SpeedCase{90.0f, Boy::kSlotFast}));

TEST(BoyModel, FastCycleRunsFastCloth2ClothCloth2)
{
    Boy boy;
    const Vec3 velocity(0.0f, 0.0f, 90.0f);  // period 0.06 s
    const int expected[] = {Boy::kSlotFast,   Boy::kSlotCloth2, Boy::kSlotCloth, Boy::kSlotCloth2,
                            Boy::kSlotCloth2, Boy::kSlotFast,   Boy::kSlotCloth2};
    for (int slot : expected) {
        boy.ChooseModel(0.05f, velocity);
        EXPECT_EQ(boy.GetModelSlot(), slot);
    }
}

TEST(BoyModel, FastCycleShortensWithSpeed)
{
    Boy boy;
    boy.ChooseModel(0.04f, Vec3(150.0f, 0.0f, 0.0f));  // period 0.03 s
    EXPECT_EQ(boy.GetModelSlot(), Boy::kSlotCloth2);
}

TEST(BoyModel, StandingStillBobsWithAmplitudeOneTenth)
{
    Boy boy;
    boy.ChooseModel(1.0f, Vec3());
    EXPECT_FLOAT_EQ(boy.GetHoverOffset(), std::sin(1.0f) * 0.1f);
    boy.ChooseModel(0.5f, Vec3());
    EXPECT_FLOAT_EQ(boy.GetHoverOffset(), std::sin(1.5f) * 0.1f);
    boy.ChooseModel(0.5f, Vec3(6.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(boy.GetHoverOffset(), 0.0f);
}

TEST(BoyModel, TankStartsWithCapacity500AndRadiusTwoBodies)
{
    Boy boy;
    EXPECT_FLOAT_EQ(boy.tank.GetCapacity(), 500.0f);
    EXPECT_FLOAT_EQ(boy.tank.GetRadius(), 0.05f);
    EXPECT_FALSE(boy.tank.IsActive());
    EXPECT_FLOAT_EQ(boy.GetHoverHeight(), 5.0f);
}

class BoyFlightTest : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
        boy_ = World().GetBoy();
        World().SetBoyStart(Vec3(100.0f, 0.0f, 0.0f));
    }
    Boy* boy_ = nullptr;
};

TEST_F(BoyFlightTest, SteeringIsCappedAt150)
{
    boy_->Update(0.01f);
    EXPECT_NEAR(boy_->GetVelocity().Length(), 150.0f, 1e-3);
    EXPECT_GT(boy_->position.x, 0.0f);
    EXPECT_NEAR(World().GetBoyStart().x, 100.0f + 1.5f, 1e-3) << "the target moves with the boy";
}

TEST_F(BoyFlightTest, SteeringIsCappedAt120WhileTheAttractorPulls)
{
    auto* attractor = new Attractor(1000.0f, 0.0f, 0.05f, 0.5f);
    attractor->SetEnabled(true);
    World().SetMorvoAttractorFunc(attractor);
    boy_->Update(0.01f);
    EXPECT_NEAR(boy_->GetVelocity().Length(), 120.0f, 1e-3);
}

TEST_F(BoyFlightTest, HoverEasesTowardTheLayer)
{
    World().SetBoyStart(Vec3());
    boy_->Update(0.1f);
    EXPECT_NEAR(boy_->position.y, (150.0f + 5.0f) * 0.1f, 1e-3);
}

TEST_F(BoyFlightTest, SettlingSlowsToAStop)
{
    boy_->SetFlightMode(Boy::kModeSettle);
    boy_->position = Vec3(0.0f, 5.0f, 0.0f);
    boy_->Update(0.1f);
    EXPECT_FLOAT_EQ(boy_->GetSpeed(), 0.0f);
    EXPECT_FLOAT_EQ(boy_->GetVelocity().Length(), 0.0f);
    EXPECT_FLOAT_EQ(World().GetBoyStart().x, 0.0f) << "modes 1-3 overwrite the target";
}

}  // namespace
