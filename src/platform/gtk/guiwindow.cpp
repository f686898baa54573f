// Dialog windows on GTK: the window table, dialogs built from resource
// templates, window calls, menus, accelerators, dialog keys and colours.
#include "guiwindowtable.h"

#include "guithread.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <tuple>

struct GuiBrushTag {
    COLORREF colour;
};

struct GuiImageTag {
    GdkPixbuf* pixbuf;
};

namespace {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kHandleKey = "korrel-handle";
constexpr const char* kDialogKey = "korrel-dialog";
constexpr const char* kBaseUnitSample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kComboBoxRows = 14;  // dialog units of a combo box's closed field
constexpr const char* kDialogCss = ".korrel-dialog button { padding: 0px 4px; min-height: 0px; min-width: 0px; }\n"
                                   ".korrel-dialog checkbutton, .korrel-dialog radiobutton { padding: 0px; }\n"
                                   ".korrel-dialog frame > border { border-radius: 0px; }\n"
                                   ".korrel-menu menuitem check:not(:checked) { opacity: 0; }\n";

struct KeyName {
    guint keyval;
    WPARAM virtualKey;
};

// GDK key values and the Win32 virtual keys they stand for.
constexpr KeyName kKeyTable[] = {
    {GDK_KEY_BackSpace, VK_BACK},     // VK_BACK
    {GDK_KEY_Tab, VK_TAB},            // VK_TAB
    {GDK_KEY_ISO_Left_Tab, VK_TAB},   // VK_TAB with Shift
    {GDK_KEY_Return, VK_RETURN},      // VK_RETURN
    {GDK_KEY_KP_Enter, VK_RETURN},    // VK_RETURN (keypad)
    {GDK_KEY_Shift_L, VK_SHIFT},      // VK_SHIFT
    {GDK_KEY_Shift_R, VK_SHIFT},      // VK_SHIFT
    {GDK_KEY_Control_L, VK_CONTROL},  // VK_CONTROL
    {GDK_KEY_Control_R, VK_CONTROL},  // VK_CONTROL
    {GDK_KEY_Alt_L, VK_MENU},         // VK_MENU
    {GDK_KEY_Alt_R, VK_MENU},         // VK_MENU
    {GDK_KEY_Escape, VK_ESCAPE},      // VK_ESCAPE
    {GDK_KEY_space, VK_SPACE},        // VK_SPACE
    {GDK_KEY_Page_Up, 0x21},          // VK_PRIOR
    {GDK_KEY_Page_Down, 0x22},        // VK_NEXT
    {GDK_KEY_End, 0x23},              // VK_END
    {GDK_KEY_Home, 0x24},             // VK_HOME
    {GDK_KEY_Left, VK_LEFT},          // VK_LEFT
    {GDK_KEY_Up, VK_UP},              // VK_UP
    {GDK_KEY_Right, VK_RIGHT},        // VK_RIGHT
    {GDK_KEY_Down, VK_DOWN},          // VK_DOWN
    {GDK_KEY_Insert, 0x2D},           // VK_INSERT
    {GDK_KEY_Delete, 0x2E},           // VK_DELETE
};

struct WindowTable {
    std::map<UINT, std::unique_ptr<GuiWindowRecord>> windows;
    UINT nextHandle = 0x100;
    UINT foreground = 0;
    std::map<std::string, std::string> fontClasses;  // font key -> style class
    bool cssInstalled = false;
    std::map<std::tuple<std::string, int, bool>, GuiImageTag*> images;
};

// GUI thread only; never destroyed.
WindowTable& Table()
{
    static WindowTable* table = new WindowTable;
    return *table;
}

std::atomic<GuiMessageFilter> gMessageFilter{nullptr};
GdkModifierType gKeyModifiers = GdkModifierType(0);  // GUI thread: the key being handled

template <typename R, typename F> R OnGui(R fallback, F&& fn)
{
    R result = fallback;
    CallOnGuiThread([&] { result = fn(); });
    return result;
}

GuiWindowRecord* DialogOf(GuiWindowRecord* window)
{
    if (window && window->kind != GuiKind::Dialog) {
        return FindGuiWindow(window->parent);
    }
    return window;
}

int MulDivRound(int value, int numerator, int denominator)
{
    return (value * numerator + denominator / 2) / denominator;
}

std::string HexColour(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof(text), "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

void InstallDialogCss()
{
    WindowTable& table = Table();
    if (table.cssInstalled) {
        return;
    }
    table.cssInstalled = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kDialogCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

// A style class that sets the dialog template's font on a dialog and its controls.
std::string FontClass(const GuiDialogTemplate& dialog)
{
    WindowTable& table = Table();
    const std::string key = std::string(dialog.fontName) + "|" + std::to_string(dialog.fontPoints);
    auto found = table.fontClasses.find(key);
    if (found != table.fontClasses.end()) {
        return found->second;
    }
    const std::string name = "korrel-font-" + std::to_string(table.fontClasses.size());
    const std::string css = "." + name + " { font-family: \"" + dialog.fontName +
                            "\", sans-serif; font-size: " + std::to_string(dialog.fontPoints) + "pt; }";
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    table.fontClasses[key] = name;
    return name;
}

// Dialog base units of the template's font, as Win32 measures them.
void MeasureBaseUnits(GuiWindowRecord& dialog, GtkWidget* window, const GuiDialogTemplate& entry)
{
    const std::string fontText = std::string(entry.fontName) + ", Sans " + std::to_string(entry.fontPoints);
    PangoFontDescription* font = pango_font_description_from_string(fontText.c_str());
    PangoLayout* layout = gtk_widget_create_pango_layout(window, kBaseUnitSample);
    pango_layout_set_font_description(layout, font);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    pango_font_description_free(font);
    if (width > 0 && height > 0) {
        dialog.baseX = (width / 26 + 1) / 2;
        dialog.baseY = height;
    }
}

GuiWindowRecord& AddWindow(UINT parent, const char* className, DWORD style)
{
    WindowTable& table = Table();
    auto record = std::make_unique<GuiWindowRecord>();
    record->handle = table.nextHandle++;
    record->parent = parent;
    record->className = className ? className : "";
    record->style = style;
    GuiWindowRecord& added = *record;
    table.windows[added.handle] = std::move(record);
    return added;
}

void TagWidget(GtkWidget* widget, UINT handle)
{
    g_object_set_data(G_OBJECT(widget), kHandleKey, GUINT_TO_POINTER(handle));
}

UINT HandleOfWidget(GtkWidget* widget)
{
    for (; widget; widget = gtk_widget_get_parent(widget)) {
        if (UINT handle = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(widget), kHandleKey))) {
            return handle;
        }
    }
    return 0;
}

GuiMenuEntry* FindMenuEntry(GuiWindowRecord& dialog, UINT id)
{
    for (GuiMenuEntry& entry : dialog.menu) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

void OnMenuActivate(GtkMenuItem* item, gpointer data)
{
    const UINT id = GPOINTER_TO_UINT(data);
    const UINT handle = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), kDialogKey));
    GuiWindowRecord* dialog = FindGuiWindow(handle);
    GuiMenuEntry* entry = dialog ? FindMenuEntry(*dialog, id) : nullptr;
    if (!entry || dialog->quiet > 0) {
        return;
    }
    {
        // Menu commands do not check themselves: the program does.
        GuiQuietChange quiet(*dialog);
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), (entry->state & MF_CHECKED) != 0);
    }
    SendToDialogProcedure(handle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

GtkWidget* BuildMenuBar(GuiWindowRecord& dialog, const GuiMenuTemplate& menu)
{
    GtkWidget* bar = gtk_menu_bar_new();
    GtkWidget* popup = nullptr;
    for (const GuiMenuItemTemplate& item : menu.items) {
        const std::string label = GuiMnemonicLabel(item.text ? item.text : "");
        if (item.level == 0) {
            GtkWidget* top = gtk_menu_item_new_with_mnemonic(label.c_str());
            popup = gtk_menu_new();
            gtk_style_context_add_class(gtk_widget_get_style_context(popup), "korrel-menu");
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), popup);
            gtk_menu_shell_append(GTK_MENU_SHELL(bar), top);
            continue;
        }
        if (!popup) {
            continue;
        }
        if (item.id == 0) {
            gtk_menu_shell_append(GTK_MENU_SHELL(popup), gtk_separator_menu_item_new());
            continue;
        }
        GtkWidget* command = gtk_check_menu_item_new_with_mnemonic(label.c_str());
        g_object_set_data(G_OBJECT(command), kDialogKey, GUINT_TO_POINTER(dialog.handle));
        g_signal_connect(command, "activate", G_CALLBACK(OnMenuActivate), GUINT_TO_POINTER(item.id));
        gtk_menu_shell_append(GTK_MENU_SHELL(popup), command);
        dialog.menu.push_back(GuiMenuEntry{static_cast<UINT>(item.id), command, 0});
    }
    dialog.hasMenu = true;
    return bar;
}

WPARAM VirtualKey(guint keyval)
{
    for (const KeyName& key : kKeyTable) {
        if (key.keyval == keyval) {
            return key.virtualKey;
        }
    }
    const guint upper = gdk_keyval_to_upper(keyval);
    if ((upper >= GDK_KEY_A && upper <= GDK_KEY_Z) || (upper >= GDK_KEY_0 && upper <= GDK_KEY_9)) {
        return static_cast<WPARAM>(upper);
    }
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) {
        return VK_F1 + (keyval - GDK_KEY_F1);
    }
    return 0;
}

guint KeyvalOf(WPARAM virtualKey, bool shift)
{
    if (virtualKey == VK_TAB && shift) {
        return GDK_KEY_ISO_Left_Tab;
    }
    for (const KeyName& key : kKeyTable) {
        if (key.virtualKey == virtualKey) {
            return key.keyval;
        }
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return static_cast<guint>(shift ? virtualKey : virtualKey + ('a' - 'A'));
    }
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 12) {
        return static_cast<guint>(GDK_KEY_F1 + (virtualKey - VK_F1));
    }
    return static_cast<guint>(virtualKey);
}

// Key presses on a dialog reach the filter before the focused control.
gboolean OnKeyPress(GtkWidget* window, GdkEventKey* event, gpointer data)
{
    const UINT dialog = GPOINTER_TO_UINT(data);
    const WPARAM virtualKey = VirtualKey(event->keyval);
    if (!FindGuiWindow(dialog) || virtualKey == 0) {
        return FALSE;
    }
    const UINT focused = HandleOfWidget(gtk_window_get_focus(GTK_WINDOW(window)));
    MSG message;
    message.hwnd = GuiHandle(focused ? focused : dialog);
    message.message = (event->state & GDK_MOD1_MASK) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    message.wParam = virtualKey;
    message.lParam = MAKELPARAM(1, event->hardware_keycode);
    message.character = gdk_keyval_to_unicode(event->keyval);
    gKeyModifiers = static_cast<GdkModifierType>(event->state);
    const GuiMessageFilter filter = gMessageFilter.load();
    const bool used = filter && filter(message);
    gKeyModifiers = GdkModifierType(0);
    // Without dialog keyboard handling, Tab does not move the focus.
    return used || virtualKey == VK_TAB;
}

gboolean OnDeleteEvent(GtkWidget*, GdkEvent*, gpointer data)
{
    SendToDialogProcedure(GPOINTER_TO_UINT(data), WM_CLOSE, 0, 0);
    return TRUE;
}

HWND CreateDialogNow(const char* moduleName, int dialogId, GuiDialogProc procedure)
{
    const GuiDialogTemplate* entry = FindGuiDialog(moduleName, dialogId);
    if (!GuiHasDisplay() || !entry) {
        return nullptr;
    }
    InstallDialogCss();
    GuiWindowRecord& dialog = AddWindow(0, kDialogClass, entry->style);
    dialog.kind = GuiKind::Dialog;
    dialog.text = entry->caption ? entry->caption : "";
    dialog.procedure = procedure;

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    dialog.outer = dialog.inner = window;
    TagWidget(window, dialog.handle);
    gtk_window_set_title(GTK_WINDOW(window), dialog.text.c_str());
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_deletable(GTK_WINDOW(window), (entry->style & WS_SYSMENU) != 0);
    GtkStyleContext* style = gtk_widget_get_style_context(window);
    gtk_style_context_add_class(style, "korrel-dialog");
    gtk_style_context_add_class(style, FontClass(*entry).c_str());
    MeasureBaseUnits(dialog, window, *entry);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    if (const GuiMenuTemplate* menu = entry->menuId ? FindGuiMenu(moduleName, entry->menuId) : nullptr) {
        gtk_box_pack_start(GTK_BOX(box), BuildMenuBar(dialog, *menu), FALSE, FALSE, 0);
    }
    dialog.fixed = gtk_fixed_new();
    gtk_widget_set_size_request(dialog.fixed, MulDivRound(entry->width, dialog.baseX, 4),
                                MulDivRound(entry->height, dialog.baseY, 8));
    gtk_box_pack_start(GTK_BOX(box), dialog.fixed, TRUE, TRUE, 0);

    GtkWidget* radioGroup = nullptr;
    for (const GuiControlTemplate& item : entry->controls) {
        GuiWindowRecord& control = AddWindow(dialog.handle, item.className, item.style);
        control.controlId = item.id;
        BuildGuiControl(control, item, &radioGroup);
        TagWidget(control.outer, control.handle);
        TagWidget(control.inner, control.handle);
        const int height = control.kind == GuiKind::ComboBox ? std::min(item.height, kComboBoxRows) : item.height;
        gtk_widget_set_size_request(control.outer, MulDivRound(item.width, dialog.baseX, 4),
                                    MulDivRound(height, dialog.baseY, 8));
        gtk_fixed_put(GTK_FIXED(dialog.fixed), control.outer, MulDivRound(item.x, dialog.baseX, 4),
                      MulDivRound(item.y, dialog.baseY, 8));
        gtk_widget_set_sensitive(control.outer, (item.style & WS_DISABLED) == 0);
        if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && control.kind == GuiKind::PushButton) {
            gtk_widget_set_can_default(control.inner, TRUE);
            gtk_window_set_default(GTK_WINDOW(window), control.inner);
        }
        dialog.children.push_back(control.handle);
    }
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), GUINT_TO_POINTER(dialog.handle));
    g_signal_connect(window, "delete-event", G_CALLBACK(OnDeleteEvent), GUINT_TO_POINTER(dialog.handle));
    gtk_widget_show_all(box);
    if (entry->style & WS_VISIBLE) {
        gtk_widget_show(window);
    }
    return GuiHandle(dialog.handle);
}

BOOL DestroyNow(UINT handle)
{
    GuiWindowRecord* window = FindGuiWindow(handle);
    if (!window || window->destroying) {
        return FALSE;
    }
    window->destroying = true;
    if (window->kind == GuiKind::Dialog) {
        SendToDialogProcedure(handle, WM_DESTROY, 0, 0);
    }
    window = FindGuiWindow(handle);
    if (!window) {
        return TRUE;
    }
    WindowTable& table = Table();
    GtkWidget* widget = window->outer;
    const std::vector<UINT> children = window->children;
    if (GuiWindowRecord* parent = FindGuiWindow(window->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    }
    for (UINT child : children) {
        table.windows.erase(child);
    }
    table.windows.erase(handle);
    if (table.foreground == handle) {
        table.foreground = 0;
    }
    gtk_widget_destroy(widget);
    return TRUE;
}

UINT ColourQuery(const GuiWindowRecord& control)
{
    switch (control.kind) {
        case GuiKind::Edit:
        case GuiKind::MultiLineEdit:
        case GuiKind::ComboBox:
            return WM_CTLCOLOREDIT;
        case GuiKind::ListBox:
        case GuiKind::ListView:
        case GuiKind::TreeView:
            return WM_CTLCOLORLISTBOX;
        case GuiKind::PushButton:
        case GuiKind::OwnerDraw:
            return WM_CTLCOLORBTN;
        case GuiKind::ScrollBar:
            return WM_CTLCOLORSCROLLBAR;
        case GuiKind::Dialog:
            return WM_CTLCOLORDLG;
        default:
            return WM_CTLCOLORSTATIC;
    }
}

// Asks the dialog procedure for one window's colours and shows them.
void ApplyColours(UINT dialog, GuiWindowRecord& window)
{
    GuiDrawContextTag context;
    const LRESULT result =
        SendToDialogProcedure(dialog, ColourQuery(window), reinterpret_cast<WPARAM>(&context),
                              static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(GuiHandle(window.handle))));
    if (!FindGuiWindow(window.handle)) {
        return;
    }
    GtkStyleContext* style = gtk_widget_get_style_context(window.inner);
    if (window.colours) {
        gtk_style_context_remove_provider(style, GTK_STYLE_PROVIDER(window.colours));
        g_object_unref(window.colours);
        window.colours = nullptr;
    }
    HBRUSH brush = reinterpret_cast<HBRUSH>(result);
    window.shownText = context.textSet ? context.text : 0;
    window.shownBack = brush ? brush->colour : 0xFFFFFF;
    if (!brush) {
        return;
    }
    std::string css = "* { background-color: " + HexColour(brush->colour) + "; background-image: none;";
    if (context.textSet) {
        css += " color: " + HexColour(context.text) + ";";
    }
    css += " }";
    window.colours = gtk_css_provider_new();
    gtk_css_provider_load_from_data(window.colours, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider(style, GTK_STYLE_PROVIDER(window.colours),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
}

void RefreshColours(UINT handle)
{
    GuiWindowRecord* dialog = DialogOf(FindGuiWindow(handle));
    if (!dialog) {
        return;
    }
    const UINT dialogHandle = dialog->handle;
    const std::vector<UINT> children = dialog->children;
    for (UINT child : children) {
        if (GuiWindowRecord* control = FindGuiWindow(child)) {
            ApplyColours(dialogHandle, *control);
        }
    }
    if (GuiWindowRecord* again = FindGuiWindow(dialogHandle)) {
        ApplyColours(dialogHandle, *again);
    }
}

bool WindowRect(const GuiWindowRecord& window, RECT* rect)
{
    GuiWindowRecord* dialog = DialogOf(FindGuiWindow(window.handle));
    if (!dialog) {
        return false;
    }
    int x = 0;
    int y = 0;
    gtk_window_get_position(GTK_WINDOW(dialog->outer), &x, &y);
    int width = 0;
    int height = 0;
    if (window.kind == GuiKind::Dialog) {
        gtk_window_get_size(GTK_WINDOW(window.outer), &width, &height);
    } else {
        GtkAllocation allocation;
        gtk_widget_get_allocation(window.outer, &allocation);
        int inX = 0;
        int inY = 0;
        gtk_widget_translate_coordinates(window.outer, dialog->outer, 0, 0, &inX, &inY);
        x += inX;
        y += inY;
        width = allocation.width;
        height = allocation.height;
    }
    *rect = RECT{x, y, x + width, y + height};
    return true;
}

GdkEvent* NewKeyEvent(GdkEventType type, GtkWidget* window, guint keyval, bool shift)
{
    GdkEvent* event = gdk_event_new(type);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.state = shift ? GDK_SHIFT_MASK : 0;
    event->key.keyval = keyval;
    GdkDisplay* display = gtk_widget_get_display(window);
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count) && count > 0) {
        event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
    }
    g_free(keys);
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
    return event;
}

}  // namespace

// --- the table ---------------------------------------------------------------

GuiWindowRecord* FindGuiWindow(UINT handle)
{
    WindowTable& table = Table();
    auto found = table.windows.find(handle);
    return found == table.windows.end() ? nullptr : found->second.get();
}

GuiWindowRecord* FindGuiWindow(HWND window)
{
    return FindGuiWindow(GuiHandleValue(window));
}

HWND GuiHandle(UINT handle)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

UINT GuiHandleValue(HWND window)
{
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(window));
}

LRESULT SendToDialogProcedure(UINT dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    GuiWindowRecord* window = FindGuiWindow(dialog);
    if (!window || !window->procedure) {
        return 0;
    }
    GuiDialogProc procedure = window->procedure;
    GuiBusyScope busy;
    return procedure(GuiHandle(dialog), message, wParam, lParam);
}

void NotifyDialog(const GuiWindowRecord& control, WORD code)
{
    if (control.quiet > 0) {
        return;
    }
    SendToDialogProcedure(control.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.controlId), code),
                          static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(GuiHandle(control.handle))));
}

void NotifyDialogHeader(const GuiWindowRecord& control, int code)
{
    if (control.quiet > 0) {
        return;
    }
    NMHDR header;
    header.hwndFrom = GuiHandle(control.handle);
    header.idFrom = static_cast<std::uintptr_t>(control.controlId);
    header.code = code;
    SendToDialogProcedure(control.parent, WM_NOTIFY, static_cast<WPARAM>(control.controlId),
                          reinterpret_cast<LPARAM>(&header));
}

GdkPixbuf* GuiImagePixbuf(HIMAGE image)
{
    return image ? image->pixbuf : nullptr;
}

gboolean OnOwnerDrawSignal(GtkWidget* widget, cairo_t* cairo, gpointer data)
{
    GuiWindowRecord* control = FindGuiWindow(GPOINTER_TO_UINT(data));
    if (!control) {
        return FALSE;
    }
    GuiDrawContextTag context;
    context.cairo = cairo;
    DRAWITEMSTRUCT item;
    item.CtlType = control->className == kButtonClass ? ODT_BUTTON : ODT_STATIC;
    item.CtlID = static_cast<UINT>(control->controlId);
    item.hwndItem = GuiHandle(control->handle);
    item.hDC = &context;
    item.rcItem = RECT{0, 0, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget)};
    SendToDialogProcedure(control->parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    return TRUE;
}

// --- window calls ------------------------------------------------------------

HWND GuiCreateDialog(const char* moduleName, int dialogId, GuiDialogProc procedure)
{
    return OnGui<HWND>(nullptr, [&] { return CreateDialogNow(moduleName, dialogId, procedure); });
}

BOOL GuiDestroyWindow(HWND window)
{
    return OnGui<BOOL>(FALSE, [&] { return DestroyNow(GuiHandleValue(window)); });
}

bool GuiIsWindow(HWND window)
{
    return OnGui(false, [&] { return FindGuiWindow(window) != nullptr; });
}

int GuiWindowCount()
{
    return OnGui(0, [] { return static_cast<int>(Table().windows.size()); });
}

HWND GuiGetDlgItem(HWND dialog, int id)
{
    return OnGui<HWND>(nullptr, [&]() -> HWND {
        GuiWindowRecord* window = FindGuiWindow(dialog);
        if (!window) {
            return nullptr;
        }
        for (UINT child : window->children) {
            GuiWindowRecord* control = FindGuiWindow(child);
            if (control && control->controlId == id) {
                return GuiHandle(child);
            }
        }
        return nullptr;
    });
}

HWND GuiGetParent(HWND window)
{
    return OnGui<HWND>(nullptr, [&]() -> HWND {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record && record->parent ? GuiHandle(record->parent) : nullptr;
    });
}

int GuiGetDlgCtrlID(HWND control)
{
    return OnGui(0, [&] {
        GuiWindowRecord* record = FindGuiWindow(control);
        return record ? record->controlId : 0;
    });
}

std::string GuiGetClassName(HWND window)
{
    return OnGui(std::string(), [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record ? record->className : std::string();
    });
}

DWORD GuiGetWindowStyle(HWND window)
{
    return OnGui<DWORD>(0, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record ? record->style : 0;
    });
}

LRESULT GuiSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OnGui<LRESULT>(0, [&]() -> LRESULT {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return 0;
        }
        if (record->kind == GuiKind::Dialog) {
            return SendToDialogProcedure(record->handle, message, wParam, lParam);
        }
        return GuiControlMessage(*record, message, wParam, lParam);
    });
}

LRESULT GuiSendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuiSendMessage(GuiGetDlgItem(dialog, id), message, wParam, lParam);
}

bool GuiSetWindowText(HWND window, const std::string& text)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return false;
        }
        if (record->kind == GuiKind::Dialog) {
            record->text = text;
            gtk_window_set_title(GTK_WINDOW(record->outer), text.c_str());
        } else {
            GuiControlMessage(*record, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        return true;
    });
}

std::string GuiGetWindowText(HWND window)
{
    return OnGui(std::string(), [&]() -> std::string {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return std::string();
        }
        if (record->kind == GuiKind::Dialog) {
            return record->text;
        }
        std::string text(static_cast<size_t>(GuiControlMessage(*record, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(
            GuiControlMessage(*record, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    });
}

bool GuiShowWindow(HWND window, bool show)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return false;
        }
        const bool was = gtk_widget_get_visible(record->outer);
        gtk_widget_set_visible(record->outer, show);
        return was;
    });
}

bool GuiIsWindowVisible(HWND window)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record && gtk_widget_get_visible(record->outer);
    });
}

void GuiSetForegroundWindow(HWND window)
{
    CallOnGuiThread([&] {
        GuiWindowRecord* dialog = DialogOf(FindGuiWindow(window));
        if (dialog && gtk_widget_get_visible(dialog->outer)) {
            gtk_window_present(GTK_WINDOW(dialog->outer));
            Table().foreground = dialog->handle;
        }
    });
}

bool GuiEnableWindow(HWND window, bool enable)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return false;
        }
        const bool wasDisabled = !gtk_widget_get_sensitive(record->outer);
        gtk_widget_set_sensitive(record->outer, enable);
        return wasDisabled;
    });
}

bool GuiIsWindowEnabled(HWND window)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record && gtk_widget_get_sensitive(record->outer);
    });
}

bool GuiSetFocus(HWND window)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return false;
        }
        gtk_widget_grab_focus(record->inner);
        return true;
    });
}

HWND GuiGetFocus()
{
    return OnGui<HWND>(nullptr, []() -> HWND {
        WindowTable& table = Table();
        for (const auto& [handle, window] : table.windows) {
            if (window->kind == GuiKind::Dialog && gtk_window_is_active(GTK_WINDOW(window->outer))) {
                return GuiHandle(HandleOfWidget(gtk_window_get_focus(GTK_WINDOW(window->outer))));
            }
        }
        GuiWindowRecord* last = FindGuiWindow(table.foreground);
        return last ? GuiHandle(HandleOfWidget(gtk_window_get_focus(GTK_WINDOW(last->outer)))) : nullptr;
    });
}

bool GuiGetWindowRect(HWND window, RECT* rect)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record && rect && WindowRect(*record, rect);
    });
}

bool GuiMoveWindow(HWND window, int x, int y, int width, int height, bool repaint)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return false;
        }
        if (record->kind == GuiKind::Dialog) {
            gtk_window_move(GTK_WINDOW(record->outer), x, y);
            gtk_window_resize(GTK_WINDOW(record->outer), std::max(width, 1), std::max(height, 1));
        } else if (GuiWindowRecord* dialog = FindGuiWindow(record->parent)) {
            gtk_fixed_move(GTK_FIXED(dialog->fixed), record->outer, x, y);
            gtk_widget_set_size_request(record->outer, width, height);
        }
        if (repaint) {
            gtk_widget_queue_draw(record->outer);
        }
        return true;
    });
}

void GuiInvalidateRect(HWND window)
{
    CallOnGuiThread([&] { RefreshColours(GuiHandleValue(window)); });
}

void GuiUpdateWindow(HWND window)
{
    CallOnGuiThread([&] {
        if (GuiWindowRecord* record = FindGuiWindow(window)) {
            gtk_widget_queue_draw(record->outer);
        }
    });
}

// --- menus and keys ------------------------------------------------------------

HMENU GuiGetMenu(HWND window)
{
    return OnGui<HMENU>(nullptr, [&]() -> HMENU {
        GuiWindowRecord* record = FindGuiWindow(window);
        return record && record->hasMenu ? reinterpret_cast<HMENU>(GuiHandle(record->handle)) : nullptr;
    });
}

UINT GuiGetMenuState(HMENU menu, UINT id)
{
    return OnGui<UINT>(kMenuItemMissing, [&] {
        GuiWindowRecord* dialog = FindGuiWindow(reinterpret_cast<HWND>(menu));
        GuiMenuEntry* entry = dialog ? FindMenuEntry(*dialog, id) : nullptr;
        return entry ? entry->state : kMenuItemMissing;
    });
}

namespace {

// Sets one state flag of a menu item and shows it; the flag's previous value,
// kMenuItemMissing for an unknown item.
UINT SetMenuItemFlag(HMENU menu, UINT id, UINT flag, UINT value)
{
    return OnGui<UINT>(kMenuItemMissing, [&] {
        GuiWindowRecord* dialog = FindGuiWindow(reinterpret_cast<HWND>(menu));
        GuiMenuEntry* entry = dialog ? FindMenuEntry(*dialog, id) : nullptr;
        if (!entry) {
            return kMenuItemMissing;
        }
        const UINT previous = entry->state & flag;
        entry->state = (entry->state & ~flag) | (value & flag);
        if (flag == MF_CHECKED) {
            GuiQuietChange quiet(*dialog);
            gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(entry->item), (value & flag) != 0);
        } else {
            gtk_widget_set_sensitive(entry->item, (value & flag) == 0);
        }
        return previous;
    });
}

}  // namespace

UINT GuiCheckMenuItem(HMENU menu, UINT id, UINT check)
{
    return SetMenuItemFlag(menu, id, MF_CHECKED, check);
}

UINT GuiEnableMenuItem(HMENU menu, UINT id, UINT enable)
{
    return SetMenuItemFlag(menu, id, MF_GRAYED, enable);
}

HACCEL GuiLoadAccelerators(const char* moduleName, int id)
{
    const GuiAcceleratorTemplate* table = FindGuiAccelerators(moduleName, id);
    return reinterpret_cast<HACCEL>(const_cast<GuiAcceleratorTemplate*>(table));
}

bool GuiTranslateAccelerator(HWND window, HACCEL accelerators, const MSG& message)
{
    const auto* table = reinterpret_cast<const GuiAcceleratorTemplate*>(accelerators);
    if (!table || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)) {
        return false;
    }
    const bool shift = (gKeyModifiers & GDK_SHIFT_MASK) != 0;
    const bool control = (gKeyModifiers & GDK_CONTROL_MASK) != 0;
    const bool alt = (gKeyModifiers & GDK_MOD1_MASK) != 0;
    for (const GuiAccelerator& key : table->keys) {
        const bool matches = (key.flags & FVIRTKEY) ? key.key == message.wParam : key.key == message.character;
        if (matches && shift == ((key.flags & FSHIFT) != 0) && control == ((key.flags & FCONTROL) != 0) &&
            alt == ((key.flags & FALT) != 0)) {
            GuiSendMessage(window, WM_COMMAND, MAKEWPARAM(key.command, kAcceleratorNotification), 0);
            return true;
        }
    }
    return false;
}

bool GuiIsDialogMessage(HWND window, const MSG& message)
{
    if (!window || message.message != WM_KEYDOWN) {
        return false;
    }
    return OnGui(false, [&] {
        GuiWindowRecord* dialog = DialogOf(FindGuiWindow(window));
        if (!dialog) {
            return false;
        }
        GuiWindowRecord* focused = FindGuiWindow(message.hwnd);
        const UINT dialogHandle = dialog->handle;
        if (message.wParam == VK_TAB) {
            std::vector<GuiWindowRecord*> stops;
            for (UINT child : dialog->children) {
                GuiWindowRecord* control = FindGuiWindow(child);
                if (control && (control->style & WS_TABSTOP) && gtk_widget_is_sensitive(control->outer) &&
                    gtk_widget_get_visible(control->outer)) {
                    stops.push_back(control);
                }
            }
            if (stops.empty()) {
                return true;
            }
            const auto at = std::find(stops.begin(), stops.end(), focused);
            const int count = static_cast<int>(stops.size());
            const int index = at == stops.end() ? -1 : static_cast<int>(at - stops.begin());
            const bool back = (gKeyModifiers & GDK_SHIFT_MASK) != 0;
            const int next = back ? (index <= 0 ? count - 1 : index - 1) : (index + 1) % count;
            gtk_widget_grab_focus(stops[static_cast<size_t>(next)]->inner);
            return true;
        }
        if (message.wParam == VK_RETURN) {
            int id = IDOK;
            if (focused && focused->kind == GuiKind::PushButton) {
                id = focused->controlId;
            } else {
                for (UINT child : dialog->children) {
                    GuiWindowRecord* control = FindGuiWindow(child);
                    if (control && control->kind == GuiKind::PushButton &&
                        (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                        id = control->controlId;
                    }
                }
            }
            SendToDialogProcedure(dialogHandle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0);
            return true;
        }
        if (message.wParam == VK_ESCAPE) {
            SendToDialogProcedure(dialogHandle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return true;
        }
        return false;
    });
}

void SetGuiMessageFilter(GuiMessageFilter filter)
{
    gMessageFilter.store(filter);
}

// --- images, brushes, device contexts ------------------------------------------

HIMAGE GuiLoadImage(const char* moduleName, int id, bool icon)
{
    return OnGui<HIMAGE>(nullptr, [&]() -> HIMAGE {
        const GuiImageTemplate* entry = FindGuiImage(moduleName, id);
        if (!entry || entry->icon != icon) {
            return nullptr;
        }
        auto key = std::make_tuple(std::string(moduleName ? moduleName : ""), id, icon);
        auto& images = Table().images;
        auto found = images.find(key);
        if (found != images.end()) {
            return found->second;
        }
        GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(entry->path, nullptr);
        if (!pixbuf) {
            return nullptr;
        }
        auto* image = new GuiImageTag{pixbuf};
        images[key] = image;
        return image;
    });
}

HBRUSH GuiCreateSolidBrush(COLORREF colour)
{
    return new GuiBrushTag{colour};
}

COLORREF GuiGetBrushColor(HBRUSH brush)
{
    return brush ? brush->colour : 0;
}

COLORREF GuiSetTextColor(HDC context, COLORREF colour)
{
    if (!context) {
        return 0;
    }
    const COLORREF previous = context->text;
    context->text = colour;
    context->textSet = true;
    return previous;
}

COLORREF GuiSetBkColor(HDC context, COLORREF colour)
{
    if (!context) {
        return 0;
    }
    const COLORREF previous = context->back;
    context->back = colour;
    context->backSet = true;
    return previous;
}

// --- test driving --------------------------------------------------------------

bool GuiSendKey(HWND window, WPARAM virtualKey, bool shift)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        GuiWindowRecord* dialog = DialogOf(record);
        if (!dialog || !gtk_widget_get_realized(dialog->outer)) {
            return false;
        }
        if (record != dialog) {
            gtk_widget_grab_focus(record->inner);
        }
        const guint keyval = KeyvalOf(virtualKey, shift);
        GtkWidget* top = dialog->outer;
        g_object_ref(top);
        for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
            if (!gtk_widget_get_realized(top)) {
                break;
            }
            GdkEvent* event = NewKeyEvent(type, top, keyval, shift);
            gtk_main_do_event(event);
            gdk_event_free(event);
        }
        g_object_unref(top);
        return true;
    });
}

bool GuiActivateMenuItem(HWND window, UINT id)
{
    return OnGui(false, [&] {
        GuiWindowRecord* dialog = DialogOf(FindGuiWindow(window));
        GuiMenuEntry* entry = dialog ? FindMenuEntry(*dialog, id) : nullptr;
        if (!entry || !gtk_widget_is_sensitive(entry->item)) {
            return false;
        }
        gtk_menu_item_activate(GTK_MENU_ITEM(entry->item));
        return true;
    });
}

bool GuiPressCloseBox(HWND window)
{
    return OnGui(false, [&] {
        GuiWindowRecord* dialog = DialogOf(FindGuiWindow(window));
        if (!dialog || !gtk_widget_get_realized(dialog->outer)) {
            return false;
        }
        GdkEvent* event = gdk_event_new(GDK_DELETE);
        event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(dialog->outer)));
        event->any.send_event = TRUE;
        gtk_main_do_event(event);
        gdk_event_free(event);
        return true;
    });
}

bool GuiGetShownColors(HWND window, COLORREF* text, COLORREF* background)
{
    return OnGui(false, [&] {
        GuiWindowRecord* record = FindGuiWindow(window);
        if (!record) {
            return false;
        }
        *text = record->shownText;
        *background = record->shownBack;
        return true;
    });
}
