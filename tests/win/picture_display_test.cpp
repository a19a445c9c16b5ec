// The display set-up and DrawPicture on a real device: built three times, to
// run on the 24-, 16- and 8-bit displays of the test session (PELLORAN_DEPTH).
// At 24 bits the device reports 32 bits per pixel.
#include "decode/load_picture.h"
#include "display/colour_cube.h"
#include "display/display.h"
#include "display/picture_draw.h"
#include "framework/dc.h"
#include "framework/gdi_object.h"
#include "picture/picture.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {
int DisplayDepth() {
    const char* depth = std::getenv("PELLORAN_DEPTH");
    return depth != nullptr ? std::atoi(depth) : 24;
}

constexpr int WindowWidth = 160;
constexpr int WindowHeight = 120;

// A visible top-level window to draw into and read back from.
class TestWindow {
public:
    TestWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PelloranPictureTest";
        ::RegisterClassA(&windowClass);
        hwnd = ::CreateWindowExA(0, "PelloranPictureTest", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 WindowWidth, WindowHeight, nullptr, nullptr, windowClass.hInstance,
                                 nullptr);
        Pump();
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { ::DestroyWindow(hwnd); }

    void Pump() {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        }
    }

    void Fill(COLORREF colour) {
        const HDC dc = ::GetDC(hwnd);
        CBrush brush(colour);
        const RECT all{0, 0, WindowWidth, WindowHeight};
        ::FillRect(dc, &all, brush.Handle());
        ::ReleaseDC(hwnd, dc);
    }

    // The window's pixels as 0x00RRGGBB values, top row first.
    std::vector<uint32_t> ReadBack() {
        ::GdiFlush();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = WindowWidth;
        info.bmiHeader.biHeight = -WindowHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        const HDC window = ::GetDC(hwnd);
        const HDC memory = ::CreateCompatibleDC(window);
        const HBITMAP bitmap = ::CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, WindowWidth, WindowHeight, window, 0, 0, SRCCOPY);
        ::GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        std::vector<uint32_t> pixels(p, p + WindowWidth * WindowHeight);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(hwnd, window);
        for (uint32_t& pixel : pixels) {
            pixel &= 0x00FFFFFF;
        }
        return pixels;
    }

    HWND hwnd;
};

class PictureDisplayTest : public ::testing::Test {
protected:
    // Start-up finds the display once per process, before any window.
    static void SetUpTestSuite() { display = InitDisplay(); }
    static void TearDownTestSuite() { display.reset(); }

    // A 45 x 37 picture of smooth ramps with a few hard edges, drawn exactly as
    // decoded from a high-quality 4:4:4 file.
    void LoadRamps(Picture& picture) {
        JpegRecipe recipe;
        recipe.width = 45;
        recipe.height = 37;
        std::vector<uint8_t> samples;
        for (int y = 0; y < recipe.height; ++y) {
            for (int x = 0; x < recipe.width; ++x) {
                samples.push_back(uint8_t(x * 5 + 20));
                samples.push_back(uint8_t(y * 6 + 10));
                samples.push_back(uint8_t((x / 8 + y / 8) % 2 ? 230 : 30));
            }
        }
        const std::string path = dir.File("ramps.jpg");
        WriteFile(path, MakeJpeg(recipe, samples));
        picture = LoadPictureFile(path.c_str(), WindowWidth, WindowHeight);
        ASSERT_TRUE(picture.IsDrawable());
        ASSERT_EQ(45, picture.Width());
        ASSERT_EQ(37, picture.Height());
    }

    void Draw(Picture& picture, int x, int y) {
        const HDC hdc = ::GetDC(window.hwnd);
        CDC dc(hdc);
        display->SelectPalette(dc);
        DrawPicture(dc, picture, x, y, *display);
        ::ReleaseDC(window.hwnd, hdc);
    }

    static std::unique_ptr<const Display> display;
    ScratchDir dir;
    TestWindow window;
};

std::unique_ptr<const Display> PictureDisplayTest::display;

TEST_F(PictureDisplayTest, ClassifiesTheDisplayByItsDepth) {
    const HDC screen = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    switch (DisplayDepth()) {
    case 8:
        EXPECT_EQ(8, bits);
        EXPECT_EQ(DisplayClass::PaletteDisplay, display->format.depth);
        EXPECT_EQ(-21, display->format.dither.DitherBlue[0]);
        break;
    case 16:
        EXPECT_EQ(16, bits);
        EXPECT_EQ(DisplayClass::HighColorDisplay, display->format.depth);
        EXPECT_EQ(-4, display->format.dither.DitherBlue[0]);
        break;
    default:
        EXPECT_EQ(32, bits);
        EXPECT_EQ(DisplayClass::PlainDisplay, display->format.depth);
        break;
    }
}

TEST_F(PictureDisplayTest, HoldsThePaletteOnlyAtEightBits) {
    if (DisplayDepth() != 8) {
        EXPECT_EQ(nullptr, display->palette.GetSafeHandle());
        return;
    }
    ASSERT_NE(nullptr, display->palette.GetSafeHandle());
    WORD count = 0;
    ASSERT_EQ(int(sizeof count), ::GetObjectA(display->palette.Handle(), sizeof count, &count));
    EXPECT_EQ(216, count);
    PALETTEENTRY entries[216];
    ASSERT_EQ(216u, ::GetPaletteEntries(display->palette.Handle(), 0, 216, entries));
    const std::array<CubeColour, CubeColours> cube = ColourCube();
    for (int i = 0; i < 216; ++i) {
        EXPECT_EQ(cube[i].red, entries[i].peRed) << i;
        EXPECT_EQ(cube[i].green, entries[i].peGreen) << i;
        EXPECT_EQ(cube[i].blue, entries[i].peBlue) << i;
        EXPECT_EQ(PC_NOCOLLAPSE, entries[i].peFlags) << i;
    }
    EXPECT_EQ(RGB(51, 0, 0), RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue));
    EXPECT_EQ(RGB(0, 51, 0), RGB(entries[6].peRed, entries[6].peGreen, entries[6].peBlue));
    EXPECT_EQ(RGB(0, 0, 51), RGB(entries[36].peRed, entries[36].peGreen, entries[36].peBlue));
}

// What the show's drawing step does before it draws on a palette display.
TEST_F(PictureDisplayTest, PaletteIsSelectedAndRealisedInAWindow) {
    if (DisplayDepth() != 8) {
        GTEST_SKIP() << "only palette displays have the palette";
    }
    const HDC hdc = ::GetDC(window.hwnd);
    CDC dc(hdc);
    display->SelectPalette(dc);
    EXPECT_EQ(display->palette.GetSafeHandle(), ::GetCurrentObject(hdc, OBJ_PAL));
    PALETTEENTRY entry{};
    EXPECT_EQ(1u, ::GetPaletteEntries(static_cast<HPALETTE>(::GetCurrentObject(hdc, OBJ_PAL)), 215,
                                      1, &entry));
    EXPECT_EQ(255, entry.peRed);
    ::ReleaseDC(window.hwnd, hdc);
}

// The window shows the picture's pixels at the given place, as they are after
// the dither of this display: exactly at 24 bits, and at 16 bits with the low
// bits that the device drops (5 of red and blue, 6 of green are kept). Around
// the picture the window keeps its colour.
TEST_F(PictureDisplayTest, DrawsThePicturePixelsWhereAsked) {
    Picture picture;
    LoadRamps(picture);
    window.Fill(RGB(0, 0, 0));
    const int left = 10;
    const int top = 7;
    Draw(picture, left, top);
    const int depth = DisplayDepth();
    EXPECT_EQ(depth == 8 || depth == 16, picture.GetState() == Picture::State::Dithered);
    if (depth == 8) {
        return; // the colours are the device's to choose from the palette
    }
    const uint32_t kept = depth == 16 ? 0x00F8FCF8 : 0x00FFFFFF;
    const std::vector<uint32_t> screen = window.ReadBack();
    int wrong = 0;
    for (int y = 0; y < WindowHeight; ++y) {
        for (int x = 0; x < WindowWidth; ++x) {
            const bool inside = x >= left && x < left + 45 && y >= top && y < top + 37;
            const uint32_t expected = inside ? picture.Pixels()[(y - top) * 45 + (x - left)] : 0;
            if ((screen[y * WindowWidth + x] & kept) != (expected & kept) && wrong++ < 5) {
                ADD_FAILURE() << "at " << x << "," << y << std::hex << ": screen "
                              << screen[y * WindowWidth + x] << ", picture " << expected;
            }
        }
    }
    EXPECT_EQ(0, wrong);
}

TEST_F(PictureDisplayTest, FailedPictureDrawsNothing) {
    Picture picture;
    picture = LoadPictureFile(dir.File("missing.jpg").c_str(), WindowWidth, WindowHeight);
    window.Fill(RGB(10, 200, 30));
    const std::vector<uint32_t> before = window.ReadBack();
    Draw(picture, 0, 0);
    EXPECT_EQ(before, window.ReadBack());
    EXPECT_EQ(Picture::State::Failed, picture.GetState());
}
} // namespace
