// Every kind of control through the uniform operations, on a real display.
#include "gui_support.h"

#include "testsupport.h"

#include <functional>
#include <string>

namespace {

class Controls : public ToolkitDisplayTest {
protected:
    void SetUp() override
    {
        ToolkitDisplayTest::SetUp();
        dialog_ = new WDialog(kKindsDialogId, true, "kinds", 0);
        dialog_->RegisterMessageHandler(0, Record, WM_COMMAND, 0);
    }
    void TearDown() override
    {
        CloseAndDelete(dialog_);
        ToolkitDisplayTest::TearDown();
    }
    COLORREF ShownBackground(HWND window) const
    {
        COLORREF text = 0;
        COLORREF background = 0;
        GuiGetShownColors(window, &text, &background);
        return background;
    }

    WDialog* dialog_ = nullptr;
};

TEST_F(Controls, TextFollowsTheLineEndAndLengthRules)
{
    EXPECT_EQ(dialog_->SetText(kMultiLineEdit, "first\nsecond"), 0);
    EXPECT_EQ(dialog_->GetText(kMultiLineEdit), "first\nsecond");
    EXPECT_EQ(dialog_->SetText(kLineEdit, "x\r\ny"), 0);  // the "\r" before "\n" gets a second one
    EXPECT_EQ(GuiGetWindowText(GuiGetDlgItem(dialog_->GetHwnd(), kLineEdit)), "x\r\r\ny");
    EXPECT_EQ(dialog_->GetText(kLineEdit), "x\ny");
    dialog_->SetText(kLineEdit, "a\n\nb");  // each of two line ends in a row
    EXPECT_EQ(GuiGetWindowText(GuiGetDlgItem(dialog_->GetHwnd(), kLineEdit)), "a\r\n\r\nb");
    dialog_->SetText(kLineEdit, std::string(5000, 'a'));
    EXPECT_EQ(dialog_->GetText(kLineEdit).size(), 4095u);
    EXPECT_EQ(dialog_->SetText(kLabel, "changed"), -1);
    EXPECT_EQ(dialog_->GetText(kLabel), "Label");
    EXPECT_EQ(dialog_->SetText(kPushButton, "Pushed"), 0);
    EXPECT_EQ(dialog_->GetText(kPushButton), "Pushed");
    // Setting an edit's text is the one programmatic change that notifies.
    EXPECT_EQ(Log().Commands(),
              (std::vector<WPARAM>{MAKEWPARAM(kMultiLineEdit, EN_CHANGE), MAKEWPARAM(kLineEdit, EN_CHANGE),
                                   MAKEWPARAM(kLineEdit, EN_CHANGE), MAKEWPARAM(kLineEdit, EN_CHANGE)}));
}

TEST_F(Controls, ComboAndListBoxesHoldSelectAndFindItems)
{
    for (unsigned id : {kComboBox, kListBox}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(dialog_->SetText(id, "beta", -1), 0);
        EXPECT_EQ(dialog_->SetText(id, "alpha", 0), 0);
        EXPECT_EQ(dialog_->SetText(id, "gamma\r", 2), 2);  // at the end, by its index
        EXPECT_EQ(dialog_->GetCount(id), 3);
        EXPECT_EQ(dialog_->GetText(id), "");  // nothing selected
        dialog_->SetSelected(id, 1);
        EXPECT_EQ(dialog_->GetSelected(id), 1);
        EXPECT_EQ(dialog_->GetText(id), "beta");
        EXPECT_EQ(dialog_->FindString(id, "AL", -1), 0);
        EXPECT_EQ(dialog_->FindString(id, "delta", -1), -1);
        EXPECT_EQ(dialog_->SetSelected(id, std::string("gam")), 2);
        EXPECT_EQ(dialog_->GetText(id), "gamma");  // read back without its "\r"
        const std::string longItem(300, 'z');  // longer than any small buffer
        EXPECT_EQ(dialog_->SetText(id, longItem, 0), 0);
        dialog_->SetSelected(id, 0);
        EXPECT_EQ(dialog_->GetText(id), longItem);
        dialog_->RemoveText(id, 0);
        dialog_->RemoveText(id, 0);
        EXPECT_EQ(dialog_->GetCount(id), 2);
        dialog_->Clear(id);
        EXPECT_EQ(dialog_->GetCount(id), 0);
        EXPECT_EQ(dialog_->GetSelected(id), -1);
    }
    EXPECT_TRUE(Log().Commands().empty());  // the program's selections notify nobody
    EXPECT_EQ(dialog_->GetCount(kListView), 0);
    EXPECT_EQ(dialog_->GetSelected(kListView), -1);
    EXPECT_EQ(dialog_->GetCount(kTreeView), 0);
    EXPECT_EQ(dialog_->GetCount(kLabel), -1);
}

TEST_F(Controls, BarsClampTheirPosition)
{
    struct Bar {
        unsigned id;
        unsigned position, minimum, maximum;
        int shown;
    };
    const Bar bars[] = {{kTrackbar, 150, 0, 100, 100}, {kProgress, 30, 10, 50, 30}, {kScrollBar, 2, 5, 20, 5}};
    for (const Bar& bar : bars) {
        dialog_->SetBarPosition(bar.id, bar.position, bar.minimum, bar.maximum);
        int position = -1;
        int minimum = -1;
        int maximum = -1;
        dialog_->GetBarPosition(bar.id, &position, &minimum, &maximum);
        EXPECT_EQ(position, bar.shown) << bar.id;
        EXPECT_EQ(minimum, static_cast<int>(bar.minimum)) << bar.id;
        EXPECT_EQ(maximum, static_cast<int>(bar.maximum)) << bar.id;
    }
}

TEST_F(Controls, MenuItemsAndWindowsAreEnabledAndChecked)
{
    dialog_->SetEnabled(kMarkCommand, false);
    dialog_->SetChecked(kMarkCommand, true);
    EXPECT_EQ(dialog_->GetControlType(kMarkCommand), kControlMenuItem);
    EXPECT_EQ(GuiGetMenuState(GuiGetMenu(dialog_->GetHwnd()), kMarkCommand), MF_GRAYED | MF_CHECKED);
    EXPECT_FALSE(dialog_->IsChecked(kMarkCommand));  // asks the (absent) button
    dialog_->SetEnabled(kPushButton, false);
    EXPECT_FALSE(GuiIsWindowEnabled(GuiGetDlgItem(dialog_->GetHwnd(), kPushButton)));
    dialog_->SetChecked(kCheckBox, true);
    EXPECT_TRUE(dialog_->IsChecked(kCheckBox));
}

TEST_F(Controls, ColoursComeFromTheTableOneEntryPerControl)
{
    const int entries = ColorEntryCount();
    HWND label = GuiGetDlgItem(dialog_->GetHwnd(), kLabel);
    dialog_->SetColor(kLabel, 3, 7);
    COLORREF text = 0;
    COLORREF background = 0;
    ASSERT_TRUE(GuiGetShownColors(label, &text, &background));
    EXPECT_EQ(text, RGB(255, 0, 0));
    EXPECT_EQ(background, RGB(0, 0, 255));
    dialog_->SetColor(kLabel, kKorrelDefaultColor, kKorrelDefaultColor);
    GuiGetShownColors(label, &text, &background);
    EXPECT_EQ(text, RGB(0, 0, 0));
    EXPECT_EQ(background, RGB(255, 255, 255));
    dialog_->SetColor(kLabel, 2, 5);
    dialog_->SetColor(kListBox, 6, 8);  // another control's entry leaves the label's alone
    EXPECT_EQ(ShownBackground(GuiGetDlgItem(dialog_->GetHwnd(), kListBox)), RGB(0, 255, 255));
    EXPECT_EQ(ShownBackground(label), RGB(255, 0, 255));
    dialog_->SetBackgroundColor(4);
    EXPECT_EQ(ShownBackground(dialog_->GetHwnd()), RGB(255, 255, 0));
    EXPECT_EQ(ColorEntryCount(), entries + 3);
    EXPECT_EQ(KorrelColor(12), RGB(0, 0, 0));
}

TEST_F(Controls, CaptionSizeAndPositionOfTheWindow)
{
    dialog_->SetCaption("Other");
    EXPECT_EQ(GuiGetWindowText(dialog_->GetHwnd()), "Other");
    dialog_->SetPosition(100, 120);
    int x = 0;
    int y = 0;
    dialog_->GetPosition(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 120);
    dialog_->SetSize(600, 450);  // keeps the position
    dialog_->GetPosition(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 120);
}

// Operations a kind does not support fail the check with their own message.
TEST_F(Controls, UnsupportedOperationsFailTheCheck)
{
    struct Misuse {
        std::function<void(WDialog&)> call;
        const char* message;
    };
    const Misuse misuses[] = {
        {[](WDialog& d) { d.SetText(kListView, "x"); }, "LISTVIEW SetText() not supported\n"},
        {[](WDialog& d) { d.SetText(kTreeView, "x"); }, "TREEVIEW SetText() not supported\n"},
        {[](WDialog& d) { d.GetText(kListView); }, "LISTVIEW GetText() not supported\n"},
        {[](WDialog& d) { d.GetText(kTreeView); }, "TREEVIEW GetText() not supported\n"},
        {[](WDialog& d) { d.RemoveText(kTreeView, 0); }, "TREEVIEW RemoveText() not supported\n"},
        {[](WDialog& d) { d.GetSelected(kTreeView); }, "TREEVIEW GetSelected() not supported\n"},
        {[](WDialog& d) { d.SetSelected(kTreeView, 0); }, "TREEVIEW SetSelected() not supported\n"},
        {[](WDialog& d) { d.SetSelected(kLineEdit, std::string("x")); },
         "SetSelected() not supported for this control ID type\n"},
        {[](WDialog& d) { d.FindString(kLabel, "x", -1); }, "FindString() not supported for this control ID type\n"},
        {[](WDialog& d) { d.GetBarPosition(kLabel, nullptr); }, "WControls::GetBarPosition() not defined for this ID"},
        {[](WDialog& d) { d.SetBarPosition(kLabel, 1, 0, 2); }, "WControls::SetBarPosition() not defined for this ID"},
        {[](WDialog& d) { d.SetBarPosition(kTrackbar, 1, 3, 2); }, "You must set min <= max in SetBarPosition"},
        {[](WDialog& d) { d.SetColor(kLabel, 11, 0); }, "Invalid color"},
    };
    for (const Misuse& misuse : misuses) {
        BreakCounter breaks;
        testing::internal::CaptureStderr();
        misuse.call(*dialog_);
        const std::string report = std::string("Korrel ERROR: ") + misuse.message + "\n";
        EXPECT_EQ(testing::internal::GetCapturedStderr().substr(0, report.size()), report);
        EXPECT_EQ(breaks.Count(), 1) << misuse.message;
    }
}

}  // namespace
