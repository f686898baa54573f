// The level's grid sets by index and name. Filled by the level reader and
// the cell painter, read by triggers, the renderer and the level writer.
// Index 9999 stands for a missing set; ids equal positions in the table.
#pragma once

#include "gridset.h"
#include "singleton.h"

#include <map>
#include <string>
#include <vector>

constexpr unsigned int kInvalidGridSetId = 9999;

class GridSetDatabase : public Singleton<GridSetDatabase> {
public:
    static GridSetDatabase* GetInstance();

    // Appends a copy and maps its name to it unless the name is taken.
    unsigned int Add(const GridSet& set);
    // An empty set under a fresh name "newSet_%d"; its index goes to *index.
    GridSet* NewSet(unsigned int* index);
    // The index mapped to the name; 9999 (logged) for an unknown one.
    unsigned int GetId(const std::string& name) const;
    // The stored set, or null for an index at or past the count. Pointers
    // are invalid after the next Add or Clear.
    GridSet* Get(unsigned int index);
    GridSet* FindSetContaining(float x, float y);
    int FindSetIndexContaining(float x, float y) const;
    std::vector<GridSet> GetGridSets() const { return sets_; }
    unsigned int GetCount() const { return static_cast<unsigned int>(sets_.size()); }
    // Also drops the cell painter's target (index -1, no set).
    void Clear();

private:
    bool IsNameUsed(const std::string& name) const;

    std::vector<GridSet> sets_;
    std::map<std::string, unsigned int> names_;
};
