// A tree-view control of a toolkit dialog with an icon image list; its
// notifications reach one user callback with the selected item and an
// event kind (3 double click or Return, 4 right click, 5 new selection).
// Not a WObject: it attaches to the dialog it is given.
#pragma once

#include "guitreeview.h"  // HTREEITEM, HIMAGELIST
#include "wcontrols.h"

#include <string>

using WTreeCallback = void (*)(HTREEITEM item, int kind);

constexpr int kTreeImageCount = 16;

class WTreeView {
public:
    // imageIds: 16 resource ids of icons (or bitmaps), 0 for none; null for no image list.
    WTreeView(WControls* dialog, unsigned id, WTreeCallback callback, const unsigned* imageIds, int iconWidth,
              int iconHeight);
    // Stops the notifications first, then deletes the items, then detaches
    // and destroys the image list.
    ~WTreeView();
    WTreeView(const WTreeView&) = delete;
    WTreeView& operator=(const WTreeView&) = delete;

    // Images below 0 are left unset.
    HTREEITEM InsertRootItem(const char* text, int image = -1, int selectedImage = -1);
    HTREEITEM InsertItem(HTREEITEM parent, const char* text, int image = -1, int selectedImage = -1,
                         HTREEITEM insertAfter = TVI_LAST());
    bool SetItemImage(HTREEITEM item, int image, int selectedImage);
    void SetItemText(HTREEITEM item, const char* text);
    // At most 255 characters.
    std::string GetItemText(HTREEITEM item) const;
    HTREEITEM GetRoot() const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetChild(HTREEITEM item) const;
    HTREEITEM GetNextSibling(HTREEITEM item) const;
    HTREEITEM GetPrevSibling(HTREEITEM item) const;
    HTREEITEM GetSelection() const;
    bool SelectItem(HTREEITEM item);
    bool Expand(HTREEITEM item, bool collapse);
    bool DeleteItem(HTREEITEM item);
    bool DeleteAll();
    HIMAGELIST GetImageList() const { return images_; }
    HWND GetHwnd() const { return control_; }

    static void OnNotify(WEvent event);

private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    HTREEITEM Next(WPARAM relation, HTREEITEM item) const;

    WTreeCallback callback_;
    WControls* dialog_;
    unsigned id_;
    HWND control_ = nullptr;
    HIMAGELIST images_ = nullptr;
    unsigned word_ = 0;  // our user word in the handler registry
};
