// The dialog controls on GTK widgets: one builder per window class, the
// control messages of each class, and the signals that become notifications.
#include "guiwindowtable.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace {

constexpr int kTextColumn = 0;

gpointer HandleData(const GuiWindowRecord& control)
{
    return GUINT_TO_POINTER(control.handle);
}

GuiWindowRecord* FromData(gpointer data)
{
    return FindGuiWindow(GPOINTER_TO_UINT(data));
}

// --- signals ---------------------------------------------------------------

void OnClicked(GtkButton*, gpointer data)
{
    GuiWindowRecord* control = FromData(data);
    if (!control || control->quiet > 0) {
        return;
    }
    if (control->kind == GuiKind::CheckBox && (control->style & BS_TYPEMASK) == BS_CHECKBOX) {
        // A plain check box keeps its state: the program sets it.
        GuiQuietChange quiet(*control);
        GtkToggleButton* toggle = GTK_TOGGLE_BUTTON(control->inner);
        gtk_toggle_button_set_active(toggle, !gtk_toggle_button_get_active(toggle));
    }
    NotifyDialog(*control, BN_CLICKED);
}

void OnEditChanged(gpointer, gpointer data)
{
    if (GuiWindowRecord* control = FromData(data)) {
        NotifyDialog(*control, EN_CHANGE);
    }
}

void OnComboChanged(GtkComboBox*, gpointer data)
{
    if (GuiWindowRecord* control = FromData(data)) {
        NotifyDialog(*control, CBN_SELCHANGE);
    }
}

void OnSelectionChanged(GtkTreeSelection*, gpointer data)
{
    GuiWindowRecord* control = FromData(data);
    if (!control) {
        return;
    }
    if (control->kind == GuiKind::ListBox) {
        NotifyDialog(*control, LBN_SELCHANGE);
    } else {
        NotifyDialogHeader(*control, control->kind == GuiKind::TreeView ? TVN_SELCHANGEDA : LVN_ITEMCHANGED);
    }
}

void OnRowActivated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer data)
{
    GuiWindowRecord* control = FromData(data);
    if (!control) {
        return;
    }
    if (control->kind == GuiKind::ListBox) {
        NotifyDialog(*control, LBN_DBLCLK);
    } else {
        NotifyDialogHeader(*control, NM_DBLCLK);
    }
}

gboolean OnTreeButtonPress(GtkWidget*, GdkEventButton* event, gpointer data)
{
    GuiWindowRecord* control = FromData(data);
    if (control && event->type == GDK_BUTTON_PRESS && event->button == GDK_BUTTON_SECONDARY) {
        NotifyDialogHeader(*control, NM_RCLICK);
    }
    return FALSE;
}

WORD ScrollRequest(GtkScrollType type)
{
    switch (type) {
        case GTK_SCROLL_STEP_BACKWARD:
        case GTK_SCROLL_STEP_UP:
        case GTK_SCROLL_STEP_LEFT:
            return SB_LINEUP;
        case GTK_SCROLL_STEP_FORWARD:
        case GTK_SCROLL_STEP_DOWN:
        case GTK_SCROLL_STEP_RIGHT:
            return SB_LINEDOWN;
        case GTK_SCROLL_PAGE_BACKWARD:
        case GTK_SCROLL_PAGE_UP:
        case GTK_SCROLL_PAGE_LEFT:
            return SB_PAGEUP;
        case GTK_SCROLL_PAGE_FORWARD:
        case GTK_SCROLL_PAGE_DOWN:
        case GTK_SCROLL_PAGE_RIGHT:
            return SB_PAGEDOWN;
        case GTK_SCROLL_START:
            return 6;  // SB_TOP
        case GTK_SCROLL_END:
            return 7;  // SB_BOTTOM
        default:
            return SB_THUMBPOSITION;
    }
}

UINT ScrollMessage(const GuiWindowRecord& control)
{
    const bool vertical =
        control.kind == GuiKind::ScrollBar ? (control.style & SBS_VERT) != 0 : (control.style & TBS_VERT) != 0;
    return vertical ? WM_VSCROLL : WM_HSCROLL;
}

void SendScroll(const GuiWindowRecord& control, WORD request, int position)
{
    const WPARAM wParam = MAKEWPARAM(request, static_cast<WORD>(position));
    SendToDialogProcedure(control.parent, ScrollMessage(control), wParam,
                          static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(GuiHandle(control.handle))));
}

// A scroll bar does not move by itself: its owner sets the new position.
gboolean OnScrollBarChange(GtkRange*, GtkScrollType type, gdouble value, gpointer data)
{
    if (GuiWindowRecord* control = FromData(data)) {
        SendScroll(*control, ScrollRequest(type), static_cast<int>(value));
    }
    return TRUE;
}

// A trackbar moves, then tells its owner.
gboolean OnTrackbarChange(GtkRange*, GtkScrollType type, gdouble, gpointer data)
{
    if (GuiWindowRecord* control = FromData(data)) {
        control->pendingScroll = ScrollRequest(type);
    }
    return FALSE;
}

void OnTrackbarMoved(GtkRange* range, gpointer data)
{
    GuiWindowRecord* control = FromData(data);
    if (!control || control->pendingScroll < 0) {
        return;
    }
    const WORD request = static_cast<WORD>(control->pendingScroll);
    control->pendingScroll = -1;
    SendScroll(*control, request, static_cast<int>(gtk_range_get_value(range)));
}

// --- builders --------------------------------------------------------------

GtkWidget* InScrolledWindow(GtkWidget* inner)
{
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scrolled), inner);
    return scrolled;
}

GtkWidget* NewTextTreeView(GtkTreeModel* model)
{
    GtkWidget* view = gtk_tree_view_new_with_model(model);
    g_object_unref(model);
    gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);
    GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, "", renderer, "text", kTextColumn, nullptr);
    return view;
}

void BuildButton(GuiWindowRecord& control, GtkWidget** radioGroup)
{
    const std::string label = GuiMnemonicLabel(control.text);
    switch (control.style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case 0x5:  // BS_3STATE
        case 0x6:  // BS_AUTO3STATE
            control.kind = GuiKind::CheckBox;
            control.inner = gtk_check_button_new_with_mnemonic(label.c_str());
            break;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: {
            control.kind = GuiKind::RadioButton;
            GtkWidget* leader = (control.style & WS_GROUP) ? nullptr : *radioGroup;
            control.inner =
                leader ? gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(leader), label.c_str())
                       : gtk_radio_button_new_with_mnemonic(nullptr, label.c_str());
            *radioGroup = control.inner;
            break;
        }
        case BS_GROUPBOX:
            control.kind = GuiKind::GroupBox;
            control.inner = gtk_frame_new(control.text.c_str());
            break;
        case BS_OWNERDRAW:
            control.kind = GuiKind::OwnerDraw;
            control.inner = gtk_drawing_area_new();
            break;
        default:
            control.kind = GuiKind::PushButton;
            control.inner = gtk_button_new_with_mnemonic(label.c_str());
            break;
    }
    if (control.kind != GuiKind::GroupBox && control.kind != GuiKind::OwnerDraw) {
        g_signal_connect(control.inner, "clicked", G_CALLBACK(OnClicked), HandleData(control));
    }
}

void BuildStatic(GuiWindowRecord& control)
{
    const DWORD type = control.style & SS_TYPEMASK;
    if (type == SS_BITMAP || type == SS_ICON) {
        control.kind = GuiKind::Picture;
        control.inner = gtk_image_new();
    } else if (type == SS_OWNERDRAW) {
        control.kind = GuiKind::OwnerDraw;
        control.inner = gtk_drawing_area_new();
    } else {
        control.kind = GuiKind::Label;
        control.inner = gtk_label_new(control.text.c_str());
        gtk_label_set_line_wrap(GTK_LABEL(control.inner), TRUE);
        const float align = type == SS_CENTER ? 0.5f : (type == SS_RIGHT ? 1.0f : 0.0f);
        gtk_label_set_xalign(GTK_LABEL(control.inner), align);
        gtk_label_set_yalign(GTK_LABEL(control.inner), 0.0f);
    }
}

void BuildEdit(GuiWindowRecord& control)
{
    if (control.style & ES_MULTILINE) {
        control.kind = GuiKind::MultiLineEdit;
        control.inner = gtk_text_view_new();
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(control.inner));
        gtk_text_view_set_editable(GTK_TEXT_VIEW(control.inner), (control.style & ES_READONLY) == 0);
        g_signal_connect(buffer, "changed", G_CALLBACK(OnEditChanged), HandleData(control));
        control.outer = InScrolledWindow(control.inner);
        return;
    }
    control.kind = GuiKind::Edit;
    control.inner = gtk_entry_new();
    gtk_editable_set_editable(GTK_EDITABLE(control.inner), (control.style & ES_READONLY) == 0);
    gtk_entry_set_visibility(GTK_ENTRY(control.inner), (control.style & ES_PASSWORD) == 0);
    gtk_entry_set_width_chars(GTK_ENTRY(control.inner), 1);
    g_signal_connect(control.inner, "changed", G_CALLBACK(OnEditChanged), HandleData(control));
}

void BuildList(GuiWindowRecord& control, GuiKind kind)
{
    control.kind = kind;
    GtkTreeModel* model =
        kind == GuiKind::TreeView ? NewGuiTreeStore() : GTK_TREE_MODEL(gtk_list_store_new(1, G_TYPE_STRING));
    control.inner = NewTextTreeView(model);
    if (kind == GuiKind::TreeView) {
        AddGuiTreeImages(control);
    }
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(control.inner));
    g_signal_connect(selection, "changed", G_CALLBACK(OnSelectionChanged), HandleData(control));
    g_signal_connect(control.inner, "row-activated", G_CALLBACK(OnRowActivated), HandleData(control));
    g_signal_connect(control.inner, "button-press-event", G_CALLBACK(OnTreeButtonPress), HandleData(control));
    control.outer = InScrolledWindow(control.inner);
}

void BuildRange(GuiWindowRecord& control, GuiKind kind)
{
    control.kind = kind;
    const bool vertical = kind == GuiKind::ScrollBar ? (control.style & SBS_VERT) : (control.style & TBS_VERT);
    const GtkOrientation orientation = vertical ? GTK_ORIENTATION_VERTICAL : GTK_ORIENTATION_HORIZONTAL;
    if (kind == GuiKind::ScrollBar) {
        control.scroll.nMax = 100;
        control.inner = gtk_scrollbar_new(orientation, gtk_adjustment_new(0, 0, 100, 1, 10, 0));
        g_signal_connect(control.inner, "change-value", G_CALLBACK(OnScrollBarChange), HandleData(control));
        return;
    }
    control.inner = gtk_scale_new(orientation, gtk_adjustment_new(0, 0, 100, 1, 10, 0));
    gtk_scale_set_draw_value(GTK_SCALE(control.inner), FALSE);
    g_signal_connect(control.inner, "change-value", G_CALLBACK(OnTrackbarChange), HandleData(control));
    g_signal_connect(control.inner, "value-changed", G_CALLBACK(OnTrackbarMoved), HandleData(control));
}

// --- item lists (combo box, list box, list view, tree view) ----------------

GtkTreeModel* ItemModel(const GuiWindowRecord& control)
{
    if (control.kind == GuiKind::ComboBox) {
        return gtk_combo_box_get_model(GTK_COMBO_BOX(control.inner));
    }
    return gtk_tree_view_get_model(GTK_TREE_VIEW(control.inner));
}

int ItemCount(const GuiWindowRecord& control)
{
    return gtk_tree_model_iter_n_children(ItemModel(control), nullptr);
}

bool NthItem(const GuiWindowRecord& control, int index, GtkTreeIter* iter)
{
    return index >= 0 && gtk_tree_model_iter_nth_child(ItemModel(control), iter, nullptr, index);
}

std::string ItemText(const GuiWindowRecord& control, int index)
{
    GtkTreeIter iter;
    if (!NthItem(control, index, &iter)) {
        return std::string();
    }
    gchar* text = nullptr;
    gtk_tree_model_get(ItemModel(control), &iter, kTextColumn, &text, -1);
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

int SelectedItem(const GuiWindowRecord& control)
{
    if (control.kind == GuiKind::ComboBox) {
        return gtk_combo_box_get_active(GTK_COMBO_BOX(control.inner));
    }
    GtkTreeModel* model = nullptr;
    GtkTreeIter iter;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(control.inner));
    if (!gtk_tree_selection_get_selected(selection, &model, &iter)) {
        return -1;
    }
    GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
    const int index = gtk_tree_path_get_indices(path)[0];
    gtk_tree_path_free(path);
    return index;
}

// Selects the item (none for -1); false for an index out of range.
bool SelectItem(GuiWindowRecord& control, int index)
{
    GuiQuietChange quiet(control);
    GtkTreeIter iter;
    const bool found = NthItem(control, index, &iter);
    if (control.kind == GuiKind::ComboBox) {
        gtk_combo_box_set_active(GTK_COMBO_BOX(control.inner), found ? index : -1);
        return found;
    }
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(control.inner));
    if (found) {
        gtk_tree_selection_select_iter(selection, &iter);
    } else {
        gtk_tree_selection_unselect_all(selection);
    }
    return found;
}

int InsertItem(GuiWindowRecord& control, int index, const char* text)
{
    const int count = ItemCount(control);
    if (index > count) {
        return -1;
    }
    const int at = index < 0 ? count : index;
    GtkTreeModel* model = ItemModel(control);
    GtkTreeIter iter;
    if (GTK_IS_TREE_STORE(model)) {
        gtk_tree_store_insert_with_values(GTK_TREE_STORE(model), &iter, nullptr, at, kTextColumn, text, -1);
    } else {
        gtk_list_store_insert_with_values(GTK_LIST_STORE(model), &iter, at, kTextColumn, text, -1);
    }
    return at;
}

// Remaining count after removal, -1 for an index out of range.
int RemoveItem(GuiWindowRecord& control, int index)
{
    GtkTreeIter iter;
    if (!NthItem(control, index, &iter)) {
        return -1;
    }
    GuiQuietChange quiet(control);
    GtkTreeModel* model = ItemModel(control);
    if (GTK_IS_TREE_STORE(model)) {
        gtk_tree_store_remove(GTK_TREE_STORE(model), &iter);
    } else {
        gtk_list_store_remove(GTK_LIST_STORE(model), &iter);
    }
    return ItemCount(control);
}

void ClearItems(GuiWindowRecord& control)
{
    GuiQuietChange quiet(control);
    GtkTreeModel* model = ItemModel(control);
    if (GTK_IS_TREE_STORE(model)) {
        gtk_tree_store_clear(GTK_TREE_STORE(model));
    } else {
        gtk_list_store_clear(GTK_LIST_STORE(model));
    }
}

// The first item after `after` (-1: from the start) whose text begins with
// the given text, case ignored, wrapping around; -1 when none.
int FindItem(const GuiWindowRecord& control, int after, const char* prefix)
{
    const int count = ItemCount(control);
    const size_t length = std::strlen(prefix ? prefix : "");
    for (int step = 1; step <= count; ++step) {
        const int index = ((after < 0 ? -1 : after) + step) % count;
        if (strncasecmp(ItemText(control, index).c_str(), prefix ? prefix : "", length) == 0) {
            return index;
        }
    }
    return -1;
}

int CountTreeNodes(GtkTreeModel* model, GtkTreeIter* parent)
{
    int count = 0;
    GtkTreeIter child;
    bool more = gtk_tree_model_iter_children(model, &child, parent);
    while (more) {
        count += 1 + CountTreeNodes(model, &child);
        more = gtk_tree_model_iter_next(model, &child);
    }
    return count;
}

LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) {
        return 0;
    }
    const size_t length = std::min<size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT CopyItemText(const GuiWindowRecord& control, WPARAM index, LPARAM buffer)
{
    GtkTreeIter iter;
    if (!NthItem(control, static_cast<int>(index), &iter)) {
        return -1;
    }
    const std::string text = ItemText(control, static_cast<int>(index));
    char* out = reinterpret_cast<char*>(buffer);
    if (out) {
        std::memcpy(out, text.c_str(), text.size() + 1);
    }
    return static_cast<LRESULT>(text.size());
}

// --- text ------------------------------------------------------------------

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

void SetControlText(GuiWindowRecord& control, const std::string& text)
{
    switch (control.kind) {
        case GuiKind::PushButton:
        case GuiKind::CheckBox:
        case GuiKind::RadioButton:
            control.text = text;
            gtk_button_set_label(GTK_BUTTON(control.inner), GuiMnemonicLabel(text).c_str());
            break;
        case GuiKind::GroupBox:
            control.text = text;
            gtk_frame_set_label(GTK_FRAME(control.inner), text.c_str());
            break;
        case GuiKind::Label:
            control.text = text;
            gtk_label_set_text(GTK_LABEL(control.inner), text.c_str());
            break;
        case GuiKind::Edit:
            gtk_entry_set_text(GTK_ENTRY(control.inner), text.c_str());
            break;
        case GuiKind::MultiLineEdit: {
            const std::string lines = ReplaceAll(text, "\r\n", "\n");
            gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(control.inner)), lines.c_str(), -1);
            break;
        }
        case GuiKind::ComboBox: {
            GtkWidget* entry = gtk_bin_get_child(GTK_BIN(control.inner));
            if (entry && GTK_IS_ENTRY(entry)) {
                gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
            }
            break;
        }
        default:
            control.text = text;
            break;
    }
}

std::string ControlText(const GuiWindowRecord& control)
{
    switch (control.kind) {
        case GuiKind::Edit:
            return gtk_entry_get_text(GTK_ENTRY(control.inner));
        case GuiKind::MultiLineEdit: {
            GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(control.inner));
            GtkTextIter start;
            GtkTextIter end;
            gtk_text_buffer_get_bounds(buffer, &start, &end);
            gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
            std::string lines = ReplaceAll(text ? text : "", "\n", "\r\n");
            g_free(text);
            return lines;
        }
        case GuiKind::ComboBox: {
            GtkWidget* entry = gtk_bin_get_child(GTK_BIN(control.inner));
            if (entry && GTK_IS_ENTRY(entry)) {
                return gtk_entry_get_text(GTK_ENTRY(entry));
            }
            return ItemText(control, SelectedItem(control));
        }
        default:
            return control.text;
    }
}

void SetEditSelection(GuiWindowRecord& control, int start, int end)
{
    if (control.kind == GuiKind::Edit) {
        gtk_editable_select_region(GTK_EDITABLE(control.inner), start, end);
        return;
    }
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(control.inner));
    GtkTextIter from;
    GtkTextIter to;
    gtk_text_buffer_get_iter_at_offset(buffer, &from, start);
    gtk_text_buffer_get_iter_at_offset(buffer, &to, end);
    gtk_text_buffer_select_range(buffer, &from, &to);
}

// --- ranges ----------------------------------------------------------------

void ApplyScrollInfo(GuiWindowRecord& control)
{
    const SCROLLINFO& info = control.scroll;
    const double page = static_cast<double>(info.nPage);
    const double upper = info.nMax + (info.nPage > 0 ? 1 : 0);
    GuiQuietChange quiet(control);
    GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(control.inner));
    gtk_adjustment_configure(adjustment, info.nPos, info.nMin, upper, 1, std::max(page, 1.0), page);
}

LRESULT SetScrollInfo(GuiWindowRecord& control, const SCROLLINFO* info)
{
    if (!info) {
        return control.scroll.nPos;
    }
    SCROLLINFO& stored = control.scroll;
    if (info->fMask & SIF_RANGE) {
        stored.nMin = info->nMin;
        stored.nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE) {
        stored.nPage = info->nPage;
    }
    if (info->fMask & SIF_POS) {
        stored.nPos = info->nPos;
    }
    const int pageLess = stored.nPage > 0 ? static_cast<int>(stored.nPage) - 1 : 0;
    const int highest = std::max(stored.nMin, stored.nMax - pageLess);
    stored.nPos = std::clamp(stored.nPos, stored.nMin, highest);
    stored.nTrackPos = stored.nPos;
    ApplyScrollInfo(control);
    return stored.nPos;
}

LRESULT GetScrollInfo(const GuiWindowRecord& control, SCROLLINFO* info)
{
    if (!info) {
        return FALSE;
    }
    const UINT mask = info->fMask;
    const SCROLLINFO& stored = control.scroll;
    if (mask & SIF_RANGE) {
        info->nMin = stored.nMin;
        info->nMax = stored.nMax;
    }
    if (mask & SIF_PAGE) {
        info->nPage = stored.nPage;
    }
    if (mask & SIF_POS) {
        info->nPos = stored.nPos;
    }
    if (mask & SIF_TRACKPOS) {
        info->nTrackPos = stored.nTrackPos;
    }
    return TRUE;
}

void ShowProgress(GuiWindowRecord& control)
{
    const int span = control.rangeMax - control.rangeMin;
    const double fraction = span > 0 ? static_cast<double>(control.position - control.rangeMin) / span : 0.0;
    gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(control.inner), std::clamp(fraction, 0.0, 1.0));
}

GtkAdjustment* Adjustment(const GuiWindowRecord& control)
{
    return gtk_range_get_adjustment(GTK_RANGE(control.inner));
}

LRESULT TrackbarMessage(GuiWindowRecord& control, UINT message, WPARAM, LPARAM lParam)
{
    GtkAdjustment* adjustment = Adjustment(control);
    GuiQuietChange quiet(control);
    switch (message) {
        case TBM_GETPOS:
            return static_cast<LRESULT>(gtk_adjustment_get_value(adjustment));
        case TBM_GETRANGEMIN:
            return static_cast<LRESULT>(gtk_adjustment_get_lower(adjustment));
        case TBM_GETRANGEMAX:
            return static_cast<LRESULT>(gtk_adjustment_get_upper(adjustment));
        case TBM_SETRANGE:
            gtk_adjustment_set_lower(adjustment, LOWORD(static_cast<std::uintptr_t>(lParam)));
            gtk_adjustment_set_upper(adjustment, HIWORD(static_cast<std::uintptr_t>(lParam)));
            return 0;
        case TBM_SETPOS: {
            const double value = std::clamp(static_cast<double>(lParam), gtk_adjustment_get_lower(adjustment),
                                            gtk_adjustment_get_upper(adjustment));
            gtk_adjustment_set_value(adjustment, value);
            return 0;
        }
        default:
            return 0;
    }
}

LRESULT ProgressMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case PBM_SETRANGE32: {
            const LRESULT previous =
                MAKELPARAM(static_cast<WORD>(control.rangeMin), static_cast<WORD>(control.rangeMax));
            control.rangeMin = static_cast<int>(wParam);
            control.rangeMax = static_cast<int>(lParam);
            ShowProgress(control);
            return previous;
        }
        case PBM_SETPOS: {
            const LRESULT previous = control.position;
            control.position = static_cast<int>(wParam);
            ShowProgress(control);
            return previous;
        }
        case PBM_GETPOS:
            return control.position;
        case PBM_GETRANGE:
            return wParam ? control.rangeMin : control.rangeMax;
        default:
            return 0;
    }
}

LRESULT ItemListMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const char* text = reinterpret_cast<const char*>(lParam);
    switch (message) {
        case CB_ADDSTRING:
        case LB_ADDSTRING:
            return InsertItem(control, -1, text);
        case CB_INSERTSTRING:
        case LB_INSERTSTRING:
            return InsertItem(control, index, text);
        case CB_DELETESTRING:
        case LB_DELETESTRING:
            return RemoveItem(control, index);
        case LVM_DELETEITEM:
            return RemoveItem(control, index) >= 0 ? TRUE : FALSE;
        case CB_RESETCONTENT:
        case LB_RESETCONTENT:
        case LVM_DELETEALLITEMS:
            ClearItems(control);
            return TRUE;
        case CB_GETCOUNT:
        case LB_GETCOUNT:
        case LVM_GETITEMCOUNT:
            return ItemCount(control);
        case CB_GETCURSEL:
        case LB_GETCURSEL:
        case LVM_GETSELECTIONMARK:
            return SelectedItem(control);
        case CB_SETCURSEL:
        case LB_SETCURSEL:
            return SelectItem(control, index) ? index : -1;
        case LVM_SETSELECTIONMARK: {
            const int previous = SelectedItem(control);
            SelectItem(control, static_cast<int>(lParam));
            return previous;
        }
        case CB_GETLBTEXT:
        case LB_GETTEXT:
            return CopyItemText(control, wParam, lParam);
        case CB_GETLBTEXTLEN:
        case LB_GETTEXTLEN: {
            GtkTreeIter iter;
            return NthItem(control, index, &iter) ? static_cast<LRESULT>(ItemText(control, index).size()) : -1;
        }
        case CB_FINDSTRING:
        case LB_FINDSTRING:
            return FindItem(control, index, text);
        case CB_SELECTSTRING:
        case LB_SELECTSTRING: {
            const int found = FindItem(control, index, text);
            return found >= 0 && SelectItem(control, found) ? found : -1;
        }
        default:
            return 0;
    }
}

LRESULT TreeViewMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case TVM_GETCOUNT:
            return CountTreeNodes(ItemModel(control), nullptr);
        case TVM_DELETEITEM:
            if (reinterpret_cast<HTREEITEM>(lParam) == TVI_ROOT()) {
                ClearItems(control);
                return TRUE;
            }
            return GuiTreeItemMessage(control, message, wParam, lParam);
        default:
            return GuiTreeItemMessage(control, message, wParam, lParam);
    }
}

LRESULT ButtonMessage(GuiWindowRecord& control, UINT message, WPARAM wParam)
{
    const bool toggles = control.kind == GuiKind::CheckBox || control.kind == GuiKind::RadioButton;
    switch (message) {
        case BM_GETCHECK:
            return toggles && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(control.inner)) ? BST_CHECKED
                                                                                             : BST_UNCHECKED;
        case BM_SETCHECK:
            if (toggles) {
                GuiQuietChange quiet(control);
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(control.inner), wParam == BST_CHECKED);
            }
            return 0;
        case BM_CLICK:
            if (control.kind == GuiKind::OwnerDraw) {
                NotifyDialog(control, BN_CLICKED);
            } else if (GTK_IS_BUTTON(control.inner) && gtk_widget_is_sensitive(control.inner)) {
                gtk_button_clicked(GTK_BUTTON(control.inner));
            }
            return 0;
        default:
            return 0;
    }
}

LRESULT SetPicture(GuiWindowRecord& control, LPARAM lParam)
{
    HIMAGE previous = control.image;
    control.image = reinterpret_cast<HIMAGE>(lParam);
    if (control.kind == GuiKind::Picture) {
        gtk_image_set_from_pixbuf(GTK_IMAGE(control.inner), GuiImagePixbuf(control.image));
    }
    return reinterpret_cast<LRESULT>(previous);
}

}  // namespace

std::string GuiMnemonicLabel(const std::string& caption)
{
    std::string label;
    for (size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '_') {
            label += "__";
        } else if (c == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
            label += '&';
            ++i;
        } else if (c == '&') {
            label += '_';
        } else {
            label += c;
        }
    }
    return label;
}

void BuildGuiControl(GuiWindowRecord& control, const GuiControlTemplate& entry, GtkWidget** radioGroup)
{
    const std::string name = entry.className ? entry.className : "";
    control.text = entry.caption ? entry.caption : "";
    if (name == kButtonClass) {
        BuildButton(control, radioGroup);
    } else if (name == kEditClass) {
        BuildEdit(control);
    } else if (name == kComboBoxClass) {
        control.kind = GuiKind::ComboBox;
        control.inner =
            (control.style & 0x3) == CBS_DROPDOWN ? gtk_combo_box_text_new_with_entry() : gtk_combo_box_text_new();
        g_signal_connect(control.inner, "changed", G_CALLBACK(OnComboChanged), HandleData(control));
    } else if (name == kListBoxClass) {
        BuildList(control, GuiKind::ListBox);
    } else if (name == kListViewClass) {
        BuildList(control, GuiKind::ListView);
    } else if (name == kTreeViewClass) {
        BuildList(control, GuiKind::TreeView);
    } else if (name == kScrollBarClass) {
        BuildRange(control, GuiKind::ScrollBar);
    } else if (name == kTrackbarClass) {
        BuildRange(control, GuiKind::Trackbar);
    } else if (name == kProgressClass) {
        control.kind = GuiKind::Progress;
        control.inner = gtk_progress_bar_new();
        if (control.style & PBS_VERTICAL) {
            gtk_orientable_set_orientation(GTK_ORIENTABLE(control.inner), GTK_ORIENTATION_VERTICAL);
            gtk_progress_bar_set_inverted(GTK_PROGRESS_BAR(control.inner), TRUE);
        }
    } else {
        control.className = kStaticClass;
        BuildStatic(control);
    }
    if (control.kind == GuiKind::OwnerDraw) {
        gtk_widget_add_events(control.inner, GDK_BUTTON_PRESS_MASK);
        g_signal_connect(control.inner, "draw", G_CALLBACK(OnOwnerDrawSignal), HandleData(control));
    }
    if (!control.outer) {
        control.outer = control.inner;
    }
}

LRESULT GuiControlMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_SETTEXT:
            SetControlText(control, reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case WM_GETTEXT:
            return CopyText(ControlText(control), wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(ControlText(control).size());
        default:
            break;
    }
    switch (control.kind) {
        case GuiKind::PushButton:
        case GuiKind::CheckBox:
        case GuiKind::RadioButton:
        case GuiKind::GroupBox:
        case GuiKind::OwnerDraw:
            return ButtonMessage(control, message, wParam);
        case GuiKind::Edit:
        case GuiKind::MultiLineEdit:
            if (message == EM_SETSEL) {
                SetEditSelection(control, static_cast<int>(static_cast<std::intptr_t>(wParam)),
                                 static_cast<int>(lParam));
            }
            return 0;
        case GuiKind::Picture:
        case GuiKind::Label:
            return message == STM_SETIMAGE ? SetPicture(control, lParam)
                                           : (message == STM_GETIMAGE ? reinterpret_cast<LRESULT>(control.image) : 0);
        case GuiKind::ComboBox:
        case GuiKind::ListBox:
        case GuiKind::ListView:
            return ItemListMessage(control, message, wParam, lParam);
        case GuiKind::TreeView:
            return TreeViewMessage(control, message, wParam, lParam);
        case GuiKind::ScrollBar:
            if (message == SBM_SETSCROLLINFO) {
                return SetScrollInfo(control, reinterpret_cast<const SCROLLINFO*>(lParam));
            }
            return message == SBM_GETSCROLLINFO ? GetScrollInfo(control, reinterpret_cast<SCROLLINFO*>(lParam)) : 0;
        case GuiKind::Trackbar:
            return TrackbarMessage(control, message, wParam, lParam);
        case GuiKind::Progress:
            return ProgressMessage(control, message, wParam, lParam);
        default:
            return 0;
    }
}
