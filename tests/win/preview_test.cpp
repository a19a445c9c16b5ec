// The preview inside a host window of the same process: a child that fills the
// host's client area, draws the show there, ignores input and ends with its host.
#include "display/display.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "show/show_wnd.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

namespace {
class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::GetCurrentDirectoryA(MAX_PATH, startDirectory);
        // A framed host whose client area is 320 x 240, away from the corner.
        RECT frame{0, 0, 320, 240};
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;
        ::AdjustWindowRectEx(&frame, style, FALSE, 0);
        host = ::CreateWindowExA(0, "STATIC", "host", style, 100, 100, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, host);
    }
    void TearDown() override {
        ::DestroyWindow(host);
        Pump();
        ::SetCurrentDirectoryA(startDirectory);
    }

    // As start-up does it: a self-deleting child sized to the host's client area.
    HWND StartPreview() {
        CWnd parent = CWnd::FromHandle(host);
        RECT client;
        ::GetClientRect(host, &client);
        auto* preview = new ShowWnd(TRUE, ShowSettings(folder.Path()), *display);
        EXPECT_TRUE(preview->Create(0, WS_CHILD | WS_VISIBLE, client, &parent));
        HWND child = preview->m_hWnd;
        app.m_pMainWnd = preview;
        Pump();
        return child;
    }

    CWinApp app{"PreviewTest"};
    PictureFolder folder;
    const std::unique_ptr<const Display> display = InitDisplay();
    HWND host = nullptr;
    char startDirectory[MAX_PATH] = "";
};

#define EXPECT_COLOUR(expected, actual) EXPECT_PRED2(Near, actual, expected)
} // namespace

// A 640 x 240 picture fitted into 320 x 240 is drawn 320 x 120 at (0, 60) of
// the host's client area.
TEST_F(PreviewTest, FillsTheHostsClientAreaAndDrawsThere) {
    folder.AddSolid("a.jpg", 640, 240, Red);
    HWND child = StartPreview();
    ASSERT_EQ(host, ::GetParent(child));
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(320, rect.right);
    EXPECT_EQ(240, rect.bottom);

    EXPECT_COLOUR(Black, PixelAt(host, 160, 59));
    EXPECT_COLOUR(Red, PixelAt(host, 160, 60));
    EXPECT_COLOUR(Red, PixelAt(host, 0, 120));
    EXPECT_COLOUR(Red, PixelAt(host, 319, 179));
    EXPECT_COLOUR(Black, PixelAt(host, 160, 180));
}

TEST_F(PreviewTest, InputDoesNothing) {
    HWND child = StartPreview();
    ::SendMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ::SendMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    ::SendMessageA(child, WM_KEYDOWN, 'A', 0);
    ::SendMessageA(child, WM_LBUTTONDOWN, 0, 0);
    ::SendMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(-1, Pump());
    EXPECT_TRUE(::IsWindow(child));
}

TEST_F(PreviewTest, ThePointerIsHiddenOverThePreviewToo) {
    HWND child = StartPreview();
    EXPECT_EQ(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_TRANSPARENT)),
              reinterpret_cast<HCURSOR>(::GetClassLongPtrA(child, GCLP_HCURSOR)));
}

// The preview is the main window: when the host goes, so does the program.
TEST_F(PreviewTest, EndsWhenItsHostIsDestroyed) {
    HWND child = StartPreview();
    ::DestroyWindow(host);
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(0, Pump());
}
