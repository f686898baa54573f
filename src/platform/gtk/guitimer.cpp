// GUI-thread timers as GLib timeouts of the GUI thread's main context.
#include "guitimer.h"

#include "guithread.h"

#include <glib.h>

#include <algorithm>

namespace {

gboolean OnTimeout(gpointer data)
{
    GuiBusyScope busy;
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_CONTINUE;
}

void DeleteTick(gpointer data)
{
    delete static_cast<std::function<void()>*>(data);
}

}  // namespace

unsigned GuiStartTimer(unsigned periodMs, std::function<void()> tick)
{
    unsigned timer = 0;
    auto* owned = new std::function<void()>(std::move(tick));
    const bool ran = CallOnGuiThread([&timer, owned, periodMs] {
        timer = g_timeout_add_full(G_PRIORITY_DEFAULT, std::max(periodMs, 1u), OnTimeout, owned, DeleteTick);
    });
    if (!ran) {
        delete owned;
    }
    return timer;
}

void GuiStopTimer(unsigned timer)
{
    if (timer == 0) {
        return;
    }
    CallOnGuiThread([timer] {
        if (GSource* source = g_main_context_find_source_by_id(g_main_context_default(), timer)) {
            g_source_destroy(source);
        }
    });
}
