// A dialog's own life: OK and Cancel close it, a dialog that cannot be built
// is reported, the trace names it by its signed id.
#include "gui_support.h"

#include "korrel/korrelcheck.h"
#include "testsupport.h"

#include <gmock/gmock.h>

#include <string>

namespace {

class Dialogs : public ToolkitDisplayTest {};

TEST_F(Dialogs, OkAndCancelCloseTheDialog)
{
    for (const unsigned button : {IDOK, IDCANCEL}) {
        auto* dialog = new WDialog(kKindsDialogId, true, "kinds", 0);
        HWND window = dialog->GetHwnd();
        GuiSendMessage(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        EXPECT_FALSE(dialog->IsOpen()) << button;
        EXPECT_FALSE(GuiIsWindow(window)) << button;
        delete dialog;
    }
}

TEST_F(Dialogs, OneThatCannotBeBuiltIsReportedInABoxAndFailsTheCheck)
{
    BreakCounter breaks;
    testing::internal::CaptureStderr();
    auto* dialog = new WDialog(999, false, "kinds", 0);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(dialog->GetHwnd(), nullptr);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_THAT(printed, ::testing::HasSubstr("Korrel ERROR: Could not load the dialog box\n"));
    const std::vector<GuiModalRequest> requests = Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, "WObject::MessageThread(): Could not create dialog box Id = 999");
    EXPECT_EQ(requests[0].caption, "Korrel");
    delete dialog;
}

constexpr GuiDialogTemplate kHighIdDialogs[] = {
    {-2, "High", "MS Sans Serif", 8, WS_CAPTION | WS_SYSMENU, 100, 50, 0, {}},
};
constexpr GuiResourceTable kHighIdResources = {MakeGuiList(kHighIdDialogs), {}, {}, {}};

// Off by default; on, the destructor names the dialog by its id as a signed number.
TEST_F(Dialogs, DestructorTraceOnlyWhenSwitchedOn)
{
    RegisterGuiResources("high", &kHighIdResources);
    const unsigned highId = 0xFFFFFFFEu;
    const std::string line = "WDialog::~WDialog(): Destructor for dialog=-2\n";
    for (const bool on : {false, true}) {
        if (on) {
            KorrelSetTrace(true);
        }
        auto* dialog = new WDialog(highId, false, "high", 0);
        ASSERT_NE(dialog->GetHwnd(), nullptr);
        testing::internal::CaptureStdout();
        CloseAndDelete(dialog);
        KorrelSetTrace(false);
        const std::string printed = testing::internal::GetCapturedStdout();
        if (on) {
            EXPECT_THAT(printed, ::testing::HasSubstr(line));
        } else {
            EXPECT_EQ(printed, "");
        }
    }
}

}  // namespace
