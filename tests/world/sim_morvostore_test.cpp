// Morvo records, the particle pool's free search and the store's buffers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "morvorecord.h"
#include "morvostore.h"
#include "particlepool.h"
#include "random15.h"
#include "testsupport.h"

namespace {

TEST(MorvoRecord, DefaultRecordIsFreeNeutralWithDefinedTimerAndTexture)
{
    MorvoRecord r;
    EXPECT_EQ(r.active, 0);
    EXPECT_EQ(r.color, kMorvoNeutral);
    EXPECT_FLOAT_EQ(r.power, 0.1f);
    EXPECT_EQ(r.lightning, -1);
    EXPECT_FLOAT_EQ(r.conversionTimer, 0.03f);
    EXPECT_EQ(r.textureIndex, 0);
    EXPECT_EQ(r.cellX, 0);
    EXPECT_EQ(r.cellY, 0);
}

struct PowerCase {
    const char* name;
    float start;
    float add;
    float expected;
};

class MorvoRecordPower : public ::testing::TestWithParam<PowerCase> {};

TEST_P(MorvoRecordPower, StaysWithinLimits)
{
    MorvoRecord r;
    r.SetPower(GetParam().start);
    EXPECT_FLOAT_EQ(r.AddPower(GetParam().add), GetParam().expected);
    EXPECT_FLOAT_EQ(r.GetPower(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, MorvoRecordPower,
                         ::testing::Values(PowerCase{"AboveMaximum", 25.0f, 0.0f, 20.0f},
                                           PowerCase{"AtZero", 0.0f, 0.0f, 0.1f},
                                           PowerCase{"AddBelowMinimum", 0.5f, -1.0f, 0.1f},
                                           PowerCase{"AddPastMaximum", 19.5f, 1.0f, 20.0f},
                                           PowerCase{"AddWithin", 3.0f, 1.5f, 4.5f}),
                         CaseName());

TEST(MorvoRecord, NonFinitePowerIsRefusedWithALogLine)
{
    LogCapture log;
    MorvoRecord r;
    r.SetPower(3.0f);
    EXPECT_FLOAT_EQ(r.SetPower(std::numeric_limits<float>::quiet_NaN()), 3.0f);
    EXPECT_FLOAT_EQ(r.AddPower(std::numeric_limits<float>::infinity()), 3.0f);
    EXPECT_FLOAT_EQ(r.power, 3.0f);
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST(MorvoRecord, LightningFrameTruncatesAt24PerSecond)
{
    MorvoRecord r;
    EXPECT_EQ(r.AddLightningTime(0.99f), 23);
    r.ResetLightningTime();
    EXPECT_EQ(r.AddLightningTime(1.0f), 24);
    EXPECT_EQ(r.lightningFrame, 24);
}

TEST(MorvoRecord, RadiusFromPowerSpansTheBodySizes)
{
    EXPECT_FLOAT_EQ(RadiusFromPower(0.1f), 0.025f);
    EXPECT_NEAR(RadiusFromPower(20.0f), 0.1045887f, 1e-6f);
    EXPECT_NEAR(PowerFromRadius(RadiusFromPower(7.0f)), 7.0f, 1e-4f);
}

struct Flagged {
    int32_t active = 0;
    int32_t value = 7;
};

TEST(ParticlePool, FindFreeOnFullPoolReturnsMinusOneAndChangesNothing)
{
    ParticlePool<Flagged> pool(3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pool.FindFree(), i);
        pool.Get(i).value = 40 + i;
    }
    EXPECT_EQ(pool.FindFree(), -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pool.Get(i).value, 40 + i);
    }
}

TEST(ParticlePool, FindFreeResetsTheRecordItClaims)
{
    ParticlePool<Flagged> pool(2);
    pool.FindFree();
    pool.Get(0).value = 99;
    pool.Get(0).active = 0;
    EXPECT_EQ(pool.FindFree(), 0);
    EXPECT_EQ(pool.Get(0).value, 7);
    EXPECT_EQ(pool.Get(0).active, 1);
}

// The search may start past records known to be active; it must still
// return exactly what a scan from index 0 returns.
TEST(ParticlePool, FindFreeAlwaysMatchesAScanFromTheStart)
{
    SeedRand15(11);
    ParticlePool<Flagged> pool(50);
    for (int step = 0; step < 20000; ++step) {
        int op = Rand15() % 10;
        if (op < 5) {
            int expected = -1;
            for (int i = 0; i < pool.GetSize(); ++i) {
                if (pool.Get(static_cast<int32_t>(i)).active == 0) {
                    expected = i;
                    break;
                }
            }
            ASSERT_EQ(pool.FindFree(), expected) << "step " << step;
        } else if (op < 9) {
            pool.Get(Rand15() % pool.GetSize()).active = 0;
        } else if (Rand15() % 2 == 0) {
            pool.Grow(3);
        } else {
            ParticlePool<Flagged> copy(pool.GetSize());
            copy = pool;
            ASSERT_EQ(copy.PeekFree(), pool.PeekFree());
        }
    }
}

TEST(ParticlePool, CopyBetweenPoolsOfDifferentSizeBreaksAndKeepsTheTarget)
{
    BreakCounter breaks;
    ParticlePool<Flagged> small(2);
    ParticlePool<Flagged> big(5);
    big.FindFree();
    small = big;
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(small.GetSize(), 2);
    EXPECT_EQ(small.Get(0).active, 0);
}

TEST(MorvoStore, AskingForNoStateBuffersKeepsOne)
{
    MorvoStore store(-4, 0, 0);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(store.GetStateCount(), 1);
    EXPECT_NE(store.GetCurrentState(), nullptr);
    EXPECT_EQ(store.GetState(1), nullptr);
    EXPECT_EQ(store.GetState(-1), nullptr);
}

TEST(MorvoStore, SetCapacityResizesEveryBufferAndIgnoresNegatives)
{
    MorvoStore store(0, 2, 1);
    store.SetCapacity(10);
    store.GetCurrentState()->FindFree();
    store.SetCapacity(-1);
    EXPECT_EQ(store.GetCount(), 10);
    store.SetCapacity(20);
    EXPECT_EQ(store.GetState(0)->GetSize(), 20);
    EXPECT_EQ(store.GetState(1)->GetSize(), 20);
    EXPECT_EQ(store.GetCurrentState()->Get(0).active, 1);
    store.SetStateBufferCount(3);
    EXPECT_EQ(store.GetState(2)->GetSize(), 20);
    store.SetStateBufferCount(1);
    EXPECT_EQ(store.GetStateCount(), 3);
}

TEST(MorvoStore, ResetHistoryCopiesTheCurrentStateIntoBufferOne)
{
    MorvoStore store(4, 3, 0);
    MorvoState* last = store.GetState(2);
    int32_t i = store.GetCurrentState()->FindFree();
    store.GetCurrentState()->Get(i).position = Vec2(1.5f, -2.0f);
    store.ResetHistory();
    EXPECT_EQ(store.GetState(1), last);
    EXPECT_EQ(store.GetState(1)->Get(i).active, 1);
    EXPECT_FLOAT_EQ(store.GetState(1)->Get(i).position.x, 1.5f);
    EXPECT_EQ(store.GetState(2)->Get(i).active, 0);
}

}  // namespace
