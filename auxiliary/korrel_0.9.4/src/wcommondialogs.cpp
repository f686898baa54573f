// Message boxes and file dialogs: the toolkit's names for the GUI thread's dialogs.
#include "korrel/wcommondialogs.h"

#include "guicommondialogs.h"

namespace {
constexpr COLORREF kStartColour = RGB(255, 0, 0);
}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption)
{
    return GuiMessageBox(text, caption, GuiBoxIcon::None, GuiBoxButtons::Ok);
}

int ShowInfoBox(const std::string& text, const std::string& caption)
{
    return GuiMessageBox(text, caption, GuiBoxIcon::Information, GuiBoxButtons::Ok);
}

int ShowWarningBox(const std::string& text, const std::string& caption)
{
    return GuiMessageBox(text, caption, GuiBoxIcon::Warning, GuiBoxButtons::Ok);
}

int ShowErrorBox(const std::string& text, const std::string& caption)
{
    return GuiMessageBox(text, caption, GuiBoxIcon::Error, GuiBoxButtons::Ok);
}

int AskQuestionBox(const std::string& text, bool withCancel, const std::string& caption)
{
    return GuiMessageBox(text, caption, GuiBoxIcon::Question,
                         withCancel ? GuiBoxButtons::YesNoCancel : GuiBoxButtons::YesNo);
}

std::string OpenFileDialog(const std::string& initialDirectory, const std::string& defaultFileName)
{
    return GuiOpenFileDialog(initialDirectory, defaultFileName);
}

std::string SaveFileDialog(const std::string& initialDirectory, const std::string& defaultFileName)
{
    return GuiSaveFileDialog(initialDirectory, defaultFileName);
}

COLORREF ChooseColorDialog()
{
    return GuiChooseColor(kStartColour);
}
