// The edit state's stand-in; see editstateplaceholder.h.
#include "editstateplaceholder.h"

#include "application.h"
#include "debuglog.h"
#include "stateindex.h"

void EditStatePlaceholder::Update(float dt)
{
    (void)dt;
    Application::GetInstance()->RequestState(StateIndex::kInGame);
}

void EditStatePlaceholder::Enter(int previousIndex)
{
    (void)previousIndex;
    DebugLog("The level editor is not part of this build.\n");
}

void EditStatePlaceholder::Exit(int nextIndex)
{
    (void)nextIndex;
}
