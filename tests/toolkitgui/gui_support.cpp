#include "gui_support.h"

#include "editdialogresources.h"
#include "guiresource.h"
#include "guithread.h"

#include <cstdlib>

namespace {

constexpr GuiControlTemplate kKindControls[] = {
    {kMultiLineEdit, kEditClass, "", ES_MULTILINE | WS_TABSTOP, 5, 5, 100, 30},
    {kLineEdit, kEditClass, "", WS_TABSTOP, 5, 40, 100, 12},
    {kLabel, kStaticClass, "Label", 0, 5, 55, 100, 10},
    {kComboBox, kComboBoxClass, "", 0x3 | WS_TABSTOP, 110, 5, 80, 60},
    {kListBox, kListBoxClass, "", WS_TABSTOP, 110, 25, 80, 40},
    {kScrollBar, kScrollBarClass, "", 0, 5, 70, 100, 10},
    {kTrackbar, kTrackbarClass, "", WS_TABSTOP, 5, 85, 100, 15},
    {kProgress, kProgressClass, "", 0, 5, 105, 100, 10},
    {kListView, kListViewClass, "", WS_TABSTOP, 110, 70, 80, 30},
    {kTreeView, kTreeViewClass, "", WS_TABSTOP, 110, 105, 80, 30},
    {kCheckBox, kButtonClass, "Check", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 120, 60, 10},
    {kPushButton, kButtonClass, "Push", BS_PUSHBUTTON | WS_TABSTOP, 70, 120, 30, 14},
};

constexpr GuiDialogTemplate kKindDialogs[] = {
    {kKindsDialogId, "Kinds", "MS Sans Serif", 8, WS_CAPTION | WS_SYSMENU, 200, 140, kKindsDialogId,
     MakeGuiList(kKindControls)},
};

constexpr GuiMenuItemTemplate kKindMenu[] = {
    {0, 0, "Tools"},
    {1, kMarkCommand, "Mark"},
};

constexpr GuiMenuTemplate kKindMenus[] = {{kKindsDialogId, MakeGuiList(kKindMenu)}};

constexpr GuiResourceTable kKindResources = {MakeGuiList(kKindDialogs), MakeGuiList(kKindMenus), {}, {}};

}  // namespace

void EventLog::Add(const WEvent& event)
{
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(event);
}

std::vector<WEvent> EventLog::Events() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

std::vector<WPARAM> EventLog::Commands() const
{
    std::vector<WPARAM> commands;
    for (const WEvent& event : Events()) {
        if (event.message == WM_COMMAND) {
            commands.push_back(event.wParam);
        }
    }
    return commands;
}

void EventLog::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}

EventLog& Log()
{
    static EventLog log;
    return log;
}

void Record(WEvent event)
{
    Log().Add(event);
}

void ToolkitDisplayTest::SetUp()
{
    setenv("GSETTINGS_BACKEND", "memory", 0);  // the file dialogs keep no settings
    RegisterEditDialogResources();
    RegisterGuiResources("kinds", &kKindResources);
    Log().Clear();
    SetGuiModalScript([this](const GuiModalRequest& request) {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        if (answers_.empty()) {
            return GuiModalAnswer{GuiDefaultButton(request.buttons), "", 0};
        }
        GuiModalAnswer answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    });
    ASSERT_TRUE(StartGuiThread()) << "these tests need a display";
}

void ToolkitDisplayTest::TearDown()
{
    SetGuiModalScript({});
}

std::vector<GuiModalRequest> ToolkitDisplayTest::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void ToolkitDisplayTest::Answer(GuiModalAnswer answer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(std::move(answer));
}

void ToolkitDisplayTest::CloseAndDelete(WDialog* dialog)
{
    if (GuiIsWindow(dialog->GetHwnd())) {
        GuiShowWindow(dialog->GetHwnd(), true);
        GuiPressCloseBox(dialog->GetHwnd());
    }
    delete dialog;
}
