// The keys of the full-screen show over the stages' turns: steps back over the
// pictures kept and forward again, the pause, and a held key's bursts with one
// decode on its way at a time.
#include "show/stage_turns.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {
// One stage, called as the window calls it, playing "0", "1", "2", ...; the
// decode asked for comes when the test says so. A picture drawn is handed to
// its fade, so that the stage holds none after it.
struct Show {
    Show() { Ask(); }
    void Come() {
        held = *onItsWay;
        onItsWay.reset();
        const StageTurns::Arrival arrival = turns.Arrived(0);
        if (arrival == StageTurns::Arrival::DrawUnseen) {
            Drawn(failing.count(held) == 0);
        } else if (arrival == StageTurns::Arrival::Draw) {
            Draw();
        }
        Ask();
    }
    // Every decode on its way comes, and those asked for meanwhile too.
    void Settle() {
        for (int arrivals = 0; onItsWay; ++arrivals) {
            ASSERT_LT(arrivals, 1000) << "the decodes never end";
            Come();
        }
    }
    void Draw() {
        if (turns.DrawNow(0)) {
            const bool drawable = !held.empty() && failing.count(held) == 0;
            if (drawable && turns.NewToScreen(0)) {
                remembered.push_back(held);
            }
            if (drawable) {
                screen = std::exchange(held, std::string());
            }
            Drawn(drawable);
        }
        Ask();
    }
    void Drawn(bool shown) {
        turns.Drawn(0, shown);
        turns.Queue(0);
        Ask();
    }
    void Ask() {
        if (turns.Turn()) {
            onItsWay = turns.Wanted() ? turns.Wanted()->name : std::to_string(fresh++);
            turns.Asked({*onItsWay});
            ++asks;
        }
    }
    void Right() {
        turns.StepForward(0);
        Draw();
    }
    bool Left() {
        const bool stepped = turns.StepBack(0);
        if (stepped) {
            Draw();
        }
        return stepped;
    }
    // The window's black, then the pictures again; paused, the same ones.
    void Repaint() {
        screen.clear();
        if (turns.Paused()) {
            turns.Again(0);
        }
        Draw();
    }

    StageTurns turns{1};
    std::string held, screen;
    std::set<std::string> failing;
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

// A picture that fails leaves the one before on screen until the next tick,
// which shows the one after it; Left then steps back over the failed one.
TEST(ShowKeysTest, AFailedPictureLeavesTheOneBeforeUntilTheNextTick) {
    Show show = Started();
    show.failing = {"2"};
    show.Draw();
    show.Settle();
    EXPECT_EQ("1", show.screen);
    show.Draw();
    show.Settle();
    EXPECT_EQ("3", show.screen);
    ASSERT_TRUE(show.Left());
    show.Settle();
    EXPECT_EQ("1", show.screen);
}

// One press passes over the pictures that fail, one or a run of them, forward
// and back; they leave the history, so the steps never ask for them again.
TEST(ShowKeysTest, OnePressPassesOverPicturesThatFailEitherWay) {
    Show show = Started();
    show.failing = {"2", "4", "5", "6"};
    show.Right();
    show.Settle();
    EXPECT_EQ("3", show.screen);
    show.Right();
    show.Settle();
    EXPECT_EQ("7", show.screen);
    ASSERT_TRUE(show.Left());
    show.Settle();
    EXPECT_EQ("3", show.screen);
    show.failing.insert({"1", "3"}); // gone since
    show.Right();
    show.Settle();
    const int asks = show.asks;
    ASSERT_TRUE(show.Left());
    show.Settle();
    EXPECT_EQ("0", show.screen);
    EXPECT_EQ(asks + 4, show.asks); // "3", "1" and "0" once each, then "7" after it
    ASSERT_TRUE(show.Left() == false && show.screen == "0");
}

// Pictures that keep failing neither grow the history nor keep a step asking
// for more than the history keeps.
TEST(ShowKeysTest, PicturesThatFailKeepTheHistoryBounded) {
    Show show = Started();
    for (int picture = 2; picture < 20000; ++picture) {
        show.failing.insert(std::to_string(picture));
    }
    for (int tick = 0; tick < 10000; ++tick) {
        show.Draw();
        show.Settle();
    }
    EXPECT_LE(show.turns.Kept(0), PictureHistory::Kept + 2);
    const int asks = show.asks;
    show.Right();
    show.Settle();
    EXPECT_EQ("1", show.screen);
    EXPECT_LE(show.asks - asks, static_cast<int>(PictureHistory::Kept) + 1);
    EXPECT_LE(show.turns.Kept(0), PictureHistory::Kept + 2);
}

// Paused, a repaint just after a change (its picture handed to the fade, the
// next on its way) decodes that picture again and shows it, and Right then
// shows the one after it.
TEST(ShowKeysTest, ARepaintWhilePausedJustAfterAChangeShowsThatPictureAgain) {
    Show show = Started();
    show.Draw(); // "2", "3" on its way
    show.turns.TogglePause();
    show.Repaint();
    show.Settle();
    EXPECT_EQ("2", show.screen);
    show.Right();
    show.Settle();
    EXPECT_EQ("3", show.screen);
}

// A step back and then forward to the picture already there shows it at once;
// the picture after it waits for the tick, not for its own arrival.
TEST(ShowKeysTest, APictureAStepFindsThereIsNotCutShortByTheNext) {
    Show show = Started();
    show.Right(); // "2", "3" on its way
    show.Come();
    ASSERT_TRUE(show.Left());
    show.Right();
    EXPECT_EQ("3", show.screen);
    show.Settle(); // "1", no longer wished for, then "4"
    EXPECT_EQ("3", show.screen);
}
