// Uniform operations on the controls of a toolkit window, addressed by
// dialog-item id: each finds the control's kind from its window class and
// sends the message that fits it. Callable from any thread. Also registers
// callbacks in the handler registry and classifies event records.
#pragma once

#include "wevent.h"
#include "wobject.h"

#include <string>

// Control kinds, as GetControlType reports them.
enum WControlKind {
    kControlNone = 0,
    kControlButton = 1,
    kControlComboBox = 2,
    kControlEdit = 3,
    kControlListBox = 4,
    kControlStatic = 5,
    kControlProgress = 6,
    kControlScrollBar = 7,
    kControlTrackbar = 8,
    kControlListView = 9,
    kControlTreeView = 10,
    kControlMenuItem = 11,
};

// Event kinds, as GetEventKind reports them.
enum WEventKind {
    kEventOther = 0,
    kEventTimer = 1,
    kEventClicked = 2,
    kEventDoubleClicked = 3,
    kEventSelectionChanged = 5,
    kEventTextChanged = 6,
    kEventScrollBack = 7,
    kEventScrollForward = 8,
    kEventScrollThumb = 9,
    kEventScrollOther = 10,
};

class WControls : public WObject {
public:
    WControls();
    ~WControls() override;

    void RegisterMessageHandler(unsigned id, WEventCallback callback, unsigned message, unsigned userWord);
    void UnregisterMessageHandler(unsigned id, unsigned message);
    HWND GetHwnd() const { return hWnd_; }
    const WEvent& GetLastEvent() const { return lastEvent_; }

    int GetControlType(unsigned id) const;
    static int GetControlTypeOfClass(const std::string& className);
    static int GetEventKind(const WEvent& event);

    // Every "\n" becomes "\r\n" first. Result: 0 for buttons and edits, the
    // item's index for combo and list boxes, -1 where nothing is set.
    int SetText(unsigned id, std::string text, int index = -1);
    // At most 4095 characters, without "\r"; list and combo boxes: the selected item.
    std::string GetText(unsigned id) const;
    void SetEnabled(unsigned id, bool enable);
    void SetChecked(unsigned id, bool checked);
    bool IsChecked(unsigned id) const;
    void RemoveText(unsigned id, int index);
    void Clear(unsigned id);
    int GetCount(unsigned id) const;
    int GetSelected(unsigned id) const;
    void SetSelected(unsigned id, int index);
    int SetSelected(unsigned id, const std::string& text);
    int FindString(unsigned id, const std::string& text, int startIndex) const;
    HIMAGE LoadBitImage(unsigned id, unsigned imageId);
    void SetBitImage(unsigned id, HIMAGE image, bool icon);
    // Minimum and maximum are skipped when null.
    void GetBarPosition(unsigned id, int* position, int* minimum = nullptr, int* maximum = nullptr) const;
    void SetBarPosition(unsigned id, unsigned position, unsigned minimum, unsigned maximum);
    // Colour indices 0 to 9 from the colour table, 10 the default; id 0 is the window itself.
    void SetColor(unsigned id, int textColor, int backgroundColor);
    void SetBackgroundColor(int color);

    void SetCaption(const std::string& text);
    void GetSize(int* width, int* height) const;
    void SetSize(int width, int height);
    // Screen coordinates of the window's top-left corner.
    void GetPosition(int* x, int* y) const;
    void SetPosition(int x, int y);

private:
    friend class WHandlerRegistry;
    WEvent lastEvent_;
};

// One colour entry of the process's colour list.
struct WColorEntry {
    const WControls* owner = nullptr;
    HWND window = nullptr;
    unsigned id = 0;
    COLORREF text = 0;
    COLORREF background = 0;
    HBRUSH brush = nullptr;
};

// The colour entry for (window, control id); false when there is none.
bool FindColorEntry(HWND window, unsigned id, WColorEntry* found);
// The first entry of the window whose id names none of its controls.
bool FindWindowColorEntry(HWND window, WColorEntry* found);
void DropColorEntries(HWND window);
int ColorEntryCount();
