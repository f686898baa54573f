// Dialog 101 built from its resources, on a real display: controls, menu,
// keys through the accelerator table, clicks, the close box.
#include "gui_support.h"

#include "editdialogresources.h"

#include <string>

namespace {

class EditDialog : public ToolkitDisplayTest {
protected:
    void SetUp() override
    {
        ToolkitDisplayTest::SetUp();
        dialog_ = new WDialog(kEditDialogId, false, nullptr, 0);
        dialog_->RegisterHotKeyTable(kEditAcceleratorsId);
    }
    void TearDown() override
    {
        CloseAndDelete(dialog_);
        ToolkitDisplayTest::TearDown();
    }
    HWND Hwnd() const { return dialog_->GetHwnd(); }
    HWND Item(unsigned id) const { return GuiGetDlgItem(Hwnd(), static_cast<int>(id)); }
    RECT Rect(unsigned id) const
    {
        RECT rect;
        GuiGetWindowRect(Item(id), &rect);
        return rect;
    }

    WDialog* dialog_ = nullptr;
};

TEST_F(EditDialog, IsBuiltWithItsControlsAndMenu)
{
    struct Control {
        unsigned id;
        int kind;
        const char* caption;
    };
    const Control controls[] = {
        {kEditOpenLevel, kControlButton, "Open Level..."},
        {kEditSaveLevel, kControlButton, "Save Level..."},
        {kEditResume, kControlButton, "Resume Game"},
        {kEditClearAll, kControlButton, "Clear All Morvos"},
        {kEditWinWhenAllPure, kControlButton, "Win when all morvos are pure"},
        {kEditWinWhenNoDarkMorvos, kControlButton, "Win when no dark morvos"},
        {kEditLoseWhenNoPureMorvos, kControlButton, "Lose when no pure morvos"},
        {kEditHelp, kControlMenuItem, ""},
        {kEditEscapeCommand, kControlNone, ""},
    };
    for (const Control& control : controls) {
        EXPECT_EQ(dialog_->GetControlType(control.id), control.kind) << control.id;
        EXPECT_EQ(dialog_->GetText(control.id), control.caption) << control.id;
    }
    EXPECT_EQ(GuiGetWindowText(Hwnd()), "Morvo Edit");
    EXPECT_EQ(GuiGetClassName(GuiGetDlgItem(Hwnd(), -1)), "Button");  // the group boxes
    EXPECT_NE(GuiGetMenuState(GuiGetMenu(Hwnd()), kEditOpenLevel), kMenuItemMissing);
    EXPECT_NE(GuiGetMenuState(GuiGetMenu(Hwnd()), kEditSaveLevel), kMenuItemMissing);

    dialog_->SetVisible(true, 0);
    int width = 0;
    int height = 0;
    dialog_->GetSize(&width, &height);
    EXPECT_GT(width, height);  // 223 x 138 dialog units
    EXPECT_GT(Rect(kEditResume).left, Rect(kEditClearAll).right);
    EXPECT_GT(Rect(kEditResume).top, Rect(kEditLoseWhenNoPureMorvos).bottom);
    EXPECT_GT(Rect(kEditWinWhenNoDarkMorvos).top, Rect(kEditWinWhenAllPure).top);
}

TEST_F(EditDialog, ReturnResumesEvenOnAFocusedButtonAndEscapeDoesNothing)
{
    dialog_->RegisterMessageHandler(0, Record, WM_COMMAND, 0);
    dialog_->SetVisible(true, 0);
    const WPARAM resume = MAKEWPARAM(kEditReturnCommand, 1);
    const WPARAM escape = MAKEWPARAM(kEditEscapeCommand, 1);

    ASSERT_TRUE(GuiSendKey(Hwnd(), VK_RETURN));
    ASSERT_TRUE(GuiSendKey(Item(kEditResume), VK_RETURN));
    ASSERT_TRUE(GuiSendKey(Item(kEditClearAll), VK_RETURN));
    ASSERT_TRUE(GuiSendKey(Item(kEditWinWhenAllPure), VK_RETURN));
    ASSERT_TRUE(GuiSendKey(Hwnd(), VK_ESCAPE));
    EXPECT_EQ(Log().Commands(), (std::vector<WPARAM>{resume, resume, resume, resume, escape}));
    EXPECT_FALSE(dialog_->IsChecked(kEditWinWhenAllPure));
    EXPECT_TRUE(dialog_->IsOpen());
    EXPECT_TRUE(GuiIsWindow(Hwnd()));
}

TEST_F(EditDialog, TabMovesAmongTabStops)
{
    dialog_->SetVisible(true, 0);
    GuiSetFocus(Item(kEditResume));
    GuiSendKey(Hwnd(), VK_TAB);
    EXPECT_EQ(GuiGetFocus(), Item(kEditWinWhenAllPure));
    GuiSendKey(Hwnd(), VK_TAB, true);
    GuiSendKey(Hwnd(), VK_TAB, true);
    EXPECT_EQ(GuiGetFocus(), Item(kEditLoseWhenNoPureMorvos));
}

TEST_F(EditDialog, ClicksNotifyButProgramChangesDoNot)
{
    dialog_->RegisterMessageHandler(0, Record, WM_COMMAND, 0);
    dialog_->SetVisible(true, 0);
    GuiSendMessage(Item(kEditWinWhenNoDarkMorvos), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog_->IsChecked(kEditWinWhenNoDarkMorvos));
    dialog_->SetChecked(kEditWinWhenNoDarkMorvos, false);
    dialog_->SetChecked(kEditLoseWhenNoPureMorvos, true);
    dialog_->SetChecked(kEditSaveLevel, true);  // a button shares the id with "Export..."
    ASSERT_TRUE(GuiActivateMenuItem(Hwnd(), kEditSaveLevel));

    const std::vector<WEvent> events = Log().Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].wParam, MAKEWPARAM(kEditWinWhenNoDarkMorvos, BN_CLICKED));
    EXPECT_EQ(events[0].lParam, reinterpret_cast<LPARAM>(Item(kEditWinWhenNoDarkMorvos)));
    EXPECT_EQ(events[0].id, kEditWinWhenNoDarkMorvos);
    EXPECT_EQ(events[1].wParam, MAKEWPARAM(kEditSaveLevel, 0));  // the menu's command
    EXPECT_EQ(events[1].lParam, 0);
    EXPECT_FALSE(dialog_->IsChecked(kEditWinWhenNoDarkMorvos));
    EXPECT_TRUE(dialog_->IsChecked(kEditLoseWhenNoPureMorvos));
    EXPECT_EQ(GuiGetMenuState(GuiGetMenu(Hwnd()), kEditSaveLevel), MF_UNCHECKED);
}

TEST_F(EditDialog, CloseBoxClosesIt)
{
    dialog_->SetVisible(true, 0);
    ASSERT_TRUE(GuiPressCloseBox(Hwnd()));
    EXPECT_FALSE(dialog_->IsOpen());
    EXPECT_FALSE(GuiIsWindow(Hwnd()));
    EXPECT_EQ(dialog_->GetText(kEditResume), "");  // calls on a gone window fail softly
}

TEST_F(EditDialog, HandlerForEverythingKeepsItOpen)
{
    dialog_->RegisterMessageHandler(0, Record, 0, 0);
    dialog_->SetVisible(true, 0);
    ASSERT_TRUE(GuiPressCloseBox(Hwnd()));
    EXPECT_TRUE(dialog_->IsOpen());
    EXPECT_TRUE(GuiIsWindow(Hwnd()));
    dialog_->UnregisterMessageHandler(0, 0);
}

TEST_F(EditDialog, OpeningAndClosingFiftyTimesGrowsNothing)
{
    CloseAndDelete(dialog_);
    dialog_ = nullptr;
    const int handlers = KorrelHandlers().Count();
    const int hotKeys = KorrelHotKeys().Count();
    const int windows = GuiWindowCount();
    const int colours = ColorEntryCount();
    for (int i = 0; i < 50; ++i) {
        auto* dialog = new WDialog(kEditDialogId, false, nullptr, 0);
        dialog->RegisterHotKeyTable(kEditAcceleratorsId);
        for (unsigned id : {kEditHelp, kEditSaveLevel, kEditOpenLevel, kEditResume, kEditClearAll}) {
            dialog->RegisterMessageHandler(id, Record, WM_COMMAND, 0);
        }
        dialog->SetColor(0, 1, 2);
        dialog->SetChecked(kEditWinWhenAllPure, i % 2 == 0);
        dialog->SetVisible(true, 0);
        CloseAndDelete(dialog);
    }
    EXPECT_EQ(KorrelHandlers().Count(), handlers);
    EXPECT_EQ(KorrelHotKeys().Count(), hotKeys);
    EXPECT_EQ(GuiWindowCount(), windows);
    EXPECT_EQ(ColorEntryCount(), colours);
    dialog_ = new WDialog(kEditDialogId, false, nullptr, 0);
}

}  // namespace
