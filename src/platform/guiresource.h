// Dialog, menu, accelerator and image resources, as a Win32 resource script
// holds them, kept in tables the program registers under a module name (the
// empty name is the program's own module). The backend builds its windows
// from them; nothing here needs a display.
#pragma once

#include "winmessages.h"

#include <string>

// Window styles of controls and dialogs (the Win32 values).
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_SETFOREGROUND = 0x200;
constexpr DWORD DS_3DLOOK = 0x4;

constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_CHECKBOX = 0x2;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_RADIOBUTTON = 0x4;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_OWNERDRAW = 0xB;
constexpr DWORD BS_TYPEMASK = 0xF;

constexpr DWORD ES_MULTILINE = 0x4;
constexpr DWORD ES_PASSWORD = 0x20;
constexpr DWORD ES_READONLY = 0x800;

constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD SS_ICON = 0x3;
constexpr DWORD SS_OWNERDRAW = 0xD;
constexpr DWORD SS_BITMAP = 0xE;
constexpr DWORD SS_TYPEMASK = 0x1F;

constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD SBS_VERT = 0x1;
constexpr DWORD TBS_VERT = 0x2;
constexpr DWORD PBS_VERTICAL = 0x4;

// Accelerator flags.
constexpr unsigned char FVIRTKEY = 0x01;
constexpr unsigned char FNOINVERT = 0x02;
constexpr unsigned char FSHIFT = 0x04;
constexpr unsigned char FCONTROL = 0x08;
constexpr unsigned char FALT = 0x10;

// Window class names of the controls.
constexpr const char* kButtonClass = "Button";
constexpr const char* kComboBoxClass = "ComboBox";
constexpr const char* kEditClass = "Edit";
constexpr const char* kListBoxClass = "ListBox";
constexpr const char* kStaticClass = "Static";
constexpr const char* kScrollBarClass = "ScrollBar";
constexpr const char* kTrackbarClass = "msctls_trackbar32";
constexpr const char* kProgressClass = "msctls_progress32";
constexpr const char* kListViewClass = "SysListView32";
constexpr const char* kTreeViewClass = "SysTreeView32";

// A borrowed array and its length.
template <typename T> struct GuiList {
    const T* items = nullptr;
    int count = 0;
    const T* begin() const { return items; }
    const T* end() const { return items + count; }
};
template <typename T, int N> constexpr GuiList<T> MakeGuiList(const T (&items)[N])
{
    return GuiList<T>{items, N};
}

// One control of a dialog; geometry in dialog units.
struct GuiControlTemplate {
    int id = -1;
    const char* className = kStaticClass;
    const char* caption = "";
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct GuiDialogTemplate {
    int id = 0;
    const char* caption = "";
    const char* fontName = "MS Sans Serif";
    int fontPoints = 8;
    DWORD style = 0;
    int width = 0;  // dialog units
    int height = 0;
    int menuId = 0;  // 0: no menu
    GuiList<GuiControlTemplate> controls;
};

// A menu as a flat list: level 0 entries are the bar's popups, level 1
// entries the commands of the popup above them.
struct GuiMenuItemTemplate {
    int level = 0;
    int id = 0;
    const char* text = "";
};

struct GuiMenuTemplate {
    int id = 0;
    GuiList<GuiMenuItemTemplate> items;
};

struct GuiAccelerator {
    unsigned char flags = FVIRTKEY;
    WORD key = 0;  // virtual-key code
    WORD command = 0;
};

struct GuiAcceleratorTemplate {
    int id = 0;
    GuiList<GuiAccelerator> keys;
};

// A bitmap or icon, read from an image file on load.
struct GuiImageTemplate {
    int id = 0;
    bool icon = false;
    const char* path = "";
};

struct GuiResourceTable {
    GuiList<GuiDialogTemplate> dialogs;
    GuiList<GuiMenuTemplate> menus;
    GuiList<GuiAcceleratorTemplate> accelerators;
    GuiList<GuiImageTemplate> images;
};

// Registers (or replaces) the table of a module; the table must outlive its use.
void RegisterGuiResources(const char* moduleName, const GuiResourceTable* table);
// Null when the module or the id is unknown. A null module name is the program's own.
const GuiDialogTemplate* FindGuiDialog(const char* moduleName, int id);
const GuiMenuTemplate* FindGuiMenu(const char* moduleName, int id);
const GuiAcceleratorTemplate* FindGuiAccelerators(const char* moduleName, int id);
const GuiImageTemplate* FindGuiImage(const char* moduleName, int id);
