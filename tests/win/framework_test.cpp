// The framework's window routing: message maps, creation and the end of a window.
#include "framework/win_app.h"
#include "framework/wnd.h"
#include "framework/wnd_class.h"

#include <gtest/gtest.h>

namespace {
constexpr UINT WM_PING = WM_USER + 1;
constexpr UINT WM_BASE_ONLY = WM_USER + 2;

class BaseWnd : public CWnd {
public:
    int basePings = 0;
    int baseOnly = 0;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];
    LRESULT OnPing(WPARAM, LPARAM) { return ++basePings, 1; }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return ++baseOnly, 2; }
};

const MessageMapEntry BaseWnd::messageEntries[] = {
    OnMessage<&BaseWnd::OnPing>(WM_PING),
    OnMessage<&BaseWnd::OnBaseOnly>(WM_BASE_ONLY),
};
const MessageMap BaseWnd::messageMap{&CWnd::messageMap, BaseWnd::messageEntries};

class TestWnd : public BaseWnd {
public:
    explicit TestWnd(int createResult = 0) : createResult(createResult) {}
    int pings = 0;
    int clicks = 0;
    int creates = 0;
    int* postNcDestroyCalls = nullptr;

    BOOL Create(HWND parent = nullptr) {
        const DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
        return CreateEx(0, AfxRegisterWndClass(0).c_str(), "", style, 0, 0, 10, 10, parent,
                        nullptr);
    }

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    void PostNcDestroy() override {
        if (postNcDestroyCalls != nullptr) {
            ++*postNcDestroyCalls;
        }
    }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];
    int OnCreate(CREATESTRUCTA*) { return ++creates, createResult; }
    LRESULT OnPing(WPARAM, LPARAM) { return ++pings, 10; }
    void OnClick() { ++clicks; }
    int createResult;
};

const MessageMapEntry TestWnd::messageEntries[] = {
    OnMessage<&TestWnd::OnCreate>(WM_CREATE),
    OnMessage<&TestWnd::OnPing>(WM_PING),
    OnCommand<&TestWnd::OnClick>(42, BN_CLICKED),
};
const MessageMap TestWnd::messageMap{&BaseWnd::messageMap, TestWnd::messageEntries};

bool QuitPosted() {
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}
} // namespace

TEST(FrameworkTest, TheMostDerivedEntryWinsAndBasesAreSearchedNext) {
    TestWnd wnd;
    ASSERT_TRUE(wnd.Create());
    EXPECT_EQ(1, wnd.creates);
    EXPECT_EQ(10, wnd.SendMessage(WM_PING));
    EXPECT_EQ(1, wnd.pings);
    EXPECT_EQ(0, wnd.basePings);
    EXPECT_EQ(2, wnd.SendMessage(WM_BASE_ONLY));
    EXPECT_EQ(1, wnd.baseOnly);
}

TEST(FrameworkTest, CommandEntriesMatchControlAndNotification) {
    TestWnd wnd;
    ASSERT_TRUE(wnd.Create());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(42, BN_CLICKED));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(43, BN_CLICKED));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(42, BN_DOUBLECLICKED));
    EXPECT_EQ(1, wnd.clicks);
}

TEST(FrameworkTest, AWindowRefusedByItsCreateHandlerEndsWithPostNcDestroy) {
    int calls = 0;
    TestWnd wnd(-1);
    wnd.postNcDestroyCalls = &calls;
    EXPECT_FALSE(wnd.Create());
    EXPECT_EQ(1, calls);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(FrameworkTest, AWindowThatCannotBeCreatedEndsWithPostNcDestroy) {
    int calls = 0;
    TestWnd wnd;
    wnd.postNcDestroyCalls = &calls;
    EXPECT_FALSE(wnd.Create(reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x7654321))));
    EXPECT_EQ(1, calls);
}

TEST(FrameworkTest, DestroyingTheMainWindowPostsQuitAndClearsIt) {
    CWinApp app("FrameworkTest");
    TestWnd other;
    ASSERT_TRUE(other.Create());
    other.DestroyWindow();
    EXPECT_FALSE(QuitPosted()); // not the main window

    int calls = 0;
    TestWnd main;
    main.postNcDestroyCalls = &calls;
    ASSERT_TRUE(main.Create());
    app.m_pMainWnd = &main;
    main.DestroyWindow();
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(nullptr, main.m_hWnd);
    EXPECT_EQ(1, calls);
    EXPECT_TRUE(QuitPosted());
}

TEST(FrameworkTest, FromHandleWrapsWithoutTakingOver) {
    TestWnd wnd;
    ASSERT_TRUE(wnd.Create());
    {
        CWnd wrapper = CWnd::FromHandle(wnd.m_hWnd);
        EXPECT_EQ(wnd.m_hWnd, wrapper.m_hWnd);
    }
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd)); // the wrapper's end left the window alone
    EXPECT_EQ(10, wnd.SendMessage(WM_PING));
}
