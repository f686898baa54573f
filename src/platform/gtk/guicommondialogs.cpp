// Message boxes and file and colour dialogs on GTK, run modally on the GUI
// thread for whichever thread asks; printed instead when nobody can answer.
#include "guicommondialogs.h"

#include "guithread.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

constexpr size_t kMaxFileName = 259;  // the longest default name a dialog takes
constexpr guint kScriptDelayMs = 50;
constexpr int kScriptTries = 200;  // offers of a file name, kScriptDelayMs apart

struct ButtonLabel {
    int id;
    const char* label;
};

constexpr ButtonLabel kOk[] = {{IDOK, "_OK"}};
constexpr ButtonLabel kYesNo[] = {{IDYES, "_Yes"}, {IDNO, "_No"}};
constexpr ButtonLabel kYesNoCancel[] = {{IDYES, "_Yes"}, {IDNO, "_No"}, {IDCANCEL, "_Cancel"}};

struct ButtonSet {
    const ButtonLabel* buttons;
    int count;
};

ButtonSet ButtonsOf(GuiBoxButtons buttons)
{
    switch (buttons) {
        case GuiBoxButtons::YesNo:
            return {kYesNo, 2};
        case GuiBoxButtons::YesNoCancel:
            return {kYesNoCancel, 3};
        default:
            return {kOk, 1};
    }
}

GtkMessageType MessageTypeOf(GuiBoxIcon icon)
{
    switch (icon) {
        case GuiBoxIcon::Information:
            return GTK_MESSAGE_INFO;
        case GuiBoxIcon::Warning:
            return GTK_MESSAGE_WARNING;
        case GuiBoxIcon::Error:
            return GTK_MESSAGE_ERROR;
        case GuiBoxIcon::Question:
            return GTK_MESSAGE_QUESTION;
        default:
            return GTK_MESSAGE_OTHER;
    }
}

std::mutex gScriptMutex;
GuiModalScript gScript;

GuiModalScript CurrentScript()
{
    std::lock_guard<std::mutex> lock(gScriptMutex);
    return gScript;
}

bool PrintOnly()
{
    if (!StartGuiThread()) {
        return true;
    }
    const char* testing = std::getenv("MORVO_TEST");
    return testing && testing[0] != '\0' && !CurrentScript();
}

void Print(const std::string& caption, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

// A scripted answer, put into a shown dialog a moment after it appeared; a
// script that says wait is asked again at each tick. A file chooser takes a
// chosen name only once its folder has loaded, so the name is offered again
// until the chooser holds it.
struct PendingScript {
    GtkDialog* dialog = nullptr;
    GuiModalRequest request;
    GuiModalScript script;
    bool asked = false;
    GuiModalAnswer answer;
    int tries = 0;
};

bool ChooserHolds(GtkFileChooser* chooser, const std::string& path)
{
    gchar* chosen = gtk_file_chooser_get_filename(chooser);
    const bool holds = chosen && path == chosen;
    g_free(chosen);
    return holds;
}

// True once the answer is in the dialog (or will never get there).
bool OfferFile(PendingScript& pending)
{
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(pending.dialog);
    const std::string& path = pending.answer.path;
    if (ChooserHolds(chooser, path)) {
        return true;
    }
    if (pending.request.kind == GuiModalKind::SaveFile) {
        gchar* folder = g_path_get_dirname(path.c_str());
        gchar* base = g_path_get_basename(path.c_str());
        gtk_file_chooser_set_current_folder(chooser, folder);
        gtk_file_chooser_set_current_name(chooser, base);
        g_free(folder);
        g_free(base);
    } else {
        gtk_file_chooser_set_filename(chooser, path.c_str());
    }
    return ChooserHolds(chooser, path) || ++pending.tries >= kScriptTries;
}

gboolean ApplyScript(gpointer data)
{
    auto* pending = static_cast<PendingScript*>(data);
    GtkWidget* widget = GTK_WIDGET(pending->dialog);
    if (!gtk_widget_get_visible(widget)) {
        g_object_unref(pending->dialog);
        delete pending;
        return G_SOURCE_REMOVE;
    }
    if (!pending->asked) {
        pending->answer = pending->script(pending->request);
        if (pending->answer.wait) {
            return G_SOURCE_CONTINUE;  // asked again at the next tick
        }
        pending->asked = true;
    }
    const GuiModalAnswer& answer = pending->answer;
    const bool cancel = answer.button == IDCANCEL;
    switch (pending->request.kind) {
        case GuiModalKind::MessageBox:
            gtk_dialog_response(pending->dialog, answer.button);
            break;
        case GuiModalKind::OpenFile:
        case GuiModalKind::SaveFile:
            if (!cancel && !OfferFile(*pending)) {
                return G_SOURCE_CONTINUE;
            }
            gtk_dialog_response(pending->dialog, cancel ? GTK_RESPONSE_CANCEL : GTK_RESPONSE_ACCEPT);
            break;
        case GuiModalKind::Colour: {
            GdkRGBA rgba = {(answer.colour & 0xFF) / 255.0, ((answer.colour >> 8) & 0xFF) / 255.0,
                            ((answer.colour >> 16) & 0xFF) / 255.0, 1.0};
            gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(widget), &rgba);
            gtk_dialog_response(pending->dialog, cancel ? GTK_RESPONSE_CANCEL : GTK_RESPONSE_OK);
            break;
        }
    }
    return G_SOURCE_CONTINUE;  // removed once the dialog is gone
}

// What the dialog shows, for the script: the buttons of a box (their texts
// without the mnemonic mark), whether a file chooser's filter hides files.
void DescribeShown(GtkDialog* dialog, GuiModalRequest& request)
{
    for (const ButtonSet& set : {ButtonSet{kOk, 1}, ButtonSet{kYesNoCancel, 3}}) {
        for (int i = 0; i < set.count; ++i) {
            GtkWidget* button = gtk_dialog_get_widget_for_response(dialog, set.buttons[i].id);
            if (button && GTK_IS_BUTTON(button)) {
                std::string text = gtk_button_get_label(GTK_BUTTON(button));
                text.erase(std::remove(text.begin(), text.end(), '_'), text.end());
                request.shownButtons.push_back(text);
            }
        }
    }
    if (GTK_IS_FILE_CHOOSER(dialog)) {
        GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog));
        bool every = filter != nullptr;
        for (const char* name : {"level.xml", "README"}) {
            const GtkFileFilterInfo info = {GTK_FILE_FILTER_DISPLAY_NAME, nullptr, nullptr, name, nullptr};
            every = every && gtk_file_filter_filter(filter, &info);
        }
        request.everyFileShown = every;
    }
}

// Runs the dialog modally on the GUI thread (a nested loop), answered by the
// script when one is installed; destroys it afterwards.
int RunModal(GtkWidget* widget, GuiModalRequest request)
{
    GuiBusyScope busy;
    GtkDialog* dialog = GTK_DIALOG(widget);
    gtk_window_set_modal(GTK_WINDOW(widget), TRUE);
    gtk_window_set_keep_above(GTK_WINDOW(widget), TRUE);
    if (GuiModalScript script = CurrentScript()) {
        DescribeShown(dialog, request);
        g_object_ref(dialog);
        auto* pending = new PendingScript;
        pending->dialog = dialog;
        pending->request = request;
        pending->script = std::move(script);
        g_timeout_add(kScriptDelayMs, ApplyScript, pending);
    }
    return gtk_dialog_run(dialog);
}

std::string AbsoluteFolder(const std::string& folder)
{
    gchar* absolute = g_canonicalize_filename(folder.empty() ? "." : folder.c_str(), nullptr);
    std::string result = absolute;
    g_free(absolute);
    return result;
}

std::string RunFileDialog(bool save, const std::string& folder, const std::string& defaultName)
{
    GuiModalRequest request;
    request.kind = save ? GuiModalKind::SaveFile : GuiModalKind::OpenFile;
    request.folder = AbsoluteFolder(folder);
    request.name = defaultName.substr(0, kMaxFileName);
    if (PrintOnly()) {
        return std::string();
    }
    std::string chosen;
    CallOnGuiThread([&] {
        const GtkFileChooserAction action = save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN;
        GtkWidget* dialog =
            gtk_file_chooser_dialog_new(save ? "Save As" : "Open", nullptr, action, "_Cancel", GTK_RESPONSE_CANCEL,
                                        save ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
        request.caption = gtk_window_get_title(GTK_WINDOW(dialog));
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, "All Files");
        gtk_file_filter_add_pattern(filter, "*");
        gtk_file_chooser_add_filter(chooser, filter);
        gtk_file_chooser_set_local_only(chooser, TRUE);
        gtk_file_chooser_set_do_overwrite_confirmation(chooser, save);
        gtk_file_chooser_set_current_folder(chooser, request.folder.c_str());
        if (!request.name.empty()) {
            if (save) {
                gtk_file_chooser_set_current_name(chooser, request.name.c_str());
            } else {
                const std::string path = request.folder + "/" + request.name;
                gtk_file_chooser_set_filename(chooser, path.c_str());
            }
        }
        if (RunModal(dialog, request) == GTK_RESPONSE_ACCEPT) {
            if (gchar* path = gtk_file_chooser_get_filename(chooser)) {
                chosen = path;
                g_free(path);
            }
        }
        gtk_widget_destroy(dialog);
    });
    return chosen;
}

}  // namespace

int GuiDefaultButton(GuiBoxButtons buttons)
{
    return ButtonsOf(buttons).buttons[0].id;
}

int GuiMessageBox(const std::string& text, const std::string& caption, GuiBoxIcon icon, GuiBoxButtons buttons)
{
    const ButtonSet set = ButtonsOf(buttons);
    if (PrintOnly()) {
        Print(caption, text);
        return set.buttons[0].id;
    }
    int result = set.buttons[0].id;
    CallOnGuiThread([&] {
        GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, MessageTypeOf(icon), GTK_BUTTONS_NONE,
                                                   "%s", text.c_str());
        gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
        for (int i = 0; i < set.count; ++i) {
            gtk_dialog_add_button(GTK_DIALOG(dialog), set.buttons[i].label, set.buttons[i].id);
        }
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), set.buttons[0].id);
        GuiModalRequest request;
        request.kind = GuiModalKind::MessageBox;
        request.text = text;
        request.caption = caption;
        request.buttons = buttons;
        const int response = RunModal(dialog, request);
        gtk_widget_destroy(dialog);
        if (response > 0) {
            result = response;
        } else if (buttons == GuiBoxButtons::YesNoCancel) {
            result = IDCANCEL;  // closed or Escape
        } else {
            result = set.buttons[set.count - 1].id;
        }
    });
    return result;
}

std::string GuiOpenFileDialog(const std::string& folder, const std::string& defaultName)
{
    return RunFileDialog(false, folder, defaultName);
}

std::string GuiSaveFileDialog(const std::string& folder, const std::string& defaultName)
{
    return RunFileDialog(true, folder, defaultName);
}

COLORREF GuiChooseColor(COLORREF initial)
{
    if (PrintOnly()) {
        return kNoColour;
    }
    COLORREF chosen = kNoColour;
    CallOnGuiThread([&] {
        GtkWidget* dialog = gtk_color_chooser_dialog_new("Color", nullptr);
        GtkColorChooser* chooser = GTK_COLOR_CHOOSER(dialog);
        gtk_color_chooser_set_use_alpha(chooser, FALSE);
        const GdkRGBA start = {(initial & 0xFF) / 255.0, ((initial >> 8) & 0xFF) / 255.0,
                               ((initial >> 16) & 0xFF) / 255.0, 1.0};
        gtk_color_chooser_set_rgba(chooser, &start);
        GuiModalRequest request;
        request.kind = GuiModalKind::Colour;
        request.caption = "Color";
        if (RunModal(dialog, request) == GTK_RESPONSE_OK) {
            GdkRGBA rgba;
            gtk_color_chooser_get_rgba(chooser, &rgba);
            chosen = RGB(static_cast<int>(rgba.red * 255.0 + 0.5), static_cast<int>(rgba.green * 255.0 + 0.5),
                         static_cast<int>(rgba.blue * 255.0 + 0.5));
        }
        gtk_widget_destroy(dialog);
    });
    return chosen;
}

void SetGuiModalScript(GuiModalScript script)
{
    std::lock_guard<std::mutex> lock(gScriptMutex);
    gScript = std::move(script);
}
