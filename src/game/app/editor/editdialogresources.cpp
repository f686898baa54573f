// Dialog 101, menu 101 and accelerators 102 as a resource script holds them.
#include "editdialogresources.h"

#include "guiresource.h"

namespace {

constexpr DWORD kDialogStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND | DS_3DLOOK;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;

// Geometry in dialog units: x, y, width, height.
constexpr GuiControlTemplate kEditControls[] = {
    {kEditOpenLevel, kButtonClass, "Open Level...", BS_PUSHBUTTON, 17, 17, 85, 14},
    {kEditSaveLevel, kButtonClass, "Save Level...", BS_PUSHBUTTON, 119, 17, 81, 14},
    {kEditResume, kButtonClass, "Resume Game", BS_DEFPUSHBUTTON | WS_TABSTOP, 149, 116, 66, 16},
    {kEditClearAll, kButtonClass, "Clear All Morvos", BS_PUSHBUTTON, 5, 116, 81, 16},
    {kEditWinWhenAllPure, kButtonClass, "Win when all morvos are pure", kCheckBox, 15, 63, 141, 13},
    {kEditWinWhenNoDarkMorvos, kButtonClass, "Win when no dark morvos", kCheckBox, 15, 78, 114, 10},
    {kEditLoseWhenNoPureMorvos, kButtonClass, "Lose when no pure morvos", kCheckBox, 15, 92, 180, 10},
    {-1, kButtonClass, "Files", BS_GROUPBOX, 5, 4, 210, 36},
    {-1, kButtonClass, "Win Conditions", BS_GROUPBOX, 5, 49, 210, 62},
};

constexpr GuiDialogTemplate kDialogs[] = {
    {kEditDialogId, "Morvo Edit", "MS Sans Serif", 8, kDialogStyle, 223, 138, kEditMenuId, MakeGuiList(kEditControls)},
};

constexpr GuiMenuItemTemplate kEditMenu[] = {
    {0, 0, "File"},                           // POPUP "File"
    {1, kEditOpenLevel, "Import..."},         // MENUITEM
    {1, kEditSaveLevel, "Export..."},         // MENUITEM
    {0, 0, "Help"},                           // POPUP "Help"
    {1, kEditHelp, "Morvo Editing Help..."},  // MENUITEM
};

constexpr GuiMenuTemplate kMenus[] = {
    {kEditMenuId, MakeGuiList(kEditMenu)},
};

constexpr GuiAccelerator kEditKeys[] = {
    {FVIRTKEY | FNOINVERT, VK_ESCAPE, kEditEscapeCommand},  // VK_ESCAPE, VIRTKEY, NOINVERT
    {FVIRTKEY | FNOINVERT, VK_RETURN, kEditReturnCommand},  // VK_RETURN, VIRTKEY, NOINVERT
};

constexpr GuiAcceleratorTemplate kAccelerators[] = {
    {kEditAcceleratorsId, MakeGuiList(kEditKeys)},
};

constexpr GuiResourceTable kResources = {MakeGuiList(kDialogs), MakeGuiList(kMenus), MakeGuiList(kAccelerators), {}};

}  // namespace

void RegisterEditDialogResources()
{
    RegisterGuiResources(nullptr, &kResources);
}
