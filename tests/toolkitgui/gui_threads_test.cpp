// Dialogs and boxes used from several threads: each request waits for its
// own completion, calls are served inside a modal loop, boxes are modal for
// whichever thread asks.
#include "gui_support.h"

#include "editdialogresources.h"
#include "guithread.h"
#include "testsupport.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

template <typename F> bool WaitUntil(F done)
{
    for (int i = 0; i < 2000 && !done(); ++i) {
        std::this_thread::sleep_for(1ms);
    }
    return done();
}

class Threads : public ToolkitDisplayTest {};

TEST_F(Threads, DialogsCreatedFromTwoThreadsAtOnceEachWaitForTheirOwnWindow)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    ASSERT_TRUE(PostGuiWork([released] { released.wait(); }));
    ASSERT_TRUE(WaitUntil([] { return GuiPendingWorkCount() == 0; }));

    WDialog* first = nullptr;
    HWND firstAtReturn = nullptr;
    std::thread a([&] {
        first = new WDialog(kEditDialogId, false, nullptr, 0);
        firstAtReturn = first->GetHwnd();
    });
    ASSERT_TRUE(WaitUntil([] { return GuiPendingWorkCount() == 1; }));
    // A slow work item between the two creations leaves time to return early.
    PostGuiWork([] {
        WaitUntil([] { return GuiPendingWorkCount() == 1; });
        std::this_thread::sleep_for(100ms);
    });
    WDialog* second = nullptr;
    HWND secondAtReturn = nullptr;
    std::thread b([&] {
        second = new WDialog(kEditDialogId, false, nullptr, 0);
        secondAtReturn = second->GetHwnd();
    });
    ASSERT_TRUE(WaitUntil([] { return GuiPendingWorkCount() == 3; }));
    release.set_value();
    a.join();
    b.join();

    EXPECT_NE(firstAtReturn, nullptr);
    EXPECT_NE(secondAtReturn, nullptr);
    EXPECT_NE(firstAtReturn, secondAtReturn);
    CloseAndDelete(first);
    CloseAndDelete(second);
}

WDialog* gChild = nullptr;

void OpenChild(WEvent)
{
    gChild = new WDialog(kKindsDialogId, true, "kinds", 0);
}

TEST_F(Threads, DialogCreatedFromACallbackIsBuiltAtOnce)
{
    WDialog dialog(kEditDialogId, false, nullptr, 0);
    dialog.RegisterMessageHandler(kEditClearAll, OpenChild, WM_COMMAND, 0);
    GuiSendDlgItemMessage(dialog.GetHwnd(), kEditClearAll, BM_CLICK, 0, 0);
    ASSERT_NE(gChild, nullptr);
    EXPECT_TRUE(GuiIsWindowVisible(gChild->GetHwnd()));
    EXPECT_TRUE(gChild->IsOpen());
    CloseAndDelete(gChild);
    GuiPressCloseBox(dialog.GetHwnd());
}

std::atomic<bool> gBoxOpening{false};
std::atomic<bool> gBoxClosed{false};
std::atomic<bool> gTextRead{false};

void ShowBox(WEvent)
{
    gBoxOpening = true;
    ShowInfoBox("No help for you!", "Morvo Help");
    gBoxClosed = true;
}

TEST_F(Threads, ControlCallsAreServedWhileAHandlerShowsABox)
{
    gBoxOpening = false;
    gBoxClosed = false;
    gTextRead = false;
    WDialog dialog(kEditDialogId, true, nullptr, 0);
    dialog.RegisterMessageHandler(kEditHelp, ShowBox, WM_COMMAND, 0);
    // The box is answered once the text has been read; were calls not served
    // meanwhile, the read would wait for the box, which gives up after 400 ticks.
    SetGuiModalScript([ticks = 0](const GuiModalRequest&) mutable {
        GuiModalAnswer answer;
        answer.wait = !gTextRead && ++ticks < 400;
        return answer;
    });
    std::thread user([&] { GuiActivateMenuItem(dialog.GetHwnd(), kEditHelp); });
    ASSERT_TRUE(WaitUntil([] { return gBoxOpening.load(); }));
    EXPECT_EQ(dialog.GetText(kEditResume), "Resume Game");
    EXPECT_FALSE(gBoxClosed);
    gTextRead = true;
    user.join();
    EXPECT_TRUE(gBoxClosed);
    GuiPressCloseBox(dialog.GetHwnd());
}

std::atomic<bool> gInHandler{false};
std::atomic<bool> gHookRan{false};
bool gHandlerSawTheHook = false;

// Holds the registry's lock until the main thread's wait hook has run
// (giving up after some seconds).
void WaitForTheMainThread(WEvent)
{
    gInHandler = true;
    gHandlerSawTheHook = WaitUntil([] { return gHookRan.load(); });
}

TEST_F(Threads, WaitingForTheRegistryRunsTheWaitHook)
{
    gInHandler = false;
    gHookRan = false;
    WDialog dialog(kEditDialogId, false, nullptr, 0);
    dialog.RegisterMessageHandler(kEditHelp, WaitForTheMainThread, WM_COMMAND, 0);
    std::thread user([&] { GuiActivateMenuItem(dialog.GetHwnd(), kEditHelp); });
    ASSERT_TRUE(WaitUntil([] { return gInHandler.load(); }));
    SetGuiWaitHook([] { gHookRan = true; });
    dialog.RegisterMessageHandler(kEditResume, Record, WM_COMMAND, 0);  // the lock is the handler's
    SetGuiWaitHook({});
    user.join();
    EXPECT_TRUE(gHandlerSawTheHook);
    GuiPressCloseBox(dialog.GetHwnd());
}

TEST_F(Threads, ShutdownEndsTheThreadAndTheNextDialogStartsItAgain)
{
    KorrelShutdown();
    EXPECT_FALSE(GuiThreadRunning());
    EXPECT_EQ(GuiThreadId(), 0u);
    EXPECT_FALSE(CallOnGuiThread([] {}));
    EXPECT_FALSE(PostGuiWork([] {}));
    WDialog dialog(kEditDialogId, false, nullptr, 0);
    EXPECT_TRUE(GuiThreadRunning());
    EXPECT_NE(GuiThreadId(), 0u);
    EXPECT_TRUE(GuiIsWindow(dialog.GetHwnd()));
    GuiPressCloseBox(dialog.GetHwnd());
}

TEST_F(Threads, BoxesAndFileDialogsGiveTheUsersAnswer)
{
    TempFolder folder;
    folder.Write("level.xml", "<MorvoLevel/>");
    char before[4096];
    ASSERT_NE(getcwd(before, sizeof(before)), nullptr);

    Answer(GuiModalAnswer{IDCANCEL, "", 0});
    EXPECT_EQ(AskQuestionBox("Save first?", true, "Korrel"), IDCANCEL);
    Answer(GuiModalAnswer{IDOK, folder.File("level.xml"), 0});
    EXPECT_EQ(OpenFileDialog(folder.Path(), ""), folder.File("level.xml"));
    Answer(GuiModalAnswer{IDOK, folder.File("new.xml"), 0});
    EXPECT_EQ(SaveFileDialog(folder.Path(), "new.xml"), folder.File("new.xml"));
    Answer(GuiModalAnswer{IDCANCEL, "", 0});
    EXPECT_EQ(OpenFileDialog(".", ""), "");
    Answer(GuiModalAnswer{IDOK, "", RGB(16, 128, 240)});
    EXPECT_EQ(ChooseColorDialog(), RGB(16, 128, 240));
    EXPECT_EQ(ShowErrorBox("Could not save", "Morvo"), IDOK);

    const std::vector<GuiModalRequest> requests = Requests();
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(requests[0].text, "Save first?");
    EXPECT_EQ(requests[0].caption, "Korrel");
    EXPECT_EQ(requests[0].buttons, GuiBoxButtons::YesNoCancel);
    EXPECT_EQ(requests[0].shownButtons, (std::vector<std::string>{"Yes", "No", "Cancel"}));
    EXPECT_EQ(requests[5].shownButtons, std::vector<std::string>{"OK"});
    EXPECT_EQ(requests[1].kind, GuiModalKind::OpenFile);
    EXPECT_EQ(requests[1].folder, folder.Path());
    EXPECT_TRUE(requests[1].everyFileShown);
    EXPECT_EQ(requests[2].name, "new.xml");
    EXPECT_TRUE(requests[2].everyFileShown);
    char after[4096];
    ASSERT_NE(getcwd(after, sizeof(after)), nullptr);
    EXPECT_STREQ(after, before);
}

}  // namespace
