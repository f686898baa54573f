// The boy: model choice by speed, the fast cycle, bobbing and steering.
#include "world_headless.h"

#include "attractor.h"
#include "boy.h"
#include "orbitcamera.h"

#include <cmath>

namespace {

struct SpeedCase {
    const char* name;
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
                         ::testing::Values(SpeedCase{"IdleBelow5", 4.99f, Boy::kSlotIdle},
                                           SpeedCase{"Slow1From5", 5.0f, Boy::kSlotSlow1},
                                           SpeedCase{"Slow2From10", 10.0f, Boy::kSlotSlow2},
                                           SpeedCase{"NormalFrom20", 20.0f, Boy::kSlotNormal},
                                           SpeedCase{"Normal1From35", 35.0f, Boy::kSlotNormal1},
                                           SpeedCase{"Normal2From55", 55.0f, Boy::kSlotNormal2},
                                           SpeedCase{"FastFrom90", 90.0f, Boy::kSlotFast}),
                         CaseName());

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

class BoyBankingTest : public BoyFlightTest {
protected:
    void SetUp() override
    {
        BoyFlightTest::SetUp();
        camera_.SetTarget(Vec3());
        camera_.Reset();
        World().SetCamera(&camera_);
        yawTargetBefore_ = camera_.yawTarget;
    }
    void TearDown() override
    {
        World().SetCamera(nullptr);
        BoyFlightTest::TearDown();
    }
    OrbitCamera camera_;
    float yawTargetBefore_ = 0.0f;
};

TEST_F(BoyBankingTest, FastSteeringBanksAndTurnsTheCamera)
{
    boy_->Update(0.01f);
    const float pi = 3.14159265358979f;
    float delta = std::fmod(pi - boy_->GetYaw() - yawTargetBefore_, 2.0f * pi);
    if (delta > pi) {
        delta -= 2.0f * pi;
    } else if (delta < -pi) {
        delta += 2.0f * pi;
    }
    const float turn = (150.0f - 35.0f) / 150.0f;
    EXPECT_NEAR(boy_->GetRoll(), std::sin(-delta) * turn * pi / 2.0f, 1e-4);
    EXPECT_NEAR(camera_.yawTarget, yawTargetBefore_ + turn * delta * 0.01f, 1e-5);
    EXPECT_NE(boy_->GetRoll(), 0.0f);
}

TEST_F(BoyBankingTest, HeldCameraIsLeftAlone)
{
    camera_.flag = true;
    boy_->Update(0.01f);
    EXPECT_FLOAT_EQ(camera_.yawTarget, yawTargetBefore_);
    EXPECT_NE(boy_->GetRoll(), 0.0f) << "the roll still eases toward the bank";
}

TEST_F(BoyBankingTest, NoBankWhileTheTankWorksOrWhileEditing)
{
    boy_->tank.SetActive(true);
    boy_->Update(0.01f);
    EXPECT_FLOAT_EQ(boy_->GetRoll(), 0.0f);
    EXPECT_FLOAT_EQ(camera_.yawTarget, yawTargetBefore_);
    boy_->tank.SetActive(false);
    SetEditingEnabled(true);
    boy_->Update(0.01f);
    EXPECT_FLOAT_EQ(boy_->GetRoll(), 0.0f);
    EXPECT_FLOAT_EQ(camera_.yawTarget, yawTargetBefore_);
}

TEST_F(BoyBankingTest, NoBankBelowSpeed35)
{
    World().SetBoyStart(Vec3(3.0f, 0.0f, 0.0f));  // 27 units per second
    boy_->Update(0.01f);
    EXPECT_FLOAT_EQ(boy_->GetRoll(), 0.0f);
    EXPECT_FLOAT_EQ(camera_.yawTarget, yawTargetBefore_);
}

TEST_F(BoyBankingTest, CameraDirectionLiesOnThePlane)
{
    const Vec2 direction = World().GetCameraDirection2D();
    EXPECT_NEAR(direction.x, std::sqrt(0.5f), 1e-4);
    EXPECT_NEAR(direction.y, std::sqrt(0.5f), 1e-4);
}

TEST_F(BoyBankingTest, SwoopCatchesTheCameraPitchAndOrbits)
{
    boy_->SetFlightMode(Boy::kModeSwoop);
    boy_->position = Vec3(0.0f, 200.0f, 0.0f);
    for (int frame = 0; frame < 2000 && boy_->GetFlightMode() == Boy::kModeSwoop; ++frame) {
        camera_.pitchTarget = -boy_->GetPitch();
        boy_->Update(0.01f);
    }
    EXPECT_EQ(boy_->GetFlightMode(), Boy::kModeOrbit);
    EXPECT_GT(boy_->GetSpeed(), 0.0f);
}

// Flying by angles the speed eases up to the cruise speed of 150 and stays there.
TEST_F(BoyBankingTest, AngleFlightCruisesAt150)
{
    for (const int mode : {Boy::kModeSwoop, Boy::kModeOrbit}) {
        boy_->SetFlightMode(mode);
        boy_->position = Vec3(0.0f, 200.0f, 0.0f);
        for (int frame = 0; frame < 400; ++frame) {
            camera_.pitchTarget = 0.0f;
            boy_->Update(0.05f);
            boy_->SetFlightMode(mode);
        }
        EXPECT_NEAR(boy_->GetSpeed(), 150.0f, 0.01f) << mode;
        EXPECT_NEAR(boy_->GetVelocity().Length(), 150.0f, 0.01f) << mode;
    }
}

TEST_F(BoyBankingTest, AngleFlightNeverSinksBelowTen)
{
    boy_->SetFlightMode(Boy::kModeSwoop);
    boy_->position = Vec3(0.0f, 5.0f, 0.0f);
    for (int frame = 0; frame < 100; ++frame) {
        camera_.pitchTarget = 1.0f;
        boy_->Update(0.05f);
        EXPECT_GE(boy_->GetVelocity().y, 0.0f);
    }
    EXPECT_GE(boy_->position.y, 5.0f);
}

}  // namespace
