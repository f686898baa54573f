// The toolkit's start: GUI thread, key filter, colour and brush tables.
#include "korrel/wobject.h"

#include "guithread.h"
#include "korrel/korrelcheck.h"
#include "korrel/whotkeytable.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace {

// Colour words of the table; 10 to 15 stay black.
constexpr COLORREF kColorTable[kKorrelColorCount] = {
    RGB(0, 0, 0),        // 0 black
    RGB(192, 192, 192),  // 1 light grey
    RGB(224, 224, 224),  // 2 lighter grey
    RGB(255, 0, 0),      // 3 red
    RGB(255, 255, 0),    // 4 yellow
    RGB(255, 0, 255),    // 5 magenta
    RGB(0, 255, 0),      // 6 green
    RGB(0, 0, 255),      // 7 blue
    RGB(0, 255, 255),    // 8 cyan
    RGB(255, 255, 255),  // 9 white
};

HBRUSH gBrushes[kKorrelColorCount] = {};
std::atomic<bool> gStarted{false};  // the toolkit's own start, whoever started the GUI thread
int gBrushBuilds = 0;
std::once_flag gBrushesOnce;

// Keys reach a dialog here before its focused control: the window's hot-key
// table (or its parent's), then the dialog keys of the table's window.
bool FilterKey(const MSG& message)
{
    WHotKeyEntry entry;
    const bool taken = KorrelHotKeys().Find(message.hwnd, GuiGetParent(message.hwnd), &entry);
    if (taken && GuiTranslateAccelerator(entry.window, entry.table, message)) {
        return true;
    }
    return GuiIsDialogMessage(taken ? entry.window : nullptr, message);
}

}  // namespace

WObject::WObject()
{
    if (gStarted && GuiThreadRunning()) {
        KorrelTrace("WObject::WObject() Constructor - MessageThread already running\n");
    } else {
        KorrelTrace("WObject::WObject() Constructor - must create MessageThread\n");
        std::call_once(gBrushesOnce, [] {
            for (int k = 0; k < kKorrelColorCount; ++k) {
                gBrushes[k] = GuiCreateSolidBrush(kColorTable[k]);
            }
            ++gBrushBuilds;
        });
        StartGuiThread();
        KorrelCheck(GuiThreadRunning(), "Internal Error - cannot create message thread");
        SetGuiMessageFilter(FilterKey);
        gStarted = true;
        KorrelTrace("WObject::MessageThread(): started threadId=%u\n", GuiThreadId());
    }
    KorrelTrace("WObject::WObject() MessageThreadId=%u\n", GuiThreadId());
}

WObject::~WObject()
{
    KorrelTrace("WObject::~WObject() Destructor\n");
}

void WObject::RegisterHotKeyTable(unsigned id)
{
    HACCEL table = GuiLoadAccelerators(moduleName_, static_cast<int>(id & 0xFFFF));
    KorrelCheck(table != nullptr, "RegisterHotKeyTable() could not load the key accelerator table");
    if (table) {
        KorrelHotKeys().Add(hWnd_, table);
    }
}

void WObject::SetVisible(bool visible, unsigned id)
{
    HWND target = id == 0 ? hWnd_ : GuiGetDlgItem(hWnd_, static_cast<int>(id));
    GuiShowWindow(target, visible);
    std::this_thread::yield();
    GuiSetForegroundWindow(hWnd_);
}

void WObject::SetVisible(unsigned id, bool visible)
{
    SetVisible(visible, id);
}

COLORREF KorrelColor(int index)
{
    return index >= 0 && index < kKorrelColorCount ? kColorTable[index] : 0;
}

HBRUSH KorrelBrush(int index)
{
    return index >= 0 && index < kKorrelColorCount ? gBrushes[index] : nullptr;
}

int KorrelBrushTableBuilds()
{
    return gBrushBuilds;
}

void KorrelShutdown()
{
    if (GuiThreadRunning()) {
        StopGuiThread();
        KorrelTrace("WObject::MessageThread(): stopped\n");
    }
}
