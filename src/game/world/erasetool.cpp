// EraseTool: removes the morvos inside its circle.
#include "erasetool.h"

#include "circlequery.h"
#include "debugbreak.h"
#include "morvoworld.h"

#include <list>

void EraseTool::Apply(MorvoWorld* world, int32_t /*selector*/, Vec2 position)
{
    if (world == nullptr) {
        DEBUG_BREAK("EraseTool::Apply: null world");
        return;
    }
    if (world->GetGrid() == nullptr || world->GetStore() == nullptr) {
        return;
    }
    std::list<int32_t> ids;
    CollectMorvosInCircle(*world->GetGrid(), *world->GetStore()->GetCurrentState(), position, GetRadius(), ids);
    for (int32_t id : ids) {
        world->RemoveMorvo(id);
    }
}
