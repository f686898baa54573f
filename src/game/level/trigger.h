// A level trigger: a named watch over a grid set with a condition, hit
// points and an effect. The trigger set of the world holds them; the level
// reader and the editor make them, particle systems and islands watch them.
#pragma once

#include <cstdint>
#include <string>

// What a trigger waits for (the level file's "type" keywords).
enum TriggerCondition : int32_t {
    NO_CONDITION = 0,
    BOY_ENTERS = 1,
    RAIN_WITHIN = 2,
    FILLED_WHITE = 3,
    FILLED_BLACK = 4,
    START_UP = 5,
};

// What a fired trigger sends to the in-game state, as the message type.
enum TriggerEffect : int32_t {
    EFFECT_PLAY_ANIM = 14,
    EFFECT_WIN = 15,
    EFFECT_LOSE = 16,
    EFFECT_PSYS_OFF = 17,
    EFFECT_PSYS_ON = 18,
    EFFECT_CLEAN = 19,
};

struct TriggerConditionName {
    int32_t code;
    const char* keyword;
};

// Condition codes and their keywords, in code order.
constexpr TriggerConditionName kTriggerConditionNames[] = {
    {NO_CONDITION, "NO_CONDITION"}, {BOY_ENTERS, "BOY_ENTERS"},     {RAIN_WITHIN, "RAIN_WITHIN"},
    {FILLED_WHITE, "FILLED_WHITE"}, {FILLED_BLACK, "FILLED_BLACK"}, {START_UP, "START_UP"},
};

// The keyword of a condition code; null for a code outside the table.
const char* TriggerConditionKeyword(int32_t condition);

// The code of a condition keyword; false (code untouched) for an unknown one.
bool TriggerConditionFromKeyword(const std::string& keyword, int32_t* condition);

struct Trigger {
    std::string id;  // the trigger's name; look-ups take the first match
    int32_t condition = NO_CONDITION;
    bool visible = false;    // outlined by the scene renderer
    int32_t gridSet = -1;    // index into the GridSetDatabase, -1 for none
    int32_t animation = -1;  // index into the AnimationDatabase, -1 for none
    int32_t hitPoints = 0;
    int32_t remainingHits = 0;  // counts down to the firing
    bool fired = false;         // set once; a fired trigger is not tested again
    int32_t effect = 0;
    // The names of the grid set and the animation (effect 14) as the level
    // gave them, kept for the writer when they do not resolve.
    std::string gridSetName;
    std::string animationName;
};
