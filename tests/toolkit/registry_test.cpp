// The handler registry and the dialog procedure, without any window:
// matching, newest-first order, unregistering, event records and kinds.
#include <gtest/gtest.h>

#include "korrel/wdialog.h"
#include "korrel/whandlerregistry.h"
#include "testsupport.h"

#include <string>
#include <vector>

namespace {

struct Call {
    int callback;
    WEvent event;
};
std::vector<Call> gCalls;

void First(WEvent event)
{
    gCalls.push_back({1, event});
}

void Second(WEvent event)
{
    gCalls.push_back({2, event});
}

// A toolkit object standing for a window the test names.
class FakeWindow : public WControls {
public:
    explicit FakeWindow(std::uintptr_t handle) { hWnd_ = reinterpret_cast<HWND>(handle); }
};

class Registry : public ::testing::Test {
protected:
    void SetUp() override { gCalls.clear(); }

    LRESULT Command(const FakeWindow& window, WORD id, WORD code = 0)
    {
        return WDialog::DialogProc(window.GetHwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    }
};

TEST_F(Registry, NewestHandlerWinsAndUnregisteringRestoresTheOlder)
{
    FakeWindow window(0x7001);
    FakeWindow other(0x7002);
    window.RegisterMessageHandler(5, First, WM_COMMAND, 11);
    window.RegisterMessageHandler(5, Second, WM_COMMAND, 22);

    EXPECT_EQ(Command(window, 5), TRUE);
    EXPECT_EQ(Command(window, 6), FALSE);  // another control
    EXPECT_EQ(Command(other, 5), FALSE);   // another window
    window.UnregisterMessageHandler(5, WM_COMMAND);
    EXPECT_EQ(Command(window, 5), TRUE);
    window.UnregisterMessageHandler(5, WM_COMMAND);
    window.UnregisterMessageHandler(5, WM_COMMAND);  // nothing left: removes nothing
    EXPECT_EQ(Command(window, 5), FALSE);

    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[0].callback, 2);
    EXPECT_EQ(gCalls[0].event.userWord, 22u);
    EXPECT_EQ(gCalls[1].callback, 1);
    EXPECT_EQ(gCalls[1].event.userWord, 11u);
}

// Unregistering takes the entry with this window, control id and message
// only; handlers that share two of the three stay.
TEST_F(Registry, UnregisteringMatchesWindowControlAndMessage)
{
    FakeWindow window(0x7004);
    FakeWindow other(0x7005);
    other.RegisterMessageHandler(8, First, WM_COMMAND, 0);
    window.RegisterMessageHandler(8, First, WM_COMMAND, 0);
    window.RegisterMessageHandler(8, First, WM_TIMER, 0);
    window.RegisterMessageHandler(9, First, WM_COMMAND, 0);
    window.UnregisterMessageHandler(8, WM_COMMAND);
    EXPECT_EQ(Command(window, 8), FALSE);
    EXPECT_EQ(Command(window, 9), TRUE);
    EXPECT_EQ(Command(other, 8), TRUE);
    EXPECT_EQ(WDialog::DialogProc(window.GetHwnd(), WM_TIMER, 8, 0), TRUE);
    window.UnregisterMessageHandler(9, WM_COMMAND);
    window.UnregisterMessageHandler(8, WM_TIMER);
    other.UnregisterMessageHandler(8, WM_COMMAND);
}

TEST_F(Registry, EventRecordCarriesTheMessageAndIsKeptByItsOwner)
{
    FakeWindow window(0x7003);
    window.RegisterMessageHandler(1010, First, WM_COMMAND, 7);
    WDialog::DialogProc(window.GetHwnd(), WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), 0x55);

    ASSERT_EQ(gCalls.size(), 1u);
    const WEvent& event = gCalls[0].event;
    EXPECT_EQ(event.id, 1010u);
    EXPECT_EQ(event.owner, &window);
    EXPECT_EQ(event.hWnd, window.GetHwnd());
    EXPECT_EQ(event.message, WM_COMMAND);
    EXPECT_EQ(event.wParam, MAKEWPARAM(1010, BN_CLICKED));
    EXPECT_EQ(event.lParam, 0x55);
    EXPECT_EQ(window.GetLastEvent().lParam, 0x55);
    EXPECT_EQ(WControls::GetEventKind(event), kEventClicked);
}

TEST_F(Registry, HandlerForAnyControlAndMessageTakesEverything)
{
    FakeWindow window(0x7004);
    window.RegisterMessageHandler(0, First, 0, 0);
    EXPECT_EQ(WDialog::DialogProc(window.GetHwnd(), WM_CLOSE, 0, 0), TRUE);
    EXPECT_EQ(Command(window, IDCANCEL), TRUE);
    EXPECT_EQ(WDialog::DialogProc(window.GetHwnd(), WM_CTLCOLORDLG, 0, 0), TRUE);
    EXPECT_EQ(gCalls.size(), 3u);
}

TEST_F(Registry, DeletingAnOwnerDropsItsHandlers)
{
    const int before = KorrelHandlers().Count();
    {
        FakeWindow window(0x7005);
        window.RegisterMessageHandler(1, First, WM_COMMAND, 0);
        window.RegisterMessageHandler(0, Second, WM_TIMER, 0);
        EXPECT_EQ(KorrelHandlers().Count(), before + 2);
    }
    EXPECT_EQ(KorrelHandlers().Count(), before);
    EXPECT_EQ(WDialog::DialogProc(reinterpret_cast<HWND>(0x7005), WM_TIMER, 0, 0), FALSE);
}

struct KindCase {
    std::string name;
    unsigned message;
    WPARAM wParam;
    int kind;
};

class EventKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(EventKinds, FollowMessageAndWParam)
{
    WEvent event;
    event.message = GetParam().message;
    event.wParam = GetParam().wParam;
    EXPECT_EQ(WControls::GetEventKind(event), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, EventKinds,
    ::testing::Values(KindCase{"Timer", WM_TIMER, 0, kEventTimer},
                      KindCase{"Clicked", WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), kEventClicked},
                      KindCase{"ListDoubleClick", WM_COMMAND, MAKEWPARAM(7, LBN_DBLCLK), kEventDoubleClicked},
                      KindCase{"ButtonDoubleClick", WM_COMMAND, MAKEWPARAM(7, BN_DOUBLECLICKED), kEventDoubleClicked},
                      KindCase{"SelectionChanged", WM_COMMAND, MAKEWPARAM(7, LBN_SELCHANGE), kEventSelectionChanged},
                      KindCase{"ComboEndOk", WM_COMMAND, MAKEWPARAM(7, CBN_SELENDOK), kEventSelectionChanged},
                      KindCase{"EditChanged", WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), kEventTextChanged},
                      KindCase{"AcceleratorCommand", WM_COMMAND, MAKEWPARAM(40005, 1), kEventSelectionChanged},
                      KindCase{"OtherNotification", WM_COMMAND, MAKEWPARAM(7, 0x400), kEventOther},
                      KindCase{"LineUp", WM_VSCROLL, SB_LINEUP, kEventScrollBack},
                      KindCase{"PageLeft", WM_HSCROLL, SB_PAGEUP, kEventScrollBack},
                      KindCase{"LineDown", WM_HSCROLL, SB_LINEDOWN, kEventScrollForward},
                      KindCase{"PageDown", WM_VSCROLL, SB_PAGEDOWN, kEventScrollForward},
                      KindCase{"Thumb", WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), kEventScrollThumb},
                      KindCase{"Track", WM_VSCROLL, SB_THUMBTRACK, kEventScrollOther},
                      KindCase{"Close", WM_CLOSE, 0, kEventOther}),
    CaseName());

struct ClassCase {
    std::string name;
    const char* className;
    int kind;
};

class ControlKinds : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ControlKinds, ComeFromTheExactClassName)
{
    EXPECT_EQ(WControls::GetControlTypeOfClass(GetParam().className), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, ControlKinds,
    ::testing::Values(ClassCase{"Button", "Button", kControlButton},
                      ClassCase{"ComboBox", "ComboBox", kControlComboBox}, ClassCase{"Edit", "Edit", kControlEdit},
                      ClassCase{"ListBox", "ListBox", kControlListBox}, ClassCase{"Static", "Static", kControlStatic},
                      ClassCase{"Progress", "msctls_progress32", kControlProgress},
                      ClassCase{"ScrollBar", "ScrollBar", kControlScrollBar},
                      ClassCase{"Trackbar", "msctls_trackbar32", kControlTrackbar},
                      ClassCase{"ListView", "SysListView32", kControlListView},
                      ClassCase{"TreeView", "SysTreeView32", kControlTreeView},
                      ClassCase{"CaseMatters", "button", kControlNone}, ClassCase{"Dialog", "#32770", kControlNone}),
    CaseName());

}  // namespace
