// The show cycle in a window of the test's own: which picture is on screen
// after creation, ticks and repaints, and where it is.
#include "common/random.h"
#include "display/display.h"
#include "show/show_wnd.h"
#include "tests/support/random_seed.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

#include <memory>

#define EXPECT_COLOUR(expected, actual) EXPECT_PRED2(Near, actual, expected)

namespace {
class ShowCycleTest : public ::testing::Test {
protected:
    void SetUp() override { ::GetCurrentDirectoryA(MAX_PATH, startDirectory); }
    void TearDown() override {
        window.reset();
        Pump();
        ::SetCurrentDirectoryA(startDirectory);
    }

    // Starts the show in a popup of the given size and runs it up to its first
    // paint, as when the window is first shown.
    void Start(int width = 1024, int height = 768) {
        window = std::make_unique<ShowWnd>(FALSE, settings, *display);
        ASSERT_TRUE(window->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, width, height}, nullptr));
        Pump();
    }
    void Tick() {
        window->SendMessage(WM_TIMER, 1);
        Pump();
    }
    void Repaint() {
        ::InvalidateRect(window->m_hWnd, nullptr, FALSE);
        Pump();
    }
    COLORREF At(int x, int y) const { return PixelAt(window->m_hWnd, x, y); }
    // A picture of the colour at exactly this place on black: each edge checked
    // from inside and outside, across the middle of the picture.
    void ExpectPictureOnBlack(COLORREF colour, int left, int top, int width, int height) const {
        const int right = left + width - 1, bottom = top + height - 1;
        const int middleX = left + width / 2, middleY = top + height / 2;
        EXPECT_COLOUR(Black, At(left - 1, middleY));
        EXPECT_COLOUR(colour, At(left, middleY));
        EXPECT_COLOUR(colour, At(right, middleY));
        EXPECT_COLOUR(Black, At(right + 1, middleY));
        EXPECT_COLOUR(Black, At(middleX, top - 1));
        EXPECT_COLOUR(colour, At(middleX, top));
        EXPECT_COLOUR(colour, At(middleX, bottom));
        EXPECT_COLOUR(Black, At(middleX, bottom + 1));
    }
    COLORREF Centre() const {
        RECT client;
        ::GetClientRect(window->m_hWnd, &client);
        return At(client.right / 2, client.bottom / 2);
    }

    PictureFolder folder;
    Settings settings = ShowSettings(folder.Path());
    const std::unique_ptr<const Display> display = InitDisplay();
    std::unique_ptr<ShowWnd> window;
    char startDirectory[MAX_PATH] = "";
};

} // namespace

// a.jpg is drawn while the window is created and not yet on screen, so the
// first paint shows b.jpg; every tick then moves on by one, wrapping.
TEST_F(ShowCycleTest, TheFirstPaintShowsTheSecondFileAndTicksFollowTheNameOrder) {
    folder.AddSolid("c.jpg", 400, 300, Blue);
    folder.AddSolid("a.jpg", 400, 300, Red);
    folder.AddSolid("b.jpg", 400, 300, Green);
    Start();
    EXPECT_COLOUR(Green, Centre());
    for (COLORREF expected : {Blue, Red, Green, Blue}) {
        Tick();
        EXPECT_COLOUR(expected, Centre());
    }
}

TEST_F(ShowCycleTest, ARepaintDrawsTheLoadedFileAndMovesTheOrderOn) {
    folder.AddSolid("a.jpg", 400, 300, Red);
    folder.AddSolid("b.jpg", 400, 300, Green);
    folder.AddSolid("c.jpg", 400, 300, Blue);
    Start();
    Repaint();
    EXPECT_COLOUR(Blue, Centre());
    Tick();
    EXPECT_COLOUR(Red, Centre());
}

// The file is read again for every draw: a change on disk shows one tick later,
// because each tick draws what was loaded after the draw before.
TEST_F(ShowCycleTest, AOneFileFolderLoadsThatFileForEveryDraw) {
    folder.AddSolid("only.jpg", 400, 300, Red);
    Start();
    EXPECT_COLOUR(Red, Centre());
    folder.AddSolid("only.jpg", 400, 300, Green);
    Tick();
    EXPECT_COLOUR(Red, Centre());
    Tick();
    EXPECT_COLOUR(Green, Centre());
}

// A folder with a picture's name, and a picture under a name of no picture
// format, are not pictures.
TEST_F(ShowCycleTest, AFolderWithoutPicturesStaysBlack) {
    folder.AddFolder("folder.jpg");
    folder.AddSolid("picture.txt", 400, 300, Red);
    Start();
    Tick();
    Repaint();
    EXPECT_COLOUR(Black, Centre());
    EXPECT_COLOUR(Black, At(0, 0));
    EXPECT_COLOUR(Black, At(1023, 767));
}

// The folder cannot be made current: the directory that is current (which here
// holds a picture) is not shown instead.
TEST_F(ShowCycleTest, AMissingFolderCountsAsEmpty) {
    folder.AddSolid("a.jpg", 400, 300, Red);
    ::SetCurrentDirectoryA(folder.Path().c_str());
    settings.Path = folder.Path() + "\\missing";
    Start();
    Tick();
    EXPECT_COLOUR(Black, Centre());
}

// The show keeps full names and leaves the current directory as it was, so
// the folder (or its drive) can be renamed or removed while the show runs.
TEST_F(ShowCycleTest, TheFolderStaysFreeWhileTheShowRuns) {
    folder.AddSolid("a.jpg", 400, 300, Red);
    folder.AddSolid("b.jpg", 400, 300, Blue);
    Start();
    Tick();
    char current[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_STREQ(startDirectory, current);
    const std::string moved = folder.Path() + "-moved";
    ASSERT_TRUE(::MoveFileA(folder.Path().c_str(), moved.c_str()));
    EXPECT_TRUE(::MoveFileA(moved.c_str(), folder.Path().c_str()));
}

// After a file that cannot be decoded the screen stays as it was for one more
// period: not even cleared.
TEST_F(ShowCycleTest, AFailedFileLeavesThePreviousPictureForOnePeriod) {
    folder.AddSolid("a.jpg", 400, 300, Red);
    folder.AddText("b.jpg");
    folder.AddSolid("c.jpg", 400, 300, Blue);
    Start();
    EXPECT_COLOUR(Black, Centre()); // the paint clears, then b has nothing to draw
    for (COLORREF expected : {Blue, Red, Red, Blue}) {
        Tick();
        EXPECT_COLOUR(expected, Centre());
    }
}

// x = (1024 - 600) / 2 = 212 and (1024 - 601) / 2 = 211, truncated.
TEST_F(ShowCycleTest, CentredPicturesTruncateTheHalfOfTheFreeSpace) {
    folder.AddSolid("a.jpg", 600, 400, Red);
    Start();
    ExpectPictureOnBlack(Red, 212, 184, 600, 400);

    folder.AddSolid("a.jpg", 601, 400, Blue);
    Tick();
    Tick();
    ExpectPictureOnBlack(Blue, 211, 184, 601, 400);
}

// A scattered picture takes x from the first draw and y from the second: a
// draw of 0 puts it flush with the left or top edge, 32767 with the right or
// bottom edge.
TEST_F(ShowCycleTest, ScatteredPicturesFollowTheGenerator) {
    settings.Position = 0;
    folder.AddSolid("a.jpg", 400, 300, Red);
    Start();

    SeedRandom(SeedYieldingPair(0, RandomMax));
    Tick();
    EXPECT_COLOUR(Red, At(0, 767));
    EXPECT_COLOUR(Red, At(399, 468));
    EXPECT_COLOUR(Black, At(400, 767));
    EXPECT_COLOUR(Black, At(0, 467));

    SeedRandom(SeedYieldingPair(RandomMax, 0));
    Tick();
    EXPECT_COLOUR(Red, At(1023, 0));
    EXPECT_COLOUR(Red, At(624, 299));
    EXPECT_COLOUR(Black, At(623, 0));
    EXPECT_COLOUR(Black, At(1023, 300));

    // 16384 * 624 / 32767 = 312.009..., 8192 * 468 / 32767 = 117.003...
    SeedRandom(SeedYieldingPair(16384, 8192));
    Tick();
    EXPECT_COLOUR(Black, At(311, 200));
    EXPECT_COLOUR(Red, At(312, 200));
    EXPECT_COLOUR(Black, At(500, 116));
    EXPECT_COLOUR(Red, At(500, 117));
}

// Small pictures fit half the window each way: 640 x 480 gives a 320 x 240 box,
// so a 960 x 480 picture ends as 320 x 160 and a 480 x 960 one as 120 x 240.
TEST_F(ShowCycleTest, SmallPicturesFitHalfTheWindow) {
    settings.Size = 1;
    folder.AddSolid("a.jpg", 960, 480, Green);
    Start(640, 480);
    ExpectPictureOnBlack(Green, 160, 160, 320, 160);

    folder.AddSolid("a.jpg", 480, 960, Blue);
    Tick();
    Tick();
    ExpectPictureOnBlack(Blue, 260, 120, 120, 240);
}

// With Overlap a tick draws over what is there; a repaint still clears and
// shows only the picture loaded then.
TEST_F(ShowCycleTest, OverlapKeepsEarlierPicturesUntilTheNextRepaint) {
    settings.Overlap = 1;
    folder.AddSolid("a.jpg", 200, 200, Green);
    folder.AddSolid("b.jpg", 800, 600, Red);
    folder.AddSolid("c.jpg", 200, 200, Blue);
    Start();
    Tick();
    EXPECT_COLOUR(Blue, Centre());
    EXPECT_COLOUR(Red, At(200, 384));
    Repaint();
    EXPECT_COLOUR(Green, Centre());
    EXPECT_COLOUR(Black, At(200, 384));
}

TEST_F(ShowCycleTest, WithoutOverlapEachTickClearsTheWindowFirst) {
    folder.AddSolid("a.jpg", 200, 200, Green);
    folder.AddSolid("b.jpg", 800, 600, Red);
    folder.AddSolid("c.jpg", 200, 200, Blue);
    Start();
    Tick();
    EXPECT_COLOUR(Blue, Centre());
    EXPECT_COLOUR(Black, At(200, 384));
}
