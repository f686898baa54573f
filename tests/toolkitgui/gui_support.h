// Shared by the toolkit's display tests: a test dialog with a control of
// every kind, a recorder of the events handlers receive, and the set-up that
// registers the resources and answers every box with a script.
#pragma once

#include "guicommondialogs.h"
#include "korrel/korrel.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

// Dialog 200: one control of each kind, and a menu.
constexpr unsigned kKindsDialogId = 200;
constexpr unsigned kMultiLineEdit = 2001;
constexpr unsigned kLineEdit = 2002;
constexpr unsigned kLabel = 2003;
constexpr unsigned kComboBox = 2004;
constexpr unsigned kListBox = 2005;
constexpr unsigned kScrollBar = 2006;
constexpr unsigned kTrackbar = 2007;
constexpr unsigned kProgress = 2008;
constexpr unsigned kListView = 2009;
constexpr unsigned kTreeView = 2010;
constexpr unsigned kCheckBox = 2011;
constexpr unsigned kPushButton = 2012;
constexpr unsigned kMarkCommand = 2100;

// Events the Record callback received, in order (handlers run on the GUI thread).
class EventLog {
public:
    void Add(const WEvent& event);
    std::vector<WEvent> Events() const;
    // WM_COMMAND events only, as (id, notification) words.
    std::vector<WPARAM> Commands() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::vector<WEvent> events_;
};

EventLog& Log();
void Record(WEvent event);

// Registers the edit dialog's and the test dialog's resources, clears the
// log, answers boxes with the test's script (each box: its default button).
class ToolkitDisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The requests the script saw.
    std::vector<GuiModalRequest> Requests() const;
    void Answer(GuiModalAnswer answer);

    // Closes the dialog through its close box and deletes it.
    static void CloseAndDelete(WDialog* dialog);

private:
    mutable std::mutex mutex_;
    std::vector<GuiModalRequest> requests_;
    std::vector<GuiModalAnswer> answers_;
};
