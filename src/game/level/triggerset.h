// The world's ordered list of level triggers (file order, then the editor's
// additions). Entries keep their addresses while the set grows, so particle
// systems and islands may hold Trigger pointers until the set is cleared.
#pragma once

#include "trigger.h"

#include "morvostore.h"
#include "vec2.h"

#include <list>
#include <string>
#include <vector>

class UniformGrid;

// True when the grid cell (column, row as floats) holds two or more pure
// morvos; a cell outside the grid and indices outside the state hold none.
bool IsCellFilledWhite(const UniformGrid& grid, const MorvoState& state, const Vec2& cell);

class TriggerSet {
public:
    // Appends a copy at the end.
    void Add(const Trigger& trigger);
    // Removes every entry; pointers into the set become invalid.
    void Clear();
    int GetCount() const;
    // A copy of the entries in list order.
    std::vector<Trigger> GetTriggers() const;
    // The entries themselves, in list order.
    const std::list<Trigger>& Entries() const { return triggers_; }
    // The first entry whose id equals the name, or null.
    Trigger* FindByName(const std::string& name);
    const Trigger* FindByName(const std::string& name) const;

    // The per-frame test: every unfired trigger whose condition holds loses a
    // hit point or fires its effect as a message to the in-game state.
    void Check();

private:
    std::list<Trigger> triggers_;
};
