// The window-message queue: posting, filtering, one removal at a time,
// character messages from key-downs, dispatch to window procedures, the
// quit message and the peek hook.
#include "messagequeue.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_dispatched;

LRESULT RecordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM)
{
    g_dispatched.push_back(std::to_string(message) + ":" + std::to_string(wParam));
    return static_cast<LRESULT>(wParam) + 1;
}

class MessageQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessageQueue();
        g_dispatched.clear();
        window_ = CreateWindowHandle(RecordingProcedure);
    }
    void TearDown() override { ResetMessageQueue(); }

    HWND window_ = nullptr;
};

}  // namespace

TEST_F(MessageQueue, RemovesOneMessageAtATimeInPostOrder)
{
    PostMessage(window_, WM_USER, 1, 10);
    PostMessage(window_, WM_USER, 2, 20);
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.hwnd, window_);
    EXPECT_EQ(message.wParam, 1u);
    EXPECT_EQ(message.lParam, 10);
    EXPECT_EQ(QueuedMessageCount(), 1);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 2u);
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, NoRemoveLeavesTheMessage)
{
    PostMessage(window_, WM_USER, 1, 0);
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(QueuedMessageCount(), 1);
}

TEST_F(MessageQueue, FiltersByWindowAndRangeButAlwaysFindsQuit)
{
    HWND other = CreateWindowHandle(RecordingProcedure);
    PostMessage(other, WM_KEYDOWN, 1, 0);
    PostMessage(window_, WM_CLOSE, 2, 0);
    PostMessage(window_, WM_KEYUP, 3, 0);
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, window_, WM_KEYDOWN, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&message, window_, 0, WM_CLOSE - 1, 0));
    PostQuitMessage(4);
    ASSERT_TRUE(PeekMessage(&message, window_, WM_KEYDOWN, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(QueuedMessageCount(), 2);
}

TEST_F(MessageQueue, PostingToAnUnknownWindowFails)
{
    HWND gone = CreateWindowHandle(RecordingProcedure);
    DestroyWindowHandle(gone);
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessage(gone, WM_USER, 0, 0));
    EXPECT_TRUE(PostMessage(nullptr, WM_USER, 0, 0));
    EXPECT_EQ(QueuedMessageCount(), 1);
}

TEST_F(MessageQueue, DestroyingAWindowDropsItsMessagesAndCallsNothing)
{
    HWND other = CreateWindowHandle(RecordingProcedure);
    PostMessage(other, WM_USER, 1, 0);
    PostMessage(window_, WM_USER, 2, 0);
    DestroyWindowHandle(other);
    EXPECT_TRUE(g_dispatched.empty());
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 2u);
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, DispatchCallsTheWindowsProcedure)
{
    MSG message;
    message.hwnd = window_;
    message.message = WM_COMMAND;
    message.wParam = 41;
    EXPECT_EQ(DispatchMessage(&message), 42);
    EXPECT_EQ(g_dispatched, std::vector<std::string>{std::to_string(WM_COMMAND) + ":41"});
}

TEST_F(MessageQueue, DispatchWithoutAWindowDoesNothing)
{
    MSG quit;
    quit.message = WM_QUIT;
    EXPECT_EQ(DispatchMessage(&quit), 0);
    MSG stray;
    stray.hwnd = reinterpret_cast<HWND>(0x7);
    EXPECT_EQ(DispatchMessage(&stray), 0);
    EXPECT_TRUE(g_dispatched.empty());
}

TEST_F(MessageQueue, SetWindowProcedureReplacesTheProcedure)
{
    WNDPROC old = SetWindowProcedure(window_, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 99; });
    EXPECT_EQ(old, RecordingProcedure);
    MSG message;
    message.hwnd = window_;
    EXPECT_EQ(DispatchMessage(&message), 99);
    EXPECT_EQ(SetWindowProcedure(reinterpret_cast<HWND>(0x7), RecordingProcedure), nullptr);
}

TEST_F(MessageQueue, DefaultProcedureNeverDestroysTheWindow)
{
    for (UINT message : {WM_CLOSE, WM_DESTROY, WM_QUIT, WM_KEYDOWN})
        EXPECT_EQ(DefWindowProc(window_, message, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(QueuedMessageCount(), 0);
}

TEST_F(MessageQueue, QuitMessageCarriesItsCodeAndIsRemembered)
{
    int code = -1;
    EXPECT_FALSE(GetPostedQuitCode(code));
    EXPECT_EQ(code, -1);
    PostQuitMessage(7);
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.hwnd, nullptr);
    EXPECT_EQ(message.wParam, 7u);
    ASSERT_TRUE(GetPostedQuitCode(code));
    EXPECT_EQ(code, 7);
}

struct TranslateCase {
    const char* name;
    UINT message;
    unsigned int character;
    bool translated;
    UINT charMessage;
};

class MessageQueueTranslate : public MessageQueue, public ::testing::WithParamInterface<TranslateCase> {};

TEST_P(MessageQueueTranslate, CharacterMessageComesNext)
{
    const TranslateCase& c = GetParam();
    PostMessage(window_, WM_USER, 0, 0);
    PostKeyMessage(window_, c.message, 'A', 0x1E0001, c.character);
    MSG key;
    ASSERT_TRUE(PeekMessage(&key, nullptr, WM_KEYDOWN, WM_SYSCHAR, PM_REMOVE));
    EXPECT_EQ(TranslateMessage(&key), c.translated ? TRUE : FALSE);
    MSG next;
    ASSERT_TRUE(PeekMessage(&next, nullptr, 0, 0, PM_REMOVE));
    if (c.translated) {
        EXPECT_EQ(next.message, c.charMessage);
        EXPECT_EQ(next.wParam, c.character);
        EXPECT_EQ(next.lParam, 0x1E0001);
        EXPECT_EQ(next.hwnd, window_);
        ASSERT_TRUE(PeekMessage(&next, nullptr, 0, 0, PM_REMOVE));
    }
    EXPECT_EQ(next.message, WM_USER);
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageQueueTranslate,
                         ::testing::Values(TranslateCase{"KeyDownWithCharacter", WM_KEYDOWN, 'a', true, WM_CHAR},
                                           TranslateCase{"SysKeyDownWithCharacter", WM_SYSKEYDOWN, 'a', true,
                                                         WM_SYSCHAR},
                                           TranslateCase{"EscapeKey", WM_KEYDOWN, 27, true, WM_CHAR},
                                           TranslateCase{"KeyDownWithoutCharacter", WM_KEYDOWN, 0, false, 0},
                                           TranslateCase{"KeyUpWithCharacter", WM_KEYUP, 'a', false, 0}),
                         CaseName());

TEST_F(MessageQueue, CharacterLookupDecidesTheCharacter)
{
    SetCharacterLookup([](const MSG& key) { return key.wParam == 'B' ? static_cast<unsigned int>('b') : 0u; });
    MSG key;
    key.hwnd = window_;
    key.message = WM_KEYDOWN;
    key.wParam = 'B';
    EXPECT_TRUE(TranslateMessage(&key));
    key.wParam = 'C';
    key.character = 'c';
    EXPECT_FALSE(TranslateMessage(&key));
    MSG next;
    ASSERT_TRUE(PeekMessage(&next, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(next.wParam, static_cast<WPARAM>('b'));
    EXPECT_EQ(QueuedMessageCount(), 0);
}

TEST_F(MessageQueue, PeekHookRunsFirstSoItsMessagesCanBeRemoved)
{
    static HWND window;
    window = window_;
    int calls = 0;
    SetPeekHook([&calls] {
        ++calls;
        if (calls == 1)
            PostMessage(window, WM_USER, 5, 0);
    });
    MSG message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(calls, 2);
}

TEST(WinMessages, WordHelpersSplitAndJoin)
{
    EXPECT_EQ(LOWORD(0x12345678u), 0x5678);
    EXPECT_EQ(HIWORD(0x12345678u), 0x1234);
    EXPECT_EQ(MAKEWPARAM(0x5678, 0x1234), 0x12345678u);
    EXPECT_EQ(LOWORD(MAKEWPARAM(WA_INACTIVE, 1)), WA_INACTIVE);
}
