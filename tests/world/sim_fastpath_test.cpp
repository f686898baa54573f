// The fast paths give exactly the results of the straightforward
// algorithms: the pair force and its traversal against the force's rule
// worked out pair by pair in a literal cell-by-cell walk over the records,
// the rain's free list against a first-free search.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstring>
#include <list>
#include <vector>

#include "morvoljfunc.h"
#include "rainsystem.h"
#include "random15.h"
#include "sim_testworld.h"

namespace {

// The pair force's rule for the game's constants, in float, each formula
// evaluated from left to right as it is written.
bool PlainPair(MorvoRecord& a, MorvoRecord& b)
{
    const float r = 0.05f;
    const float cutoff = 0.07f;
    const float k = 15.0f;
    const float fmax = 30.0f;
    const float dx = b.position.x - a.position.x;
    const float dy = b.position.y - a.position.y;
    const float d2 = dx * dx + dy * dy;
    if (!(d2 <= cutoff * cutoff)) {
        return false;
    }
    if (d2 <= 0.0f) {
        a.force.x += fmax;
        b.force.x -= fmax;
        return true;
    }
    const float d = std::sqrt(d2);
    const float r2 = r * r;
    float fx = -k * (r2 / d2 - r / d) * dx / d;
    float fy = -k * (r2 / d2 - r / d) * dy / d;
    const float f2 = fx * fx + fy * fy;
    if (!(f2 <= fmax * fmax)) {
        const float length = std::sqrt(f2);
        fx = fx * fmax / length;
        fy = fy * fmax / length;
    }
    a.force.x += fx;
    a.force.y += fy;
    b.force.x -= fx;
    b.force.y -= fy;
    float w;
    if (d < r) {
        w = 1.0f - d2 / (2.0f * r2);
    } else if (d < 2.0f * r) {
        w = (d - r) * (d - r) / (2.0f * r2) - (d - r) / r + 0.5f;
    } else {
        return true;
    }
    const float dvx = b.velocity.x - a.velocity.x;
    const float dvy = b.velocity.y - a.velocity.y;
    const float speed = std::sqrt(dvx * dvx + dvy * dvy);
    a.force.x += speed * w * dvx;
    a.force.y += speed * w * dvy;
    b.force.x -= speed * w * dvx;
    b.force.y -= speed * w * dvy;
    return true;
}

void Within(MorvoLJFunc& f, MorvoState& s, const UniformGrid::CellList& a, float dt)
{
    for (auto i = a.begin(); i != a.end(); ++i) {
        bool touched = false;
        for (auto j = std::next(i); j != a.end(); ++j) {
            if (PlainPair(s.Get(*i), s.Get(*j))) {
                f.Exchange(s.Get(*i), s.Get(*j), dt);
                touched = true;
            }
        }
        if (!touched) {
            s.Get(*i).SetLightning(-1);
        }
    }
}

void Across(MorvoLJFunc& f, MorvoState& s, const UniformGrid::CellList& a, const UniformGrid::CellList& b, float dt)
{
    if (&a == &b) {
        return;
    }
    for (int32_t i : a) {
        for (int32_t j : b) {
            if (PlainPair(s.Get(i), s.Get(j))) {
                f.Exchange(s.Get(i), s.Get(j), dt);
            }
        }
    }
}

// The pair force's grid traversal, written out as plainly as possible.
void LiteralGridPairs(MorvoLJFunc& f, MorvoState& s, UniformGrid& g, float dt, int32_t x0, int32_t x1, int32_t y0,
                      int32_t y1)
{
    g.ClampCellRect(x0, x1, y0, y1);
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            const UniformGrid::CellList& c = g.GetCell(x, y);
            const UniformGrid::CellList& right = g.GetCellClamped(x + 1, y);
            const UniformGrid::CellList& up = g.GetCellClamped(x, y + 1);
            const UniformGrid::CellList& upRight = g.GetCellClamped(x + 1, y + 1);
            Within(f, s, c, dt);
            Across(f, s, c, right, dt);
            Across(f, s, c, up, dt);
            Across(f, s, c, upRight, dt);
            Across(f, s, right, up, dt);
        }
    }
}

bool SameRecord(const MorvoRecord& a, const MorvoRecord& b)
{
    return std::memcmp(&a, &b, sizeof(MorvoRecord)) == 0;
}

float RandomIn(float lo, float hi)
{
    return lo + (hi - lo) * static_cast<float>(Rand15()) / 32767.0f;
}

// Two identical dense worlds of mixed colours, powers and lightning states,
// with two morvos at one point and pairs at exactly the cutoff distance
// (0.14 - 0.07 and 0.07 - 0 are exactly 0.07 in float) within a cell and
// across cells.
void Fill(SimTestWorld& w, int count, float half)
{
    const Vec2 placed[] = {Vec2(0.2f, 0.2f),   Vec2(0.2f, 0.2f),   Vec2(0.07f, 0.25f), Vec2(0.14f, 0.25f),
                           Vec2(-0.3f, 0.07f), Vec2(-0.3f, 0.14f), Vec2(0.0f, 0.3f),   Vec2(0.07f, 0.3f)};
    for (const Vec2& p : placed) {
        w.AddMorvo(p.x, p.y, kMorvoPure, 3.0f);
    }
    const int32_t colours[] = {kMorvoPure, kMorvoDark, kMorvoNeutral};
    for (int i = 0; i < count; ++i) {
        int32_t m =
            w.AddMorvo(RandomIn(-half, half), RandomIn(-half, half), colours[Rand15() % 3], RandomIn(0.1f, 12.0f));
        MorvoRecord& r = w.Record(m);
        r.velocity = Vec2(RandomIn(-1.0f, 1.0f), RandomIn(-1.0f, 1.0f));
        r.lightning = Rand15() % 5 - 2;
        r.lightningTime = RandomIn(0.0f, 1.1f);
        r.conversionTimer = RandomIn(0.0f, 0.03f);
    }
    w.grid.Rebuild(&w.store, 0.05f);
}

// Two identical worlds of count morvos within half of the centre, one for
// each path.
struct TwinWorlds {
    TwinWorlds(int32_t capacity, int count, float half, unsigned seed)
        : fast(capacity, 20, 0.8f),
          plain(capacity, 20, 0.8f)
    {
        SeedRand15(seed);
        Fill(fast, count, half);
        SeedRand15(seed);
        Fill(plain, count, half);
    }
    void ExpectSameRecords()
    {
        for (int32_t i = 0; i < fast.State().GetSize(); ++i) {
            ASSERT_TRUE(SameRecord(fast.Record(i), plain.Record(i))) << "record " << i;
        }
    }
    SimTestWorld fast;
    SimTestWorld plain;
};

struct RectCase {
    int32_t x0;
    int32_t x1;
    int32_t y0;
    int32_t y1;
    bool duplicate;  // list one morvo twice (only the pre-mended world could)
};

void PrintTo(const RectCase& c, std::ostream* os)
{
    *os << "x " << c.x0 << ".." << c.x1 << " y " << c.y0 << ".." << c.y1 << (c.duplicate ? " listed twice" : "");
}

// Moves every morvo on by its velocity and slows it, as a step does between
// two runs of the pair force, then re-bins.
void Drift(SimTestWorld& w)
{
    for (int32_t i = 0; i < w.State().GetSize(); ++i) {
        MorvoRecord& r = w.Record(i);
        r.position.x += r.velocity.x * 0.01f;
        r.position.y += r.velocity.y * 0.01f;
        r.velocity *= 0.5f;
    }
    w.grid.Rebin(0, w.grid.GetWidth(), 0, w.grid.GetHeight());
}

class PairTraversal : public ::testing::TestWithParam<RectCase> {};

TEST_P(PairTraversal, MatchesTheLiteralWalkBitForBit)
{
    const RectCase& c = GetParam();
    TwinWorlds worlds(2000, 1500, 0.8f, 17);
    SimTestWorld& fast = worlds.fast;
    SimTestWorld& plain = worlds.plain;
    if (c.duplicate) {
        fast.grid.GetCell(19, 19).push_back(fast.grid.GetCell(18, 19).front());
        plain.grid.GetCell(19, 19).push_back(plain.grid.GetCell(18, 19).front());
    }
    for (int run = 0; run < 3; ++run) {
        if (run > 0) {
            Drift(fast);
            Drift(plain);
        }
        SeedRand15(100 + run);
        static_cast<GridForce&>(fast.pairForce).Apply(fast.State(), fast.grid, 0.02f, c.x0, c.x1, c.y0, c.y1);
        int32_t fastNext = Rand15();
        SeedRand15(100 + run);
        LiteralGridPairs(plain.pairForce, plain.State(), plain.grid, 0.02f, c.x0, c.x1, c.y0, c.y1);
        ASSERT_EQ(fastNext, Rand15()) << "rand order, run " << run;
    }
    worlds.ExpectSameRecords();
    EXPECT_EQ(fast.pairForce.rainCount, plain.pairForce.rainCount);
    EXPECT_EQ(fast.pairForce.lightningCount, plain.pairForce.lightningCount);
    EXPECT_EQ(fast.pairForce.conversionScore, plain.pairForce.conversionScore);
    EXPECT_GT(fast.pairForce.rainCount, 100);
    EXPECT_EQ(std::vector<Vec2>(fast.rainHits.begin(), fast.rainHits.end()),
              std::vector<Vec2>(plain.rainHits.begin(), plain.rainHits.end()));
    ASSERT_EQ(fast.rain.GetDrops().GetSize(), plain.rain.GetDrops().GetSize());
    for (int32_t i = 0; i < fast.rain.GetDrops().GetSize(); ++i) {
        const RainDrop& a = fast.rain.GetDrops().Get(i);
        const RainDrop& b = plain.rain.GetDrops().Get(i);
        ASSERT_TRUE(std::memcmp(&a, &b, sizeof(RainDrop)) == 0) << "drop " << i;
    }
    EXPECT_EQ(fast.State().PeekFree(), plain.State().PeekFree());
}

TEST(UnaryPairs, MatchTheRuleBitForBit)
{
    TwinWorlds worlds(600, 500, 0.6f, 23);
    static_cast<UnaryForce&>(worlds.fast.pairForce).Apply(worlds.fast.State(), 0.02f);
    MorvoState& s = worlds.plain.State();
    for (int32_t i = 0; i < s.GetSize(); ++i) {
        for (int32_t j = i + 1; j < s.GetSize(); ++j) {
            if (s.Get(i).active != 0 && s.Get(j).active != 0) {
                PlainPair(s.Get(i), s.Get(j));
            }
        }
    }
    worlds.ExpectSameRecords();
}

INSTANTIATE_TEST_SUITE_P(Rects, PairTraversal,
                         ::testing::Values(RectCase{0, 20, 0, 20, false},    // whole grid: clamped neighbours
                                           RectCase{4, 13, 6, 15, false},    // a window: stencil reaches past it
                                           RectCase{-3, 30, 12, 40, false},  // clamped rectangle
                                           RectCase{0, 20, 0, 20, true}));

// The straightforward rain: the first free drop found by a search.
struct PlainRain {
    ParticlePool<RainDrop> drops{100};
    void Emit(float x, float y, float radius)
    {
        int32_t i = drops.FindFree();
        if (i < 0) {
            drops.Grow(10);
            return;
        }
        float a = static_cast<float>(Rand15() % 360) * 0.01745329252f;
        float speed = static_cast<float>(Rand15() % 5);
        int32_t life = Rand15() % 30;
        RainDrop& d = drops.Get(i);
        d.position = Vec3(std::cos(a) * radius + x, std::sin(a) * radius + y, 0.0f);
        d.acceleration = -35.0f;
        d.verticalSpeed = speed;
        d.life = life;
    }
    void Update(float h)
    {
        for (int32_t i = 0; i < drops.GetSize(); ++i) {
            RainDrop& d = drops.Get(i);
            if (d.life >= 1) {
                d.life -= 1;
                d.acceleration = -35.0f;
                d.verticalSpeed = (d.verticalSpeed + d.acceleration * h) * 0.7f;
                d.position.z = d.position.z + d.verticalSpeed * h;
                d.acceleration = 0.0f;
            } else {
                d.active = 0;
            }
        }
    }
};

TEST(RainFreeList, MatchesTheFirstFreeSearchBitForBit)
{
    RainSystem fast;
    PlainRain plain;
    for (int step = 0; step < 400; ++step) {
        SeedRand15(static_cast<unsigned>(step) + 1);
        int emissions = Rand15() % 60;
        int deactivate = Rand15() % 3 == 0 ? Rand15() % 100 : -1;
        unsigned seed = static_cast<unsigned>(Rand15());
        SeedRand15(seed);
        for (int k = 0; k < emissions; ++k) {
            fast.Emit(0.5f, -0.5f, 0.0f, 0.02f);
        }
        if (deactivate >= 0) {
            fast.Deactivate(deactivate);
        }
        const float h = step % 7 == 0 ? 0.0f : 1.0f / 60.0f;  // the level setup steps with 0
        fast.Update(0.0f, h);
        SeedRand15(seed);
        for (int k = 0; k < emissions; ++k) {
            plain.Emit(0.5f, -0.5f, 0.02f);
        }
        if (deactivate >= 0) {
            plain.drops.Get(deactivate).active = 0;
        }
        plain.Update(h);
        ASSERT_EQ(fast.GetDrops().GetSize(), plain.drops.GetSize()) << step;
        for (int32_t i = 0; i < plain.drops.GetSize(); ++i) {
            const RainDrop& a = fast.GetDrops().Get(i);
            const RainDrop& b = plain.drops.Get(i);
            ASSERT_TRUE(std::memcmp(&a, &b, sizeof(RainDrop)) == 0) << "step " << step << " drop " << i;
        }
    }
    EXPECT_GT(plain.drops.GetSize(), 100);
}

}  // namespace
