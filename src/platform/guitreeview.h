// Tree-view control messages and records (the Win32 ones the toolkit's tree
// view sends), and image lists that give its items their icons. Items are
// handles that are never reused; a message naming a deleted item fails (0).
#pragma once

#include "guimessages.h"
#include "guiwindow.h"  // HIMAGE

constexpr UINT TVM_INSERTITEMA = 0x1100;
constexpr UINT TVM_EXPAND = 0x1102;
constexpr UINT TVM_GETIMAGELIST = 0x1108;
constexpr UINT TVM_SETIMAGELIST = 0x1109;
constexpr UINT TVM_GETNEXTITEM = 0x110A;
constexpr UINT TVM_SELECTITEM = 0x110B;
constexpr UINT TVM_GETITEMA = 0x110C;
constexpr UINT TVM_SETITEMA = 0x110D;

constexpr WPARAM TVGN_ROOT = 0x0;
constexpr WPARAM TVGN_NEXT = 0x1;
constexpr WPARAM TVGN_PREVIOUS = 0x2;
constexpr WPARAM TVGN_PARENT = 0x3;
constexpr WPARAM TVGN_CHILD = 0x4;
constexpr WPARAM TVGN_CARET = 0x9;

constexpr WPARAM TVE_COLLAPSE = 0x1;
constexpr WPARAM TVE_EXPAND = 0x2;
constexpr WPARAM TVE_EXPANDPARTIAL = 0x4000;

constexpr WPARAM TVSIL_NORMAL = 0;

constexpr UINT TVIF_TEXT = 0x1;
constexpr UINT TVIF_IMAGE = 0x2;
constexpr UINT TVIF_HANDLE = 0x10;
constexpr UINT TVIF_SELECTEDIMAGE = 0x20;

inline HTREEITEM TVI_FIRST()
{
    return reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0xFFFF));
}
inline HTREEITEM TVI_LAST()
{
    return reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0xFFFE));
}

struct TVITEMA {
    UINT mask = 0;
    HTREEITEM hItem = nullptr;
    UINT state = 0;
    UINT stateMask = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    int iSelectedImage = 0;
    int cChildren = 0;
    LPARAM lParam = 0;
};

struct TVINSERTSTRUCTA {
    HTREEITEM hParent = nullptr;
    HTREEITEM hInsertAfter = nullptr;
    TVITEMA item;
};

struct GuiImageListTag;
using HIMAGELIST = GuiImageListTag*;

// An empty list of images shown at width x height.
HIMAGELIST GuiImageListCreate(int width, int height);
// Index of the added image, -1 for none.
int GuiImageListAdd(HIMAGELIST list, HIMAGE image);
int GuiImageListCount(HIMAGELIST list);
// The list must no longer be set on a control.
void GuiImageListDestroy(HIMAGELIST list);
