// The framework's window routing: message maps, creation, the end of a window,
// and exceptions that reach the window and dialog procedures.
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
#include "framework/wnd_class.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr UINT WM_PING = WM_USER + 1;
constexpr UINT WM_BASE_ONLY = WM_USER + 2;
constexpr UINT WM_THROW = WM_USER + 3;

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
    void OnThrow() { throw std::bad_alloc(); }
    int createResult;
};

const MessageMapEntry TestWnd::messageEntries[] = {
    OnMessage<&TestWnd::OnCreate>(WM_CREATE),
    OnMessage<&TestWnd::OnPing>(WM_PING),
    OnMessage<&TestWnd::OnThrow>(WM_THROW),
    OnCommand<&TestWnd::OnClick>(42, BN_CLICKED),
};
const MessageMap TestWnd::messageMap{&BaseWnd::messageMap, TestWnd::messageEntries};

// A window that deletes itself once destroyed, whose storage outlives it:
// deleting fills the storage with a pattern, so a later write into the object
// shows.
class PoisonedWnd : public CWnd {
public:
    static void* operator new(std::size_t) {
        deletedSize = 0;
        return storage;
    }
    static void operator delete(void* object, std::size_t size) {
        std::memset(object, 0xDD, size);
        deletedSize = size;
    }
    static bool DeletedAndUntouched() {
        return deletedSize > 0 && std::all_of(storage, storage + deletedSize,
                                              [](unsigned char b) { return b == 0xDD; });
    }
    BOOL Create() {
        return CreateEx(0, AfxRegisterWndClass(0).c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr,
                        nullptr);
    }

protected:
    void PostNcDestroy() override { delete this; }

private:
    alignas(std::max_align_t) static inline unsigned char storage[512];
    static inline std::size_t deletedSize = 0;
};

// A dialog (any template of the program's resources) whose initialisation throws.
class ThrowingDialog : public CDialog {
public:
    ThrowingDialog() : CDialog(131) {}

protected:
    BOOL OnInitDialog() override { throw std::bad_alloc(); }
};

bool QuitPosted(WPARAM* exitCode = nullptr) {
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) == 0) {
        return false;
    }
    if (exitCode != nullptr) {
        *exitCode = msg.wParam;
    }
    return true;
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
    ::DestroyWindow(other.m_hWnd);
    EXPECT_FALSE(QuitPosted()); // not the main window

    int calls = 0;
    TestWnd main;
    main.postNcDestroyCalls = &calls;
    ASSERT_TRUE(main.Create());
    app.m_pMainWnd = &main;
    ::DestroyWindow(main.m_hWnd);
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

TEST(FrameworkTest, ASelfDeletingWindowIsNotTouchedAfterItsDefaultClose) {
    const struct {
        UINT message;
        WPARAM wParam;
    } closes[] = {{WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE | 1}};
    for (const auto& close : closes) {
        auto* wnd = new PoisonedWnd;
        ASSERT_LE(sizeof *wnd, 512u);
        ASSERT_TRUE(wnd->Create());
        HWND hwnd = wnd->m_hWnd;
        ::SendMessageA(hwnd, close.message, close.wParam, 0);
        EXPECT_FALSE(::IsWindow(hwnd)) << close.message;
        EXPECT_TRUE(PoisonedWnd::DeletedAndUntouched()) << close.message;
    }
}

TEST(FrameworkTest, AnExceptionInAHandlerEndsTheProgramQuietly) {
    TestWnd wnd;
    ASSERT_TRUE(wnd.Create());
    WPARAM exitCode = 99;
    EXPECT_EQ(0, wnd.SendMessage(WM_THROW));
    EXPECT_TRUE(QuitPosted(&exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(10, wnd.SendMessage(WM_PING)); // the window still answers until the loop ends

    ThrowingDialog dialog;
    EXPECT_EQ(IDABORT, dialog.DoModal());
    exitCode = 99;
    EXPECT_TRUE(QuitPosted(&exitCode));
    EXPECT_EQ(0u, exitCode);
}
