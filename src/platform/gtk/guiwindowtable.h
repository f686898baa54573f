// Inside the GTK backend: the table of live windows (dialogs and controls)
// by handle, and how a control reports to its dialog. GUI thread only.
#pragma once

#include <gtk/gtk.h>

#include "guiwindow.h"

#include <string>
#include <vector>

enum class GuiKind {
    Dialog,
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    OwnerDraw,
    Edit,
    MultiLineEdit,
    Label,
    Picture,
    ComboBox,
    ListBox,
    ScrollBar,
    Trackbar,
    Progress,
    ListView,
    TreeView,
};

struct GuiMenuEntry {
    UINT id = 0;
    GtkWidget* item = nullptr;
    UINT state = 0;  // MF_CHECKED | MF_GRAYED
};

struct GuiWindowRecord {
    UINT handle = 0;
    UINT parent = 0;  // 0 for a dialog
    int controlId = 0;
    std::string className;
    DWORD style = 0;
    GuiKind kind = GuiKind::Dialog;
    std::string text;            // caption of dialogs, buttons, frames and labels
    GtkWidget* outer = nullptr;  // what is placed, sized and shown
    GtkWidget* inner = nullptr;  // what holds the data and takes the focus
    GtkWidget* fixed = nullptr;  // dialog: the control area
    GuiDialogProc procedure = nullptr;
    std::vector<UINT> children;  // dialog: controls in creation order
    std::vector<GuiMenuEntry> menu;
    bool hasMenu = false;
    int baseX = 6;  // dialog: base units of its font
    int baseY = 13;
    bool destroying = false;
    int quiet = 0;           // >0 while the program changes the control
    int pendingScroll = -1;  // trackbar: request of a user move in progress
    SCROLLINFO scroll;       // scroll bar: range, page and position
    int rangeMin = 0;        // progress bar
    int rangeMax = 100;
    int position = 0;
    HIMAGE image = nullptr;
    GtkCssProvider* colours = nullptr;
    COLORREF shownText = 0;
    COLORREF shownBack = 0xFFFFFF;
};

GuiWindowRecord* FindGuiWindow(UINT handle);
GuiWindowRecord* FindGuiWindow(HWND window);
HWND GuiHandle(UINT handle);
UINT GuiHandleValue(HWND window);

// Calls the dialog's procedure (a handler is running meanwhile); 0 when the dialog is gone.
LRESULT SendToDialogProcedure(UINT dialog, UINT message, WPARAM wParam, LPARAM lParam);
// WM_COMMAND(control id, code) with the control's handle, unless the program is changing it.
void NotifyDialog(const GuiWindowRecord& control, WORD code);
// WM_NOTIFY with the control's header, unless the program is changing it.
void NotifyDialogHeader(const GuiWindowRecord& control, int code);

// Builds the control's widgets (the record's outer and inner), connects its signals.
void BuildGuiControl(GuiWindowRecord& control, const GuiControlTemplate& entry, GtkWidget** radioGroup);
LRESULT GuiControlMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam);
// The pixels of a loaded image, null for none.
GdkPixbuf* GuiImagePixbuf(HIMAGE image);
// Owner drawing: WM_DRAWITEM to the dialog with a device context on the cairo context.
gboolean OnOwnerDrawSignal(GtkWidget* widget, cairo_t* cairo, gpointer data);
// Tree views (guitreeview.cpp): the store of their items (text, item,
// image, selected image), icons from the control's image list, and the
// item messages.
GtkTreeModel* NewGuiTreeStore();
void AddGuiTreeImages(GuiWindowRecord& control);
LRESULT GuiTreeItemMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam);
// Win32 caption with '&' mnemonics as a GTK label with '_' ones.
std::string GuiMnemonicLabel(const std::string& caption);

// Counts the program's own change of a control, so it sends no notification.
class GuiQuietChange {
public:
    explicit GuiQuietChange(GuiWindowRecord& control)
        : control_(control)
    {
        ++control_.quiet;
    }
    ~GuiQuietChange() { --control_.quiet; }
    GuiQuietChange(const GuiQuietChange&) = delete;
    GuiQuietChange& operator=(const GuiQuietChange&) = delete;

private:
    GuiWindowRecord& control_;
};

// The device context of a colour query or an owner drawing.
struct GuiDrawContextTag {
    cairo_t* cairo = nullptr;
    COLORREF text = 0;
    COLORREF back = 0xFFFFFF;
    bool textSet = false;
    bool backSet = false;
};
