// What ends the full-screen show, driven by messages to a real full-screen
// window: the window must be gone after the message loop has run, and the quit
// message posted with exit code 0.
#include "display/display.h"
#include "res/resource.h"
#include "show/show_wnd.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// Records what reaches the default processing of WM_SYSCOMMAND instead of
// passing it on (Wine's default processing of SC_SCREENSAVE | 1 opens a dialog).
class SysCommandRecordingWnd : public FullScreenShowWnd {
public:
    using FullScreenShowWnd::FullScreenShowWnd;
    std::vector<WPARAM>* defaultCommands = nullptr;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SYSCOMMAND) {
            defaultCommands->push_back(wParam);
            return 0;
        }
        return FullScreenShowWnd::DefWindowProc(message, wParam, lParam);
    }
};

class FullScreenInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Where the system reports the pointer, if it reports it on creation.
        ::SetCursorPos(300, 200);
    }
    void TearDown() override {
        if (::IsWindow(hwnd)) {
            ::DestroyWindow(hwnd);
        }
        Pump();
    }

    void Start() { Start(new FullScreenShowWnd(settings, *display)); }
    void Start(FullScreenShowWnd* wnd, const ScreenLayout& layout = ReadScreenLayout()) {
        ASSERT_TRUE(wnd->CreateFullScreen(layout));
        hwnd = wnd->m_hWnd;
        exitCode = Pump();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageA(hwnd, message, wParam, lParam);
    }
    // Runs the message loop; true when the window is gone and the program told
    // to end with exit code 0.
    bool Closed() {
        exitCode = Pump();
        return !::IsWindow(hwnd) && exitCode == 0;
    }
    bool Open() {
        exitCode = Pump();
        return ::IsWindow(hwnd) && exitCode == -1;
    }

    const Settings settings = ShowSettings("C:\\pelloran-no-such-folder");
    const std::unique_ptr<const Display> display = InitDisplay();
    HWND hwnd = nullptr;
    int exitCode = -1;
};
} // namespace

TEST_F(FullScreenInputTest, CoversTheScreenAsATopMostPopup) {
    Start();
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), rect.bottom);
    EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_VISIBLE),
              ::GetWindowLongA(hwnd, GWL_STYLE) & (WS_POPUP | WS_VISIBLE | WS_CHILD));
    EXPECT_TRUE(Open());
}

// A 384 x 288 monitor right of a 640 x 480 primary (both on Wine's one screen,
// so that their pixels can be read back): the window covers both. The monitors
// take the pictures in turn (a and b while the window is created, c and d at
// the first paint, then a and b again), each fitted and centred on its own
// monitor: c and d, twice their monitor's size, fill theirs exactly.
TEST_F(FullScreenInputTest, EachMonitorShowsPicturesInTurnFittedToItself) {
    PictureFolder folder;
    folder.AddSolid("a.jpg", 320, 240, Blue);
    folder.AddSolid("b.jpg", 192, 144, Blue);
    folder.AddSolid("c.jpg", 1280, 960, Red);
    folder.AddSolid("d.jpg", 768, 576, Green);
    Start(new FullScreenShowWnd(ShowSettings(folder.Path()), *display),
          ScreenLayout{{{{640, 0, 1024, 288}, false}, {{0, 0, 640, 480}, true}}, 640, 480});
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    const RECT everyMonitor{0, 0, 1024, 480};
    EXPECT_TRUE(::EqualRect(&everyMonitor, &rect));
    for (const POINT p : {POINT{0, 0}, POINT{639, 479}, POINT{320, 240}}) {
        EXPECT_PRED2(Near, PixelAt(hwnd, p.x, p.y), Red) << p.x << "," << p.y;
    }
    for (const POINT p : {POINT{640, 0}, POINT{1023, 287}, POINT{832, 144}}) {
        EXPECT_PRED2(Near, PixelAt(hwnd, p.x, p.y), Green) << p.x << "," << p.y;
    }
    EXPECT_PRED2(Near, PixelAt(hwnd, 832, 400), Black); // in no monitor

    Send(WM_TIMER, 1);
    EXPECT_TRUE(Open());
    EXPECT_PRED2(Near, PixelAt(hwnd, 160, 120), Blue);
    EXPECT_PRED2(Near, PixelAt(hwnd, 479, 359), Blue);
    EXPECT_PRED2(Near, PixelAt(hwnd, 159, 240), Black);
    EXPECT_PRED2(Near, PixelAt(hwnd, 736, 72), Blue);
    EXPECT_PRED2(Near, PixelAt(hwnd, 927, 215), Blue);
    EXPECT_PRED2(Near, PixelAt(hwnd, 735, 144), Black);
}

// With Fade on (24 bits here) a tick starts the change: over the earlier
// pictures with Overlap, and straight out of the red b.jpg without, so that
// halfway through either way the red and the blue c.jpg are mixed half and
// half, and the last frame is c.jpg itself. With Fade off the tick shows c.jpg
// at once, as it always has. (The first picture on screen, b.jpg, fades in
// over black.)
TEST_F(FullScreenInputTest, WithFadeOnATickFadesThePictureInOverTheOneBefore) {
    PictureFolder folder;
    folder.AddSolid("a.jpg", 1024, 768, Red);
    folder.AddSolid("b.jpg", 1024, 768, Red);
    folder.AddSolid("c.jpg", 1024, 768, Blue);
    for (const auto& [fade, overlap] : {std::pair{true, 1}, {false, 1}, {true, 0}}) {
        Settings settings = ShowSettings(folder.Path());
        settings.Overlap = overlap;
        settings.Fade = fade ? 1 : 0;
        Start(new FullScreenShowWnd(settings, *display));
        for (int frame = 0; frame < FadeInFrames; ++frame) {
            Send(WM_TIMER, 2); // the first picture fades in too
        }
        EXPECT_PRED2(Near, PixelAt(hwnd, 512, 384), Red);
        // The frames come from the fade's timer; sent here without the message
        // loop, they come one at a time. The tick draws the first.
        Send(WM_TIMER, 1);
        for (int frame = 1; frame < FadeInFrames / 2 && fade; ++frame) {
            Send(WM_TIMER, 2);
        }
        const COLORREF halfway = PixelAt(hwnd, 512, 384);
        const COLORREF mix = fade ? RGB((GetRValue(Red) + GetRValue(Blue)) / 2,
                                        (GetGValue(Red) + GetGValue(Blue)) / 2,
                                        (GetBValue(Red) + GetBValue(Blue)) / 2)
                                  : Blue;
        EXPECT_PRED2(Near, halfway, mix) << (fade ? "Fade" : "no Fade") << ", Overlap " << overlap;
        for (int frame = 0; frame < FadeInFrames; ++frame) {
            Send(WM_TIMER, 2);
        }
        EXPECT_PRED2(Near, PixelAt(hwnd, 512, 384), Blue);
        EXPECT_TRUE(Open());
        ::DestroyWindow(hwnd);
        Pump();
    }
}

// With Fade on and Overlap off: after a repaint of a corner (c.jpg, which
// fails, leaves the rest of b.jpg on screen) the stage is cleared before d.jpg
// fades in; a repaint during that fade shows d.jpg whole, as the next picture
// (e.jpg, which fails) is not there to move on to.
TEST_F(FullScreenInputTest, AFadeClearsWhatARepaintLeftAndARepaintShowsTheIncomingPicture) {
    PictureFolder folder;
    folder.AddSolid("a.jpg", 1024, 768, Red);
    folder.AddSolid("b.jpg", 1024, 768, Red);
    folder.AddText("c.jpg");
    folder.AddSolid("d.jpg", 256, 192, Blue);
    folder.AddText("e.jpg");
    Settings settings = ShowSettings(folder.Path());
    settings.Fade = 1;
    Start(new FullScreenShowWnd(settings, *display));
    for (int frame = 0; frame < FadeInFrames; ++frame) {
        Send(WM_TIMER, 2); // b.jpg may be fading in
    }
    EXPECT_PRED2(Near, PixelAt(hwnd, 100, 100), Red);
    const RECT corner{0, 0, 64, 64};
    ::InvalidateRect(hwnd, &corner, FALSE);
    ::UpdateWindow(hwnd);
    EXPECT_TRUE(Open());
    Send(WM_TIMER, 1);
    EXPECT_PRED2(Near, PixelAt(hwnd, 100, 100), Black) << "b.jpg is still there";
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    EXPECT_PRED2(Near, PixelAt(hwnd, 512, 384), Blue) << "d.jpg is not there";
}

// A change of the monitors ends the show.
TEST_F(FullScreenInputTest, AChangeOfTheDisplayCloses) {
    Start();
    Send(WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(Closed());
}

// The first position only arms the test; the same point again is no movement,
// any other point, one pixel away, is.
TEST_F(FullScreenInputTest, ASecondMousePositionOnePixelAwayCloses) {
    Start();
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_TRUE(Open());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_TRUE(Open());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(301, 200));
    EXPECT_TRUE(Closed());
}

TEST_F(FullScreenInputTest, KeyAndButtonPressesClose) {
    for (UINT press : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN}) {
        Start();
        Send(press, press == WM_KEYDOWN || press == WM_SYSKEYDOWN ? 'A' : 0);
        EXPECT_TRUE(Closed()) << "message " << press;
    }
}

TEST_F(FullScreenInputTest, ReleasesDoNotClose) {
    Start();
    Send(WM_KEYUP, 'A');
    Send(WM_SYSKEYUP, 'A');
    Send(WM_LBUTTONUP);
    Send(WM_MBUTTONUP);
    Send(WM_RBUTTONUP);
    EXPECT_TRUE(Open());
}

TEST_F(FullScreenInputTest, DeactivationCloses) {
    Start();
    Send(WM_ACTIVATE, WA_ACTIVE);
    Send(WM_ACTIVATEAPP, TRUE);
    EXPECT_TRUE(Open());
    Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0));
    EXPECT_TRUE(Closed());

    Start();
    Send(WM_ACTIVATEAPP, FALSE);
    EXPECT_TRUE(Closed());
}

// Another window of the process taking the activation ends the show.
TEST_F(FullScreenInputTest, ActivatingAnotherWindowCloses) {
    Start();
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    EXPECT_TRUE(Closed());
    ::DestroyWindow(other);
}

TEST_F(FullScreenInputTest, TheFrameRefusesToBecomeInactive) {
    Start();
    EXPECT_EQ(FALSE, Send(WM_NCACTIVATE, FALSE));
    EXPECT_EQ(TRUE, Send(WM_NCACTIVATE, TRUE));
    EXPECT_TRUE(Open());
}

TEST_F(FullScreenInputTest, ThePointerIsHidden) {
    Start();
    ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))); // the arrow
    EXPECT_EQ(TRUE, Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(nullptr, ::GetCursor());
    EXPECT_TRUE(Open());
}

// The system's close command is swallowed; with a low bit set it is not that
// command, and its default processing closes the window.
TEST_F(FullScreenInputTest, TheCloseCommandIsSwallowedOnlyWhenExact) {
    Start();
    Send(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_TRUE(Open());
    Send(WM_SYSCOMMAND, SC_CLOSE | 1);
    EXPECT_TRUE(Closed());
}

TEST_F(FullScreenInputTest, ASecondSaverStartIsSwallowedOnlyWhenExact) {
    std::vector<WPARAM> defaultCommands;
    auto* wnd = new SysCommandRecordingWnd(settings, *display);
    wnd->defaultCommands = &defaultCommands;
    Start(wnd);
    Send(WM_SYSCOMMAND, SC_SCREENSAVE);
    Send(WM_SYSCOMMAND, SC_SCREENSAVE | 1);
    Send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_EQ((std::vector<WPARAM>{SC_SCREENSAVE | 1, SC_MINIMIZE}), defaultCommands);
    EXPECT_TRUE(Open());
}

// Cursor 129: 32 x 32, hot spot (0, 0), AND mask all ones, XOR mask all zeros.
TEST_F(FullScreenInputTest, TheClassCursorIsTheTransparentCursor) {
    Start();
    auto cursor = reinterpret_cast<HCURSOR>(::GetClassLongPtrA(hwnd, GCLP_HCURSOR));
    EXPECT_EQ(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_TRANSPARENT)),
              cursor);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    EXPECT_EQ(0u, info.xHotspot);
    EXPECT_EQ(0u, info.yHotspot);
    EXPECT_EQ(nullptr, info.hbmColor);
    BITMAP mask{};
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    ASSERT_EQ(32, mask.bmWidth);
    ASSERT_EQ(64, mask.bmHeight); // the AND mask above the XOR mask
    std::vector<BYTE> bits(static_cast<size_t>(mask.bmWidthBytes) * mask.bmHeight);
    ::GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
    const size_t half = bits.size() / 2;
    EXPECT_EQ(half, static_cast<size_t>(std::count(bits.begin(), bits.begin() + half, 0xFF)));
    EXPECT_EQ(half, static_cast<size_t>(std::count(bits.begin() + half, bits.end(), 0x00)));
    ::DeleteObject(info.hbmMask);
}
