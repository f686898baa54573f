// Container operations of the trigger set and the condition keywords.
// The per-frame test lives with the world code (triggersetcheck.cpp).
#include "triggerset.h"

const char* TriggerConditionKeyword(int32_t condition)
{
    for (const TriggerConditionName& entry : kTriggerConditionNames) {
        if (entry.code == condition) {
            return entry.keyword;
        }
    }
    return nullptr;
}

bool TriggerConditionFromKeyword(const std::string& keyword, int32_t* condition)
{
    for (const TriggerConditionName& entry : kTriggerConditionNames) {
        if (keyword == entry.keyword) {
            *condition = entry.code;
            return true;
        }
    }
    return false;
}

void TriggerSet::Add(const Trigger& trigger)
{
    triggers_.push_back(trigger);
}

void TriggerSet::Clear()
{
    triggers_.clear();
}

int TriggerSet::GetCount() const
{
    return static_cast<int>(triggers_.size());
}

std::vector<Trigger> TriggerSet::GetTriggers() const
{
    return std::vector<Trigger>(triggers_.begin(), triggers_.end());
}

Trigger* TriggerSet::FindByName(const std::string& name)
{
    for (Trigger& trigger : triggers_) {
        if (trigger.id == name) {
            return &trigger;
        }
    }
    return nullptr;
}

const Trigger* TriggerSet::FindByName(const std::string& name) const
{
    return const_cast<TriggerSet*>(this)->FindByName(name);
}
