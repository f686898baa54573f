// The grid-set table of the loaded level.
#include "gridsetdatabase.h"

#include "debuglog.h"
#include "random15.h"
#include "toolset.h"

#include <cstdio>

namespace {

constexpr int kNewSetNumberRange = 1000;  // "newSet_%d" draws 0..999 first
constexpr int kNewSetMaxDraws = 1000;     // then counts up from 1000

std::string NewSetName(int number)
{
    char name[32];
    std::snprintf(name, sizeof(name), "newSet_%d", number);
    return name;
}

}  // namespace

GridSetDatabase* GridSetDatabase::GetInstance()
{
    if (Singleton<GridSetDatabase>::FindInstance() == nullptr) {
        new GridSetDatabase();
    }
    return Singleton<GridSetDatabase>::FindInstance();
}

unsigned int GridSetDatabase::Add(const GridSet& set)
{
    sets_.push_back(set);
    const unsigned int index = static_cast<unsigned int>(sets_.size() - 1);
    names_.emplace(set.GetName(), index);
    return index;
}

bool GridSetDatabase::IsNameUsed(const std::string& name) const
{
    if (names_.count(name) != 0) {
        return true;
    }
    for (const GridSet& set : sets_) {
        if (set.GetName() == name) {
            return true;
        }
    }
    return false;
}

GridSet* GridSetDatabase::NewSet(unsigned int* index)
{
    // A name already in the table would shadow the new set and lose it on save.
    std::string name;
    bool found = false;
    for (int draw = 0; draw < kNewSetMaxDraws && !found; ++draw) {
        name = NewSetName(Rand15() % kNewSetNumberRange);
        found = !IsNameUsed(name);
    }
    for (int number = kNewSetNumberRange; !found; ++number) {
        name = NewSetName(number);
        found = !IsNameUsed(name);
    }
    GridSet set;
    set.SetName(name);
    const unsigned int added = Add(set);
    if (index != nullptr) {
        *index = added;
    }
    return &sets_[added];
}

unsigned int GridSetDatabase::GetId(const std::string& name) const
{
    const auto it = names_.find(name);
    if (it == names_.end()) {
        DebugLog("GridSetDatabase: Trying to get an invalid ID: %s\n", name.c_str());
        return kInvalidGridSetId;
    }
    return it->second;
}

GridSet* GridSetDatabase::Get(unsigned int index)
{
    return index < sets_.size() ? &sets_[index] : nullptr;
}

GridSet* GridSetDatabase::FindSetContaining(float x, float y)
{
    const int index = FindSetIndexContaining(x, y);
    return index >= 0 ? &sets_[static_cast<size_t>(index)] : nullptr;
}

int GridSetDatabase::FindSetIndexContaining(float x, float y) const
{
    for (size_t i = 0; i < sets_.size(); ++i) {
        if (sets_[i].Contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void GridSetDatabase::Clear()
{
    sets_.clear();
    names_.clear();
    // The cell painter's target was one of the sets.
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetSetIndex(-1);
    painter.SetTargetSet(nullptr);
}
