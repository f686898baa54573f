// The edit-dialog state; see editdialogappstate.h.
#include "editdialogappstate.h"

#include "application.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "gfxcomponent.h"
#include "leveleditdialog.h"
#include "mainthreadqueue.h"
#include "platformwindow.h"
#include "renderscene.h"
#include "stateindex.h"

#include <chrono>
#include <thread>

namespace {
constexpr auto kFramePause = std::chrono::milliseconds(1);  // leaves the processor to the toolkit
}  // namespace

EditDialogAppstate::EditDialogAppstate()
    : application_(Application::GetInstance())
{}

EditDialogAppstate::~EditDialogAppstate()
{
    if (editDialog_) {
        DestroyEditDialog(editDialog_);
    }
}

void EditDialogAppstate::Update(float dt)
{
    (void)dt;
    GetMainThreadQueue().Drain();
    RenderScene(true);
    GfxComponent::GetInstance()->SwapBuffers();
    if (editDialog_ && !editDialog_->IsOpen()) {
        application_->RequestState(StateIndex::kInGame);
    }
    std::this_thread::sleep_for(kFramePause);
}

void EditDialogAppstate::Enter(int previousIndex)
{
    (void)previousIndex;
    DebugLog("Entering EditDialogAppstate\n");
    if (editDialog_) {
        DEBUG_BREAK("EditDialogAppstate entered twice");
        return;
    }
    GetMainThreadQueue().Open();
    editDialog_ = CreateEditDialog(GfxComponent::GetInstance()->GetWindowHandle());
}

void EditDialogAppstate::Exit(int nextIndex)
{
    DebugLog("Exiting EditDialogAppstate\n");
    MainThreadQueue& queue = GetMainThreadQueue();
    queue.Drain();
    queue.Close();
    if (!editDialog_) {
        DEBUG_BREAK("EditDialogAppstate left without its dialog");
        return;
    }
    DestroyEditDialog(editDialog_);
    queue.Drain();
    if (nextIndex == StateIndex::kInGame) {
        // Without a window manager the focus stays on the desktop once the
        // dialog is gone, and the mouse would read nothing.
        FocusPlatformWindow(GfxComponent::GetInstance()->GetWindowHandle());
    }
}
