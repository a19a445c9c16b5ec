// The keys of the full-screen show over the stages' turns: steps back over the
// pictures kept and forward again, the pause, and a held key's bursts with one
// decode on its way at a time.
#include "show/stage_turns.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {
// One stage, called as the window calls it, playing "0", "1", "2", ...; the
// decode asked for comes when the test says so.
struct Show {
    Show() { Ask(); }
    void Come() {
        held = *onItsWay;
        onItsWay.reset();
        const StageTurns::Arrival arrival = turns.Arrived(0);
        if (arrival == StageTurns::Arrival::DrawUnseen) {
            Drawn();
        } else if (arrival == StageTurns::Arrival::Draw) {
            Draw();
        }
        Ask();
    }
    void Draw() {
        if (turns.DrawNow(0)) {
            if (held != failing && turns.NewToScreen(0)) {
                remembered.push_back(held);
            }
            screen = held != failing ? held : screen;
            Drawn();
        }
        Ask();
    }
    void Drawn() {
        turns.Drawn(0, held != failing);
        turns.Queue(0);
        Ask();
    }
    void Ask() {
        if (turns.Turn()) {
            onItsWay = turns.Wanted() ? *turns.Wanted() : std::to_string(fresh++);
            turns.Asked(*onItsWay);
            ++asks;
        }
    }
    void Right() {
        turns.StepForward(0);
        Draw();
    }

    StageTurns turns{1};
    std::string held, screen, failing;
    std::vector<std::string> remembered; // new to the screen when drawn
    std::optional<std::string> onItsWay;
    int fresh = 0, asks = 0;
};

// "0" is the creation's unseen draw, "1" the first paint's; "2" has come.
Show Started() {
    Show show;
    show.Come();
    show.Come();
    show.Draw();
    show.Come();
    return show;
}
} // namespace

// Left goes back over the last 100 pictures, each decoded again, and no
// further; Right then goes over the same ones before the order goes on.
TEST(ShowKeysTest, StepsGoBackOverTheLastHundredAndForwardOverTheSameBeforeNewOnes) {
    Show show = Started();
    for (int step = 0; step < 150; ++step) {
        show.Right();
        show.Come();
    }
    int back = 0;
    for (; show.turns.StepBack(0); ++back) {
        show.Draw();
        show.Come();
        show.Come();
    }
    EXPECT_EQ(100, back);
    EXPECT_EQ("51", show.screen);
    EXPECT_EQ(153, show.fresh);
    for (int step = 0; step < 102; ++step) {
        show.Right();
        show.Come();
    }
    EXPECT_EQ("153", show.screen);
    EXPECT_EQ(155, show.fresh);
}

// A held Right asks for nothing more while a decode is on its way, which is
// drawn when it comes; a held Left then asks for the one before, once.
TEST(ShowKeysTest, ABurstKeepsOneDecodeOnItsWayAndTheLatestWishWins) {
    Show show = Started();
    show.Right(); // "2" on screen, "3" on its way
    const int asks = show.asks;
    for (int repeat = 0; repeat < 10; ++repeat) {
        show.Right();
    }
    EXPECT_EQ(asks, show.asks);
    show.Come();
    EXPECT_EQ("3", show.screen);
    for (int repeat = 0; repeat < 10 && show.turns.StepBack(0); ++repeat) {
        show.Draw();
    }
    EXPECT_EQ(asks + 1, show.asks);
    show.Come(); // "4", kept for a step forward
    EXPECT_EQ(asks + 2, show.asks);
    show.Come();
    EXPECT_EQ("2", show.screen);
}

// A picture passed over by a step back before it came is new to the screen
// when the steps reach it; the pictures stepped back and forward to are not.
TEST(ShowKeysTest, OnlyPicturesNewToTheScreenAreRemembered) {
    Show show = Started();
    show.Right(); // "2" on screen, "3" on its way
    ASSERT_TRUE(show.turns.StepBack(0));
    show.Draw();
    show.Come(); // "3", no longer wished for
    show.Come(); // "1" again
    for (int step = 0; step < 3 && show.screen != "3"; ++step) {
        show.Right();
        show.Come();
    }
    EXPECT_EQ("3", show.screen);
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), show.remembered);
}

// Paused, neither the ticks nor the late picture a tick waited for change the
// screen, and a repaint shows the same picture again; Right still steps. After
// the pause the ticks go on.
TEST(ShowKeysTest, APauseHoldsThePictureOverTicksAndRepaints) {
    Show show;
    show.Come();
    show.Come();
    show.Draw(); // "1" on screen, "2" on its way
    show.Draw();
    show.turns.TogglePause();
    show.Come();
    show.turns.Again(0); // a repaint
    show.Draw();
    show.Come();
    EXPECT_EQ("1", show.screen);
    show.Come();
    show.Right();
    EXPECT_EQ("2", show.screen);
    show.turns.TogglePause();
    show.Come();
    show.Draw();
    EXPECT_EQ("3", show.screen);
}

// A picture that fails leaves the one before on screen, and Left steps back
// from that one.
TEST(ShowKeysTest, AFailedPictureLeavesTheOneBeforeToStepFrom) {
    Show show = Started();
    show.failing = "2";
    show.Right();
    show.Come();
    ASSERT_EQ("1", show.screen);
    ASSERT_TRUE(show.turns.StepBack(0));
    show.Draw();
    show.Come();
    EXPECT_EQ("0", show.screen);
}
