// The story's first chapters can be won by the game's own rules: a scripted
// player flies the boy along a path with the attractor on, as holding the
// left mouse button does, and the level's win rule comes true. With
// DEMO_PLAY_TRACE set, the flights print the census every two seconds
// (for tuning the levels).
#include "data_files.h"

#include "attractor.h"
#include "boy.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gridset.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "morvofiles.h"
#include "morvorecord.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "random15.h"
#include "testsupport.h"
#include "uniformgrid.h"
#include "trigger.h"
#include "triggerset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr float kFlightSpeed = 60.0f;  // world units per second, an easy pace
constexpr float kFlightHeight = 155.0f;
// The in-game attractor: strength 1000, radius 0.05, ratio 0.5, base size 0.05.
constexpr float kAttractorStrength = 1000.0f;
constexpr float kAttractorRadius = 0.05f;
constexpr float kAttractorRatio = 0.5f;
constexpr float kAttractorBaseSize = 0.05f;

// Morvos this close to one another belong to one group.
constexpr float kGroupLink = 60.0f;
// The in-game fog begins at this depth.
constexpr float kFogStart = 500.0f;

// A waypoint at the boy's start.
constexpr float kStartHere = 1e9f;

struct Waypoint {
    float x;
    float z;
    float waitSeconds;  // hover there with the light before flying on
};

struct Route {
    const char* chapter;
    std::vector<Waypoint> points;
    float limitSeconds;
    std::string winTrigger;  // a trigger whose firing wins, or empty
    std::string holdSet;     // a grid set to hover over at the end, or empty
    int island = -1;         // a WorldIsland that must start dirty, or -1
};

// Circles a cloud at the given world point, then hovers over its middle.
void Sweep(std::vector<Waypoint>* points, float x, float z)
{
    constexpr float kReach = 35.0f;
    const float offsets[4][2] = {{kReach, 0}, {0, kReach}, {-kReach, 0}, {0, -kReach}};
    for (const auto& o : offsets) {
        points->push_back({x + o[0], z + o[1], 0.5f});
    }
    points->push_back({x, z, 3.0f});
}

constexpr float kGatherSeconds = 3.0f;  // hover at the start while the light gathers

Route Visit(const char* chapter, const std::vector<std::pair<float, float>>& clouds, float limitSeconds)
{
    Route r{chapter, {}, limitSeconds, "", ""};
    r.points.push_back({kStartHere, kStartHere, kGatherSeconds});
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [x, z] : clouds) {
            Sweep(&r.points, x, z);
        }
    }
    return r;
}

// The morvo nearest to the boy that keeps the level's win rule from
// holding: a dark one, or a grey one when every morvo must be pure.
bool NearestUnwanted(const MorvoWorld& world, const Vec3& boy, Vec3* out)
{
    const MorvoState* state = world.GetStore()->GetCurrentState();
    float best = 1e30f;
    for (int32_t i = 0; i < state->GetSize(); ++i) {
        const MorvoRecord& m = state->Get(i);
        bool unwanted = m.color < 0 || (m.color == 0 && world.GetWinWhenAllPure());
        if (m.active == 0 || !unwanted) {
            continue;
        }
        Vec3 p = MorvoWorld::SimToWorld(m.position, 0);
        float d = (p.x - boy.x) * (p.x - boy.x) + (p.z - boy.z) * (p.z - boy.z);
        if (d < best) {
            best = d;
            *out = p;
        }
    }
    return best < 1e30f;
}

class DemoPlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DemoPlan()->IsLoaded());
        GetMorvoWorld().Release();
        GetMorvoWorld().InitHeadless();
        SeedRand15(1);
    }
    void TearDown() override
    {
        delete GetMorvoWorld().RemoveMorvoAttractorFunc();
        GetMorvoWorld().Release();
    }

    // Flies the route with the light on; true once the win rules hold.
    bool Fly(const Route& route)
    {
        const Chapter* chapter = nullptr;
        if (!GamePlan::GetInstance()->GetStory().FindChapter(route.chapter, &chapter)) {
            return false;
        }
        GameFlow::GetInstance()->SetupWorldForLevel();
        if (!MorvoFiles::LoadLevel(DataGameFolder() + "/" + chapter->GetLevel())) {
            return false;
        }
        MorvoWorld& world = GetMorvoWorld();
        if (route.island >= 0 && !world.GetIsland(static_cast<WorldIsland>(route.island))->IsDirty()) {
            ADD_FAILURE() << "island " << route.island << " of " << route.chapter << " loads clean";
            return false;
        }
        auto* attractor = new Attractor(kAttractorStrength, 0.0f, kAttractorRadius, kAttractorRatio);
        world.SetMorvoAttractorFunc(attractor);
        world.SetAttractorBaseSize(kAttractorBaseSize);
        attractor->SetEnabled(true);
        std::vector<Waypoint> points = route.points;
        if (!route.holdSet.empty()) {
            // Hover over the middle of the set's cells.
            const GridSet* set =
                GridSetDatabase::GetInstance()->Get(GridSetDatabase::GetInstance()->GetId(route.holdSet));
            if (set == nullptr || set->GetCellCount() == 0) {
                return false;
            }
            float cx = 0.0f;
            float cy = 0.0f;
            for (int i = 0; i < set->GetCellCount(); ++i) {
                Vec2 corner = world.GetGrid()->GetCellCorner(static_cast<int32_t>(set->GetCell(i).x),
                                                             static_cast<int32_t>(set->GetCell(i).y));
                cx += corner.x + world.GetGrid()->GetCellWidth() * 0.5f;
                cy += corner.y + world.GetGrid()->GetCellHeight() * 0.5f;
            }
            cx /= static_cast<float>(set->GetCellCount());
            cy /= static_cast<float>(set->GetCellCount());
            points.push_back({cx * 200.0f, -cy * 200.0f, route.limitSeconds});
        }
        Boy* boy = world.GetBoy();
        Vec3 at = boy->position;
        for (Waypoint& w : points) {
            if (w.x == kStartHere) {
                w.x = at.x;
                w.z = at.z;
            }
        }
        size_t next = 0;
        float waited = 0.0f;
        for (float t = 0.0f; t < route.limitSeconds; t += kStep) {
            if (next >= points.size() && route.holdSet.empty()) {
                // Like a player, go after the last grey or dark morvos.
                Vec3 prey;
                if (NearestUnwanted(world, at, &prey)) {
                    points.push_back({prey.x, prey.z, 1.0f});
                }
            }
            if (next < points.size()) {
                const Waypoint& w = points[next];
                float dx = w.x - at.x;
                float dz = w.z - at.z;
                float d = std::sqrt(dx * dx + dz * dz);
                if (d > kFlightSpeed * kStep) {
                    at.x += dx / d * kFlightSpeed * kStep;
                    at.z += dz / d * kFlightSpeed * kStep;
                } else if ((waited += kStep) > w.waitSeconds) {
                    ++next;
                    waited = 0.0f;
                }
            }
            at.y = kFlightHeight;
            boy->position = at;
            attractor->SetCenter(MorvoWorld::WorldToSim(at));
            // As the in-game frame does: last step's rain cells, step, triggers.
            world.GetRainHits().Clear();
            world.Update(kStep, false);
            world.GetTriggers().Check();
            world.CountMorvos();
            if (std::getenv("DEMO_PLAY_TRACE") && static_cast<int>(t * 60) % 120 == 0) {
                const MorvoCensus& c = world.GetCensus();
                std::printf("t %.1f at (%.0f %.0f) next %zu pure %d neutral %d dark %d size %.3f\n", t, at.x, at.z,
                            next, c.pure, c.neutral, c.dark, attractor->GetSize());
            }
            if (route.winTrigger.empty() && world.GetWinWhenAllPure() && world.HasOnlyPureMorvos()) {
                return true;
            }
            if (route.winTrigger.empty() && world.GetWinWhenNoDarkMorvos() && world.HasNoDarkMorvos()) {
                return true;
            }
            if (!route.winTrigger.empty()) {
                const Trigger* win = world.GetTriggers().FindByName(route.winTrigger);
                if (win != nullptr && win->fired) {
                    world.Update(kStep, false);  // the next frame, in which the islands see it
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(DemoPlay, FirstLightIsWonByVisitingTheGreyClouds)
{
    EXPECT_TRUE(Fly(Visit("Daydream1", {{265, 410}, {395, 310}, {500, 190}}, 120.0f)));
    MorvoWorld& world = GetMorvoWorld();
    world.CountMorvos();
    EXPECT_EQ(world.GetCensus().neutral, 0);
}

TEST_F(DemoPlay, DarkTideIsWonByBringingLightToTheDarkClouds)
{
    EXPECT_TRUE(Fly(Visit("Daydream2", {{-720, 700}, {-590, 660}, {-500, 500}}, 150.0f)));
}

TEST_F(DemoPlay, DarkTideIslandIsCleanedByFillingTheShoreWithLight)
{
    Route route{"Daydream2", {{kStartHere, kStartHere, kGatherSeconds}, {-720, 700, 3.0f}},
                60.0f,       "cleanmedium",
                "shore",     kIsland3medium};
    EXPECT_TRUE(Fly(route));
    EXPECT_FALSE(GetMorvoWorld().GetIsland(kIsland3medium)->IsDirty());
}

TEST_F(DemoPlay, FourWindsIslandsAreCleanedOneAfterTheOther)
{
    Route big{"Daydream4", {{kStartHere, kStartHere, kGatherSeconds}, {470, 130, 3.0f}}, 80.0f, "cleanbig", "bigshore",
              kIsland3big};
    EXPECT_TRUE(Fly(big));
    EXPECT_FALSE(GetMorvoWorld().GetIsland(kIsland3big)->IsDirty());
    GetMorvoWorld().Release();
    GetMorvoWorld().InitHeadless();
    Route small{"Daydream4",  {{kStartHere, kStartHere, kGatherSeconds}, {470, 130, 3.0f}, {720, -470, 3.0f}},
                80.0f,        "cleansmall",
                "smallshore", kIsland3small};
    EXPECT_TRUE(Fly(small));
    EXPECT_FALSE(GetMorvoWorld().GetIsland(kIsland3small)->IsDirty());
}

TEST_F(DemoPlay, EmberRainQuenchesTheVolcanoAndWinsByRain)
{
    Route route = Visit("Daydream3", {{-450, -420}}, 120.0f);
    route.winTrigger = "rainwin";
    route.island = kIslandVolcano;
    EXPECT_TRUE(Fly(route));
    const Trigger* quench = GetMorvoWorld().GetTriggers().FindByName("quench");
    ASSERT_NE(quench, nullptr);
    EXPECT_TRUE(quench->fired) << "the smoke did not stop before the win";
    EXPECT_FALSE(GetMorvoWorld().GetIsland(kIslandVolcano)->IsDirty());
}

TEST_F(DemoPlay, FourWindsIsWonByCarryingTheLightToBothIslands)
{
    EXPECT_TRUE(Fly(Visit("Daydream4", {{470, 130}, {600, -40}, {650, -260}, {720, -470}}, 240.0f)));
}

// Where the grey and dark morvos of a level stand, grouped: morvos within
// kGroupLink of one another share a group. The middles of the groups.
std::vector<Vec3> GroupsToConvert(const MorvoWorld& world)
{
    const MorvoState* state = world.GetStore()->GetCurrentState();
    std::vector<Vec3> points;
    for (int32_t i = 0; i < state->GetSize(); ++i) {
        const MorvoRecord& m = state->Get(i);
        if (m.active != 0 && m.color <= 0) {
            points.push_back(MorvoWorld::SimToWorld(m.position, 0));
        }
    }
    std::vector<int> group(points.size(), -1);
    std::vector<Vec3> middles;
    for (size_t seed = 0; seed < points.size(); ++seed) {
        if (group[seed] >= 0) {
            continue;
        }
        const int id = static_cast<int>(middles.size());
        std::vector<size_t> open = {seed};
        group[seed] = id;
        Vec3 sum;
        int count = 0;
        while (!open.empty()) {
            const size_t at = open.back();
            open.pop_back();
            sum = sum + points[at];
            ++count;
            for (size_t j = 0; j < points.size(); ++j) {
                if (group[j] < 0 && (points[j] - points[at]).Length() < kGroupLink) {
                    group[j] = id;
                    open.push_back(j);
                }
            }
        }
        middles.push_back(sum * (1.0f / static_cast<float>(count)));
    }
    return middles;
}

// The point is in the picture of the camera a chapter starts with (its
// first yaw, pitch and distance, following `from`) and nearer than the fog.
::testing::AssertionResult InDefaultView(const Vec3& from, const Vec3& point)
{
    OrbitCamera camera;
    camera.SetTarget(from);
    camera.Reset();
    const Vec3 eye = camera.GetViewMatrix().TransformPoint(point);
    const Vec3 ndc = camera.GetProjectionMatrix().TransformPoint(eye);
    if (-eye.z < camera.GetNearPlane() || -eye.z > kFogStart || std::fabs(ndc.x) > 1.0f || std::fabs(ndc.y) > 1.0f) {
        return ::testing::AssertionFailure() << "depth " << -eye.z << ", window " << ndc.x << ", " << ndc.y;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(DemoPlay, FromTheStartAndFromEachGroupTheNextGroupIsInView)
{
    for (const char* name : {"Daydream1", "Daydream2", "Daydream3", "Daydream4"}) {
        const Chapter* chapter = nullptr;
        ASSERT_TRUE(GamePlan::GetInstance()->GetStory().FindChapter(name, &chapter)) << name;
        GameFlow::GetInstance()->SetupWorldForLevel();
        ASSERT_TRUE(MorvoFiles::LoadLevel(DataGameFolder() + "/" + chapter->GetLevel())) << name;
        std::vector<Vec3> groups = GroupsToConvert(GetMorvoWorld());
        EXPECT_FALSE(groups.empty()) << name;
        // Like a newcomer: on to the nearest group not yet visited.
        Vec3 at = GetMorvoWorld().GetBoy()->position;
        while (!groups.empty()) {
            auto next = std::min_element(groups.begin(), groups.end(), [&](const Vec3& a, const Vec3& b) {
                return (a - at).Length() < (b - at).Length();
            });
            const Vec3 group(next->x, kFlightHeight, next->z);
            EXPECT_TRUE(InDefaultView(at, *next))
                << name << ": group at " << next->x << ", " << next->z << " seen from " << at.x << ", " << at.z;
            at = group;
            groups.erase(next);
        }
    }
}

}  // namespace
