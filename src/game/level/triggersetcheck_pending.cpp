// Stand-in for the per-frame trigger test until the world code provides it.
#include "triggerset.h"

void TriggerSet::Check()
{
}
