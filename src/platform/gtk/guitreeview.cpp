// Tree-view items in the control's tree store, and image lists.
#include "guitreeview.h"

#include "guithread.h"
#include "guiwindowtable.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

struct GuiImageListTag {
    int width = 0;
    int height = 0;
    std::vector<GdkPixbuf*> images;  // scaled copies, owned
};

namespace {

enum TreeColumn { kTextColumn, kItemColumn, kImageColumn, kSelectedImageColumn, kColumnCount };

// The image list set on each tree view (GUI thread only).
std::map<UINT, HIMAGELIST>& ImageLists()
{
    static std::map<UINT, HIMAGELIST> lists;
    return lists;
}

unsigned NextItem()
{
    static unsigned next = 0;
    return ++next;
}

HTREEITEM ItemHandle(unsigned item)
{
    return reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(item));
}

unsigned ItemNumber(HTREEITEM item)
{
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(item));
}

GtkTreeModel* Model(const GuiWindowRecord& control)
{
    return gtk_tree_view_get_model(GTK_TREE_VIEW(control.inner));
}

HTREEITEM ItemAt(GtkTreeModel* model, GtkTreeIter* iter)
{
    unsigned item = 0;
    gtk_tree_model_get(model, iter, kItemColumn, &item, -1);
    return ItemHandle(item);
}

struct Search {
    unsigned item;
    GtkTreeIter found;
    bool ok;
};

gboolean MatchItem(GtkTreeModel* model, GtkTreePath*, GtkTreeIter* iter, gpointer data)
{
    auto* search = static_cast<Search*>(data);
    unsigned item = 0;
    gtk_tree_model_get(model, iter, kItemColumn, &item, -1);
    if (item == search->item) {
        search->found = *iter;
        search->ok = true;
    }
    return search->ok;
}

bool FindItem(GtkTreeModel* model, HTREEITEM item, GtkTreeIter* iter)
{
    Search search{ItemNumber(item), {}, false};
    if (search.item != 0) {
        gtk_tree_model_foreach(model, MatchItem, &search);
    }
    *iter = search.found;
    return search.ok;
}

HTREEITEM InsertItem(GuiWindowRecord& control, const TVINSERTSTRUCTA& insert)
{
    GtkTreeModel* model = Model(control);
    GtkTreeStore* store = GTK_TREE_STORE(model);
    GtkTreeIter parent;
    const bool atRoot = insert.hParent == nullptr || insert.hParent == TVI_ROOT();
    if (!atRoot && !FindItem(model, insert.hParent, &parent)) {
        return nullptr;
    }
    GtkTreeIter iter;
    GtkTreeIter sibling;
    if (insert.hInsertAfter == TVI_FIRST()) {
        gtk_tree_store_prepend(store, &iter, atRoot ? nullptr : &parent);
    } else if (insert.hInsertAfter != TVI_LAST() && FindItem(model, insert.hInsertAfter, &sibling)) {
        gtk_tree_store_insert_after(store, &iter, atRoot ? nullptr : &parent, &sibling);
    } else {
        gtk_tree_store_append(store, &iter, atRoot ? nullptr : &parent);
    }
    const TVITEMA& item = insert.item;
    const unsigned number = NextItem();
    gtk_tree_store_set(store, &iter, kTextColumn, (item.mask & TVIF_TEXT) && item.pszText ? item.pszText : "",
                       kItemColumn, number, kImageColumn, (item.mask & TVIF_IMAGE) ? item.iImage : -1,
                       kSelectedImageColumn, (item.mask & TVIF_SELECTEDIMAGE) ? item.iSelectedImage : -1, -1);
    return ItemHandle(number);
}

LRESULT SetItem(GuiWindowRecord& control, const TVITEMA* item)
{
    GtkTreeIter iter;
    if (!item || !FindItem(Model(control), item->hItem, &iter)) {
        return FALSE;
    }
    GtkTreeStore* store = GTK_TREE_STORE(Model(control));
    if (item->mask & TVIF_TEXT) {
        gtk_tree_store_set(store, &iter, kTextColumn, item->pszText ? item->pszText : "", -1);
    }
    if (item->mask & TVIF_IMAGE) {
        gtk_tree_store_set(store, &iter, kImageColumn, item->iImage, -1);
    }
    if (item->mask & TVIF_SELECTEDIMAGE) {
        gtk_tree_store_set(store, &iter, kSelectedImageColumn, item->iSelectedImage, -1);
    }
    return TRUE;
}

// Copies at most cchTextMax - 1 characters and a terminator.
LRESULT GetItem(GuiWindowRecord& control, TVITEMA* item)
{
    GtkTreeIter iter;
    if (!item || !FindItem(Model(control), item->hItem, &iter)) {
        return FALSE;
    }
    gchar* text = nullptr;
    gtk_tree_model_get(Model(control), &iter, kTextColumn, &text, kImageColumn, &item->iImage, kSelectedImageColumn,
                       &item->iSelectedImage, -1);
    if ((item->mask & TVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const size_t length = std::min(std::strlen(text ? text : ""), static_cast<size_t>(item->cchTextMax - 1));
        std::memcpy(item->pszText, text ? text : "", length);
        item->pszText[length] = '\0';
    }
    g_free(text);
    return TRUE;
}

HTREEITEM NextItemOf(GuiWindowRecord& control, WPARAM relation, HTREEITEM item)
{
    GtkTreeModel* model = Model(control);
    GtkTreeIter iter;
    GtkTreeIter other;
    if (relation == TVGN_ROOT) {
        return gtk_tree_model_get_iter_first(model, &iter) ? ItemAt(model, &iter) : nullptr;
    }
    if (relation == TVGN_CARET) {
        GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(control.inner));
        return gtk_tree_selection_get_selected(selection, nullptr, &iter) ? ItemAt(model, &iter) : nullptr;
    }
    if (!FindItem(model, item, &iter)) {
        return nullptr;
    }
    bool found = false;
    other = iter;
    switch (relation) {
        case TVGN_NEXT:
            found = gtk_tree_model_iter_next(model, &other);
            break;
        case TVGN_PREVIOUS:
            found = gtk_tree_model_iter_previous(model, &other);
            break;
        case TVGN_PARENT:
            found = gtk_tree_model_iter_parent(model, &other, &iter);
            break;
        case TVGN_CHILD:
            found = gtk_tree_model_iter_children(model, &other, &iter);
            break;
        default:
            break;
    }
    return found ? ItemAt(model, &other) : nullptr;
}

LRESULT SelectItem(GuiWindowRecord& control, HTREEITEM item)
{
    GtkTreeView* view = GTK_TREE_VIEW(control.inner);
    GtkTreeSelection* selection = gtk_tree_view_get_selection(view);
    if (!item) {
        gtk_tree_selection_unselect_all(selection);
        return TRUE;
    }
    GtkTreeIter iter;
    if (!FindItem(Model(control), item, &iter)) {
        return FALSE;
    }
    GtkTreePath* path = gtk_tree_model_get_path(Model(control), &iter);
    GtkTreePath* parent = gtk_tree_path_copy(path);
    if (gtk_tree_path_up(parent) && gtk_tree_path_get_depth(parent) > 0) {
        gtk_tree_view_expand_to_path(view, parent);  // the item becomes visible
    }
    gtk_tree_path_free(parent);
    gtk_tree_view_set_cursor(view, path, nullptr, FALSE);  // selects it too
    gtk_tree_path_free(path);
    return TRUE;
}

LRESULT ExpandItem(GuiWindowRecord& control, WPARAM action, HTREEITEM item)
{
    GtkTreeIter iter;
    if (!FindItem(Model(control), item, &iter)) {
        return FALSE;
    }
    GtkTreePath* path = gtk_tree_model_get_path(Model(control), &iter);
    if (action & TVE_COLLAPSE) {
        gtk_tree_view_collapse_row(GTK_TREE_VIEW(control.inner), path);
    } else {
        gtk_tree_view_expand_row(GTK_TREE_VIEW(control.inner), path, FALSE);
    }
    gtk_tree_path_free(path);
    return TRUE;
}

LRESULT DeleteItem(GuiWindowRecord& control, HTREEITEM item)
{
    GtkTreeIter iter;
    if (!FindItem(Model(control), item, &iter)) {
        return FALSE;
    }
    gtk_tree_store_remove(GTK_TREE_STORE(Model(control)), &iter);
    return TRUE;
}

// The item's icon from the control's image list: the selected image while selected.
void ShowItemImage(GtkTreeViewColumn*, GtkCellRenderer* renderer, GtkTreeModel* model, GtkTreeIter* iter, gpointer data)
{
    const auto found = ImageLists().find(GPOINTER_TO_UINT(data));
    GdkPixbuf* pixbuf = nullptr;
    if (found != ImageLists().end() && found->second) {
        int image = -1;
        int selectedImage = -1;
        gtk_tree_model_get(model, iter, kImageColumn, &image, kSelectedImageColumn, &selectedImage, -1);
        GuiWindowRecord* control = FindGuiWindow(GPOINTER_TO_UINT(data));
        if (control && selectedImage >= 0 &&
            gtk_tree_selection_iter_is_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(control->inner)), iter)) {
            image = selectedImage;
        }
        const std::vector<GdkPixbuf*>& images = found->second->images;
        if (image >= 0 && image < static_cast<int>(images.size())) {
            pixbuf = images[image];
        }
    }
    g_object_set(renderer, "pixbuf", pixbuf, nullptr);
}

}  // namespace

GtkTreeModel* NewGuiTreeStore()
{
    return GTK_TREE_MODEL(gtk_tree_store_new(kColumnCount, G_TYPE_STRING, G_TYPE_UINT, G_TYPE_INT, G_TYPE_INT));
}

void AddGuiTreeImages(GuiWindowRecord& control)
{
    GtkTreeViewColumn* column = gtk_tree_view_get_column(GTK_TREE_VIEW(control.inner), 0);
    GtkCellRenderer* renderer = gtk_cell_renderer_pixbuf_new();
    gtk_tree_view_column_pack_start(column, renderer, FALSE);
    gtk_cell_layout_reorder(GTK_CELL_LAYOUT(column), renderer, 0);
    gtk_tree_view_column_set_cell_data_func(column, renderer, ShowItemImage, GUINT_TO_POINTER(control.handle), nullptr);
}

LRESULT GuiTreeItemMessage(GuiWindowRecord& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case TVM_INSERTITEMA: {
            const auto* insert = reinterpret_cast<const TVINSERTSTRUCTA*>(lParam);
            return insert ? reinterpret_cast<LRESULT>(InsertItem(control, *insert)) : 0;
        }
        case TVM_SETITEMA:
            return SetItem(control, reinterpret_cast<const TVITEMA*>(lParam));
        case TVM_GETITEMA:
            return GetItem(control, reinterpret_cast<TVITEMA*>(lParam));
        case TVM_GETNEXTITEM:
            return reinterpret_cast<LRESULT>(NextItemOf(control, wParam, reinterpret_cast<HTREEITEM>(lParam)));
        case TVM_SELECTITEM:
            return wParam == TVGN_CARET ? SelectItem(control, reinterpret_cast<HTREEITEM>(lParam)) : FALSE;
        case TVM_EXPAND:
            return ExpandItem(control, wParam, reinterpret_cast<HTREEITEM>(lParam));
        case TVM_DELETEITEM:
            return DeleteItem(control, reinterpret_cast<HTREEITEM>(lParam));
        case TVM_GETIMAGELIST: {
            const auto found = ImageLists().find(control.handle);
            return found == ImageLists().end() ? 0 : reinterpret_cast<LRESULT>(found->second);
        }
        case TVM_SETIMAGELIST: {
            HIMAGELIST& set = ImageLists()[control.handle];
            const HIMAGELIST previous = set;
            set = reinterpret_cast<HIMAGELIST>(lParam);
            gtk_widget_queue_draw(control.inner);
            return reinterpret_cast<LRESULT>(previous);
        }
        default:
            return 0;
    }
}

HIMAGELIST GuiImageListCreate(int width, int height)
{
    return new GuiImageListTag{std::max(width, 1), std::max(height, 1), {}};
}

int GuiImageListAdd(HIMAGELIST list, HIMAGE image)
{
    int index = -1;
    CallOnGuiThread([&] {
        GdkPixbuf* pixbuf = GuiImagePixbuf(image);
        if (!list || !pixbuf) {
            return;
        }
        list->images.push_back(gdk_pixbuf_scale_simple(pixbuf, list->width, list->height, GDK_INTERP_BILINEAR));
        index = static_cast<int>(list->images.size()) - 1;
    });
    return index;
}

int GuiImageListCount(HIMAGELIST list)
{
    int count = 0;
    CallOnGuiThread([&] { count = list ? static_cast<int>(list->images.size()) : 0; });
    return count;
}

void GuiImageListDestroy(HIMAGELIST list)
{
    if (!list) {
        return;
    }
    const bool ran = CallOnGuiThread([list] {
        for (GdkPixbuf* image : list->images) {
            g_object_unref(image);
        }
        delete list;
    });
    if (!ran) {
        delete list;  // no GUI thread: its images were never made
    }
}
