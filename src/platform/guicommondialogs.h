// Message boxes and the file and colour dialogs of the GUI thread. Each
// blocks its caller, whatever thread that is, until the user answers; the
// dialog itself runs modally on the GUI thread. With no display, or under
// tests (MORVO_TEST) with no script installed, a box prints its caption and
// text to standard error and gives its default button, and a dialog gives
// "" (or the cancel colour) at once.
#pragma once

#include "guiwindow.h"  // COLORREF

#include <functional>
#include <string>
#include <vector>

enum class GuiBoxIcon { None, Information, Warning, Error, Question };
enum class GuiBoxButtons { Ok, YesNo, YesNoCancel };

// IDOK, IDYES, IDNO or IDCANCEL.
int GuiMessageBox(const std::string& text, const std::string& caption, GuiBoxIcon icon, GuiBoxButtons buttons);
// The button a box of this set gives without asking (its first).
int GuiDefaultButton(GuiBoxButtons buttons);

// The chosen path, "" when cancelled. Save asks before overwriting.
std::string GuiOpenFileDialog(const std::string& folder, const std::string& defaultName);
std::string GuiSaveFileDialog(const std::string& folder, const std::string& defaultName);

constexpr COLORREF kNoColour = 0xFFFFFFFF;
// The chosen colour, kNoColour when cancelled.
COLORREF GuiChooseColor(COLORREF initial);

// Tests answer the real dialogs with a script: it is called on the GUI
// thread once a box or dialog is shown, with what it shows, and its answer
// is put into the dialog as a user would. An answer marked "wait" is no
// answer yet: the script is asked again a moment later.
enum class GuiModalKind { MessageBox, OpenFile, SaveFile, Colour };
struct GuiModalRequest {
    GuiModalKind kind = GuiModalKind::MessageBox;
    std::string text;     // box text
    std::string caption;  // box caption or dialog title
    std::string folder;   // file dialogs: the folder shown
    std::string name;     // file dialogs: the default name
    GuiBoxButtons buttons = GuiBoxButtons::Ok;
    std::vector<std::string> shownButtons;  // boxes: the buttons' texts as shown
    bool everyFileShown = false;            // file dialogs: the filter lets any file through
};
struct GuiModalAnswer {
    int button = IDOK;    // boxes; IDCANCEL also cancels a dialog
    std::string path;     // file dialogs: the file to choose
    COLORREF colour = 0;  // colour dialog
    bool wait = false;    // not yet: ask the script again
};
using GuiModalScript = std::function<GuiModalAnswer(const GuiModalRequest&)>;
void SetGuiModalScript(GuiModalScript script);
