// Interface of whoever must know when the game flow loads or unloads a
// level (the in-game state). Called in this order: before load, after load,
// before unload, after unload. Every operation is empty by default.
#pragma once

class LevelListener {
public:
    virtual ~LevelListener() = default;
    virtual void OnBeforeLevelLoad() {}
    virtual void OnLevelLoaded() {}
    virtual void OnBeforeLevelUnload() {}
    virtual void OnLevelUnloaded() {}
};
