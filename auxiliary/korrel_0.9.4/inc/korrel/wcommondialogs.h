// Message boxes, file dialogs and the colour dialog of the toolkit. Each
// blocks its caller until the user answers and floats above every window of
// the program. With no display they print the text and return the default
// button (or "", or 0xFFFFFFFF) at once.
#pragma once

#include "guiwindow.h"  // COLORREF, IDOK ...

#include <string>

int ShowMessageBox(const std::string& text, const std::string& caption);
int ShowInfoBox(const std::string& text, const std::string& caption);
int ShowWarningBox(const std::string& text, const std::string& caption);
int ShowErrorBox(const std::string& text, const std::string& caption);
// IDYES, IDNO or (with cancel) IDCANCEL.
int AskQuestionBox(const std::string& text, bool withCancel, const std::string& caption);

// The chosen path, "" when cancelled. Neither changes the current directory.
std::string OpenFileDialog(const std::string& initialDirectory, const std::string& defaultFileName);
std::string SaveFileDialog(const std::string& initialDirectory, const std::string& defaultFileName);

// Starts at red; 0xFFFFFFFF when cancelled.
COLORREF ChooseColorDialog();
