// Control operations by kind, event kinds and the colour list.
#include "korrel/wcontrols.h"

#include "korrel/korrelcheck.h"
#include "korrel/whandlerregistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

constexpr size_t kTextLimit = 4095;  // what a 4096-character buffer holds

struct ClassKind {
    const char* className;
    int kind;
};

// Window classes in the order they are compared.
constexpr ClassKind kClassKinds[] = {
    {kButtonClass, kControlButton},        // "Button"
    {kListBoxClass, kControlListBox},      // "ListBox"
    {kEditClass, kControlEdit},            // "Edit"
    {kComboBoxClass, kControlComboBox},    // "ComboBox"
    {kStaticClass, kControlStatic},        // "Static"
    {kScrollBarClass, kControlScrollBar},  // "ScrollBar"
    {kTrackbarClass, kControlTrackbar},    // "msctls_trackbar32"
    {kProgressClass, kControlProgress},    // "msctls_progress32"
    {kListViewClass, kControlListView},    // "SysListView32"
    {kTreeViewClass, kControlTreeView},    // "SysTreeView32"
};

std::mutex gColorMutex;
std::vector<WColorEntry>& ColorEntries()
{
    static auto* entries = new std::vector<WColorEntry>;
    return *entries;
}

LPARAM TextParam(const std::string& text)
{
    return reinterpret_cast<LPARAM>(text.c_str());
}

std::string WithoutCarriageReturns(std::string text)
{
    if (text.size() > kTextLimit) {
        text.resize(kTextLimit);
    }
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace

WControls::WControls() = default;

WControls::~WControls()
{
    KorrelHandlers().DropOwner(this);
}

void WControls::RegisterMessageHandler(unsigned id, WEventCallback callback, unsigned message, unsigned userWord)
{
    WHandlerEntry entry;
    entry.owner = this;
    entry.window = hWnd_;
    entry.id = id;
    entry.message = message;
    entry.userWord = userWord;
    entry.callback = callback;
    KorrelHandlers().Add(entry);
}

void WControls::UnregisterMessageHandler(unsigned id, unsigned message)
{
    KorrelHandlers().Remove(hWnd_, id, message);
}

int WControls::GetControlTypeOfClass(const std::string& className)
{
    for (const ClassKind& entry : kClassKinds) {
        if (className == entry.className) {
            return entry.kind;
        }
    }
    return kControlNone;
}

int WControls::GetControlType(unsigned id) const
{
    if (HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id))) {
        if (int kind = GetControlTypeOfClass(GuiGetClassName(item))) {
            return kind;
        }
    }
    if (hMenu_ && GuiGetMenuState(hMenu_, id) != kMenuItemMissing) {
        return kControlMenuItem;
    }
    return kControlNone;
}

int WControls::GetEventKind(const WEvent& event)
{
    const WORD high = HIWORD(event.wParam);
    const WORD low = LOWORD(event.wParam);
    switch (event.message) {
        case WM_TIMER:
            return kEventTimer;
        case WM_COMMAND:
            switch (high) {
                case 0:
                    return kEventClicked;
                case 2:
                case 5:
                    return kEventDoubleClicked;
                case 1:
                case 9:
                    return kEventSelectionChanged;
                case EN_CHANGE:
                    return kEventTextChanged;
                default:
                    return kEventOther;
            }
        case WM_HSCROLL:
        case WM_VSCROLL:
            switch (low) {
                case SB_LINEUP:
                case SB_PAGEUP:
                    return kEventScrollBack;
                case SB_LINEDOWN:
                case SB_PAGEDOWN:
                    return kEventScrollForward;
                case SB_THUMBPOSITION:
                    return kEventScrollThumb;
                default:
                    return kEventScrollOther;
            }
        default:
            return kEventOther;
    }
}

int WControls::SetText(unsigned id, std::string text, int index)
{
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.insert(at, 1, '\r');
    }
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    switch (GetControlType(id)) {
        case kControlButton:
        case kControlEdit:
            GuiSetWindowText(item, text);
            return 0;
        case kControlComboBox:
            return static_cast<int>(GuiSendMessage(item, CB_INSERTSTRING, static_cast<WPARAM>(index), TextParam(text)));
        case kControlListBox:
            return static_cast<int>(GuiSendMessage(item, LB_INSERTSTRING, static_cast<WPARAM>(index), TextParam(text)));
        case kControlListView:
            KorrelCheck(false, "LISTVIEW SetText() not supported\n");
            return -1;
        case kControlTreeView:
            KorrelCheck(false, "TREEVIEW SetText() not supported\n");
            return -1;
        default:
            return -1;
    }
}

std::string WControls::GetText(unsigned id) const
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    const int kind = GetControlType(id);
    if (kind == kControlComboBox || kind == kControlListBox) {
        const int selected = GetSelected(id);
        const UINT lengthMessage = kind == kControlComboBox ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
        const LRESULT length = GuiSendMessage(item, lengthMessage, static_cast<WPARAM>(selected), 0);
        if (selected < 0 || length < 0) {
            return std::string();
        }
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const UINT textMessage = kind == kControlComboBox ? CB_GETLBTEXT : LB_GETTEXT;
        text.resize(
            static_cast<size_t>(std::max<LRESULT>(0, GuiSendMessage(item, textMessage, static_cast<WPARAM>(selected),
                                                                    reinterpret_cast<LPARAM>(text.data())))));
        return WithoutCarriageReturns(text);
    }
    if (kind == kControlListView) {
        KorrelCheck(false, "LISTVIEW GetText() not supported\n");
        return std::string();
    }
    if (kind == kControlTreeView) {
        KorrelCheck(false, "TREEVIEW GetText() not supported\n");
        return std::string();
    }
    return WithoutCarriageReturns(GuiGetWindowText(item));
}

void WControls::SetEnabled(unsigned id, bool enable)
{
    if (GetControlType(id) == kControlMenuItem) {
        GuiEnableMenuItem(hMenu_, id, enable ? MF_ENABLED : MF_GRAYED);
    } else {
        GuiEnableWindow(GuiGetDlgItem(hWnd_, static_cast<int>(id)), enable);
    }
    GuiUpdateWindow(hWnd_);
}

void WControls::SetChecked(unsigned id, bool checked)
{
    switch (GetControlType(id)) {
        case kControlButton:
        case kControlEdit:
            GuiSendDlgItemMessage(hWnd_, static_cast<int>(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case kControlMenuItem:
            GuiCheckMenuItem(hMenu_, id, checked ? MF_CHECKED : MF_UNCHECKED);
            break;
        default:
            break;
    }
    GuiUpdateWindow(hWnd_);
}

bool WControls::IsChecked(unsigned id) const
{
    return GuiSendDlgItemMessage(hWnd_, static_cast<int>(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WControls::RemoveText(unsigned id, int index)
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    const WPARAM at = static_cast<WPARAM>(index);
    switch (GetControlType(id)) {
        case kControlComboBox:
            GuiSendMessage(item, CB_DELETESTRING, at, 0);
            break;
        case kControlListBox:
            GuiSendMessage(item, LB_DELETESTRING, at, 0);
            break;
        case kControlListView:
            GuiSendMessage(item, LVM_DELETEITEM, at, 0);
            break;
        case kControlTreeView:
            KorrelCheck(false, "TREEVIEW RemoveText() not supported\n");
            break;
        default:
            break;
    }
}

void WControls::Clear(unsigned id)
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    switch (GetControlType(id)) {
        case kControlEdit:
            SetText(id, "", -1);
            break;
        case kControlComboBox:
            GuiSendMessage(item, CB_RESETCONTENT, 0, 0);
            break;
        case kControlListBox:
            GuiSendMessage(item, LB_RESETCONTENT, 0, 0);
            break;
        case kControlListView:
            GuiSendMessage(item, LVM_DELETEALLITEMS, 0, 0);
            break;
        case kControlTreeView:
            GuiSendMessage(item, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT()));
            break;
        default:
            break;
    }
}

int WControls::GetCount(unsigned id) const
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    switch (GetControlType(id)) {
        case kControlComboBox:
            return static_cast<int>(GuiSendMessage(item, CB_GETCOUNT, 0, 0));
        case kControlListBox:
            return static_cast<int>(GuiSendMessage(item, LB_GETCOUNT, 0, 0));
        case kControlListView:
            return static_cast<int>(GuiSendMessage(item, LVM_GETITEMCOUNT, 0, 0));
        case kControlTreeView:
            return static_cast<int>(GuiSendMessage(item, TVM_GETCOUNT, 0, 0));
        default:
            return -1;
    }
}

int WControls::GetSelected(unsigned id) const
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    switch (GetControlType(id)) {
        case kControlComboBox:
            return static_cast<int>(GuiSendMessage(item, CB_GETCURSEL, 0, 0));
        case kControlListBox:
            return static_cast<int>(GuiSendMessage(item, LB_GETCURSEL, 0, 0));
        case kControlListView:
            return static_cast<int>(GuiSendMessage(item, LVM_GETSELECTIONMARK, 0, 0));
        case kControlTreeView:
            KorrelCheck(false, "TREEVIEW GetSelected() not supported\n");
            return -1;
        default:
            return -1;
    }
}

void WControls::SetSelected(unsigned id, int index)
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    const WPARAM at = static_cast<WPARAM>(index);
    switch (GetControlType(id)) {
        case kControlEdit:
            GuiSendMessage(item, EM_SETSEL, at, -1);
            break;
        case kControlComboBox:
            GuiSendMessage(item, CB_SETCURSEL, at, 0);
            break;
        case kControlListBox:
            GuiSendMessage(item, LB_SETCURSEL, at, 0);
            break;
        case kControlListView:
            GuiSendMessage(item, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(index));
            break;
        case kControlTreeView:
            KorrelCheck(false, "TREEVIEW SetSelected() not supported\n");
            break;
        default:
            break;
    }
}

int WControls::SetSelected(unsigned id, const std::string& text)
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    const WPARAM fromStart = static_cast<WPARAM>(-1);
    switch (GetControlType(id)) {
        case kControlComboBox:
            return static_cast<int>(GuiSendMessage(item, CB_SELECTSTRING, fromStart, TextParam(text)));
        case kControlListBox:
            return static_cast<int>(GuiSendMessage(item, LB_SELECTSTRING, fromStart, TextParam(text)));
        default:
            KorrelCheck(false, "SetSelected() not supported for this control ID type\n");
            return -1;
    }
}

int WControls::FindString(unsigned id, const std::string& text, int startIndex) const
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    const WPARAM start = static_cast<WPARAM>(startIndex);
    switch (GetControlType(id)) {
        case kControlComboBox:
            return static_cast<int>(GuiSendMessage(item, CB_FINDSTRING, start, TextParam(text)));
        case kControlListBox:
            return static_cast<int>(GuiSendMessage(item, LB_FINDSTRING, start, TextParam(text)));
        default:
            KorrelCheck(false, "FindString() not supported for this control ID type\n");
            return -1;
    }
}

HIMAGE WControls::LoadBitImage(unsigned id, unsigned imageId)
{
    const int resource = static_cast<int>(imageId & 0xFFFF);
    bool icon = false;
    HIMAGE image = GuiLoadImage(moduleName_, resource, false);
    if (!image) {
        image = GuiLoadImage(moduleName_, resource, true);
        icon = image != nullptr;
    }
    if (image && id != 0) {
        SetBitImage(id, image, icon);
    }
    return image;
}

void WControls::SetBitImage(unsigned id, HIMAGE image, bool icon)
{
    GuiSendDlgItemMessage(hWnd_, static_cast<int>(id), STM_SETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(image));
}

void WControls::GetBarPosition(unsigned id, int* position, int* minimum, int* maximum) const
{
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    int low = 0;
    int high = 0;
    int at = 0;
    switch (GetControlType(id)) {
        case kControlScrollBar: {
            SCROLLINFO info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
            GuiSendMessage(item, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
            at = info.nPos;
            low = info.nMin;
            high = info.nMax;
            break;
        }
        case kControlProgress:
            at = static_cast<int>(GuiSendMessage(item, PBM_GETPOS, 0, 0));
            low = static_cast<int>(GuiSendMessage(item, PBM_GETRANGE, TRUE, 0));
            high = static_cast<int>(GuiSendMessage(item, PBM_GETRANGE, FALSE, 0));
            break;
        case kControlTrackbar:
            at = static_cast<int>(GuiSendMessage(item, TBM_GETPOS, 0, 0));
            low = static_cast<int>(GuiSendMessage(item, TBM_GETRANGEMIN, 0, 0));
            high = static_cast<int>(GuiSendMessage(item, TBM_GETRANGEMAX, 0, 0));
            break;
        default:
            KorrelCheck(false, "WControls::GetBarPosition() not defined for this ID");
            return;
    }
    if (position) {
        *position = at;
    }
    if (minimum) {
        *minimum = low;
    }
    if (maximum) {
        *maximum = high;
    }
}

void WControls::SetBarPosition(unsigned id, unsigned position, unsigned minimum, unsigned maximum)
{
    KorrelCheck(minimum <= maximum, "You must set min <= max in SetBarPosition");
    const unsigned clamped = std::min(std::max(position, minimum), std::max(minimum, maximum));
    HWND item = GuiGetDlgItem(hWnd_, static_cast<int>(id));
    switch (GetControlType(id)) {
        case kControlScrollBar: {
            SCROLLINFO info;
            info.fMask = SIF_RANGE | SIF_POS;
            info.nMin = static_cast<int>(minimum);
            info.nMax = static_cast<int>(maximum);
            info.nPos = static_cast<int>(clamped);
            GuiSendMessage(item, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
            break;
        }
        case kControlProgress:
            GuiSendMessage(item, PBM_SETRANGE32, minimum, static_cast<LPARAM>(maximum));
            GuiSendMessage(item, PBM_SETPOS, clamped, 0);
            break;
        case kControlTrackbar:
            GuiSendMessage(item, TBM_SETRANGE, FALSE,
                           MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum)));
            GuiSendMessage(item, TBM_SETPOS, TRUE, static_cast<LPARAM>(clamped));
            break;
        default:
            KorrelCheck(false, "WControls::SetBarPosition() not defined for this ID");
            break;
    }
}

void WControls::SetColor(unsigned id, int textColor, int backgroundColor)
{
    const bool valid = textColor >= 0 && textColor <= kKorrelDefaultColor && backgroundColor >= 0 &&
                       backgroundColor <= kKorrelDefaultColor;
    KorrelCheck(valid, "Invalid color");
    if (!valid) {
        return;
    }
    WColorEntry entry;
    entry.owner = this;
    entry.window = hWnd_;
    entry.id = id;
    entry.text = KorrelColor(textColor == kKorrelDefaultColor ? kKorrelBlack : textColor);
    const int background = backgroundColor == kKorrelDefaultColor ? kKorrelWhite : backgroundColor;
    entry.background = KorrelColor(background);
    entry.brush = KorrelBrush(background);
    {
        std::lock_guard<std::mutex> lock(gColorMutex);
        std::vector<WColorEntry>& entries = ColorEntries();
        auto old = std::find_if(entries.begin(), entries.end(), [this, id](const WColorEntry& existing) {
            return existing.window == hWnd_ && existing.id == id;
        });
        if (old != entries.end()) {
            entries.erase(old);
        }
        entries.push_back(entry);
    }
    GuiInvalidateRect(hWnd_);
    GuiUpdateWindow(hWnd_);
}

void WControls::SetBackgroundColor(int color)
{
    SetColor(0, kKorrelDefaultColor, color);
}

void WControls::SetCaption(const std::string& text)
{
    GuiSetWindowText(hWnd_, text);
    GuiUpdateWindow(hWnd_);
}

void WControls::GetSize(int* width, int* height) const
{
    RECT rect;
    GuiGetWindowRect(hWnd_, &rect);
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
}

void WControls::SetSize(int width, int height)
{
    int x = 0;
    int y = 0;
    GetPosition(&x, &y);
    GuiMoveWindow(hWnd_, x, y, width, height, true);
}

void WControls::GetPosition(int* x, int* y) const
{
    RECT rect;
    GuiGetWindowRect(hWnd_, &rect);
    *x = rect.left;
    *y = rect.top;
}

void WControls::SetPosition(int x, int y)
{
    int width = 0;
    int height = 0;
    GetSize(&width, &height);
    GuiMoveWindow(hWnd_, x, y, width, height, true);
}

bool FindColorEntry(HWND window, unsigned id, WColorEntry* found)
{
    std::lock_guard<std::mutex> lock(gColorMutex);
    for (const WColorEntry& entry : ColorEntries()) {
        if (entry.window == window && entry.id == id) {
            *found = entry;
            return true;
        }
    }
    return false;
}

bool FindWindowColorEntry(HWND window, WColorEntry* found)
{
    std::vector<WColorEntry> candidates;
    {
        std::lock_guard<std::mutex> lock(gColorMutex);
        for (const WColorEntry& entry : ColorEntries()) {
            if (entry.window == window) {
                candidates.push_back(entry);
            }
        }
    }
    for (const WColorEntry& entry : candidates) {
        if (!GuiGetDlgItem(window, static_cast<int>(entry.id))) {
            *found = entry;
            return true;
        }
    }
    return false;
}

void DropColorEntries(HWND window)
{
    std::lock_guard<std::mutex> lock(gColorMutex);
    std::vector<WColorEntry>& entries = ColorEntries();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [window](const WColorEntry& entry) { return entry.window == window; }),
                  entries.end());
}

int ColorEntryCount()
{
    std::lock_guard<std::mutex> lock(gColorMutex);
    return static_cast<int>(ColorEntries().size());
}
