// The closed-loop pilot of the end-to-end chapter runs: in the game it
// holds the left mouse button (the light on) and steers the boy with mouse
// motion only, reading the world and the camera every frame. It flies a
// route of waypoints (circling each cloud, then hovering over it), then
// goes after the nearest morvo that keeps the level from being won.
#pragma once

#include "playscript.h"

#include <vector>

// In the game: the mouse motion that moves the boy's steering point (the
// 3D cursor) to (wantX, wantZ) world units from the boy.
void SteerBoy(float wantX, float wantZ);

class PilotDriver : public ScriptDriver {
public:
    struct Waypoint {
        float x;
        float z;
        float waitSeconds;  // hover there before flying on
    };

    // A route that starts with a hover where the boy is, then circles and
    // hovers over each cloud, twice round.
    void PlanVisits(const std::vector<std::pair<float, float>>& clouds);

    void Frame() override;

private:
    void Fly();

    std::vector<Waypoint> route_;
    size_t next_ = 0;
    int waited_ = 0;
    bool holding_ = false;
    bool startPlaced_ = false;
};
