// The tree view: items by control messages, notifications to the callback.
#include "korrel/wtreeview.h"

#include "korrel/korrelcheck.h"
#include "korrel/wobjectwords.h"

namespace {

constexpr int kItemTextLength = 256;  // with the terminator
constexpr int kEventActivated = 3;
constexpr int kEventRightClick = 4;
constexpr int kEventSelected = 5;

WObjectWords<WTreeView>& Trees()
{
    static WObjectWords<WTreeView> trees;
    return trees;
}

// Item mask bits for the images that are set (>= 0).
UINT ImageMask(int image, int selectedImage)
{
    return (image >= 0 ? TVIF_IMAGE : 0) | (selectedImage >= 0 ? TVIF_SELECTEDIMAGE : 0);
}

}  // namespace

WTreeView::WTreeView(WControls* dialog, unsigned id, WTreeCallback callback, const unsigned* imageIds, int iconWidth,
                     int iconHeight)
    : callback_(callback),
      dialog_(dialog),
      id_(id)
{
    control_ = dialog ? GuiGetDlgItem(dialog->GetHwnd(), static_cast<int>(id)) : nullptr;
    KorrelCheck(control_ != nullptr, "WTreeView(): Could not create tree view");
    word_ = Trees().Add(this);
    if (dialog) {
        dialog->RegisterMessageHandler(id, OnNotify, WM_NOTIFY, word_);
    }
    if (!imageIds) {
        return;
    }
    images_ = GuiImageListCreate(iconWidth, iconHeight);
    for (int i = 0; i < kTreeImageCount; ++i) {
        if (imageIds[i] == 0) {
            continue;
        }
        const char* module = nullptr;  // the program's own resources
        HIMAGE image = GuiLoadImage(module, static_cast<int>(imageIds[i]), true);
        if (!image) {
            image = GuiLoadImage(module, static_cast<int>(imageIds[i]), false);
        }
        GuiImageListAdd(images_, image);
    }
    Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
}

WTreeView::~WTreeView()
{
    // The image list first, taken off the control before it goes so that the
    // control never paints with it; then no notice may reach this object
    // while its items are deleted.
    if (images_) {
        Send(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
        GuiImageListDestroy(images_);
        images_ = nullptr;
    }
    if (dialog_) {
        dialog_->UnregisterMessageHandler(id_, WM_NOTIFY);
    }
    Trees().Remove(word_);
    DeleteAll();
}

LRESULT WTreeView::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return GuiSendMessage(control_, message, wParam, lParam);
}

HTREEITEM WTreeView::InsertRootItem(const char* text, int image, int selectedImage)
{
    return InsertItem(TVI_ROOT(), text, image, selectedImage, TVI_LAST());
}

HTREEITEM WTreeView::InsertItem(HTREEITEM parent, const char* text, int image, int selectedImage, HTREEITEM insertAfter)
{
    TVINSERTSTRUCTA insert;
    insert.hParent = parent;
    insert.hInsertAfter = insertAfter;
    insert.item.mask = TVIF_TEXT | ImageMask(image, selectedImage);
    insert.item.pszText = const_cast<char*>(text ? text : "");
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool WTreeView::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    TVITEMA record;
    record.mask = TVIF_HANDLE | ImageMask(image, selectedImage);
    record.hItem = item;
    record.iImage = image;
    record.iSelectedImage = selectedImage;
    return Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&record)) != 0;
}

void WTreeView::SetItemText(HTREEITEM item, const char* text)
{
    TVITEMA record;
    record.mask = TVIF_TEXT | TVIF_HANDLE;
    record.hItem = item;
    record.pszText = const_cast<char*>(text ? text : "");
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&record));
}

std::string WTreeView::GetItemText(HTREEITEM item) const
{
    char text[kItemTextLength] = {};
    TVITEMA record;
    record.mask = TVIF_TEXT | TVIF_HANDLE;
    record.hItem = item;
    record.pszText = text;
    record.cchTextMax = kItemTextLength;
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
    return text;
}

HTREEITEM WTreeView::Next(WPARAM relation, HTREEITEM item) const
{
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM WTreeView::GetRoot() const
{
    return Next(TVGN_ROOT, nullptr);
}

HTREEITEM WTreeView::GetParentItem(HTREEITEM item) const
{
    return Next(TVGN_PARENT, item);
}

HTREEITEM WTreeView::GetChild(HTREEITEM item) const
{
    return Next(TVGN_CHILD, item);
}

HTREEITEM WTreeView::GetNextSibling(HTREEITEM item) const
{
    return Next(TVGN_NEXT, item);
}

HTREEITEM WTreeView::GetPrevSibling(HTREEITEM item) const
{
    return Next(TVGN_PREVIOUS, item);
}

HTREEITEM WTreeView::GetSelection() const
{
    return Next(TVGN_CARET, nullptr);
}

bool WTreeView::SelectItem(HTREEITEM item)
{
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}

bool WTreeView::Expand(HTREEITEM item, bool collapse)
{
    return Send(TVM_EXPAND, collapse ? TVE_COLLAPSE : (TVE_EXPAND | TVE_EXPANDPARTIAL),
                reinterpret_cast<LPARAM>(item)) != 0;
}

bool WTreeView::DeleteItem(HTREEITEM item)
{
    return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

bool WTreeView::DeleteAll()
{
    return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT())) != 0;
}

void WTreeView::OnNotify(WEvent event)
{
    const WTreeView* tree = Trees().Find(event.userWord);
    const auto* header = reinterpret_cast<const NMHDR*>(event.lParam);
    if (!tree || !header) {
        return;
    }
    int kind = 0;
    switch (header->code) {
        case NM_DBLCLK:
        case NM_RETURN:
            kind = kEventActivated;
            break;
        case NM_RCLICK:
            kind = kEventRightClick;
            break;
        case TVN_SELCHANGEDA:
            kind = kEventSelected;
            break;
        default:
            return;
    }
    if (tree->callback_) {
        tree->callback_(tree->GetSelection(), kind);
    }
}
