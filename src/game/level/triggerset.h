// The world's ordered list of level triggers (file order, then the editor's
// additions). Entries keep their addresses while the set grows, so particle
// systems and islands may hold Trigger pointers until the set is cleared.
#pragma once

#include "trigger.h"

#include <list>
#include <string>
#include <vector>

class TriggerSet {
public:
    // Appends a copy at the end.
    void Add(const Trigger& trigger);
    // Removes every entry; pointers into the set become invalid.
    void Clear();
    int GetCount() const;
    // A copy of the entries in list order.
    std::vector<Trigger> GetTriggers() const;
    // The first entry whose id equals the name, or null.
    Trigger* FindByName(const std::string& name);
    const Trigger* FindByName(const std::string& name) const;

    // The per-frame test: every unfired trigger whose condition holds loses a
    // hit point or fires its effect as a message to the in-game state.
    void Check();

private:
    std::list<Trigger> triggers_;
};
