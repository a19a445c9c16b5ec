// Where the full-screen show goes on one or more monitors, and how the stages
// take their turns: the playing order dealt across the monitors.
#include "show/full_screen_geometry.h"
#include "show/stage_turns.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Text(const Extent& extent) {
    return std::to_string(extent.left) + "," + std::to_string(extent.top) + " to " +
           std::to_string(extent.right) + "," + std::to_string(extent.bottom);
}

// The window in screen coordinates, then each stage in the window's.
std::string Place(const ScreenLayout& layout) {
    const FullScreenGeometry geometry = PlaceFullScreen(layout);
    std::string text = Text(geometry.window);
    for (const Extent& stage : geometry.stages) {
        text += " / " + Text(stage);
    }
    return text;
}

Monitor Primary(int32_t width, int32_t height) {
    return {{0, 0, width, height}, true};
}
Monitor Other(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {{left, top, left + width, top + height}, false};
}
} // namespace

TEST(FullScreenGeometryTest, EachMonitorIsAStagePrimaryFirstThenLeftToRightTopToBottom) {
    EXPECT_EQ("0,0 to 1024,768 / 0,0 to 1024,768", Place({{Primary(1024, 768)}, 1024, 768}));
    // Side by side, a taller one on the right.
    EXPECT_EQ("0,0 to 3200,1200 / 0,0 to 1920,1080 / 1920,0 to 3200,1200",
              Place({{Other(1920, 0, 1280, 1200), Primary(1920, 1080)}, 1920, 1080}));
    // The primary not leftmost: one to the left 300 pixels higher, one to the
    // right; a 4K monitor at 200 % scaling is 3840 x 2160 device pixels all the same.
    EXPECT_EQ(
        "-1280,-300 to 5760,2160 / 1280,300 to 3200,1380 / 0,0 to 1280,1024 / "
        "3200,300 to 7040,2460",
        Place({{Other(1920, 0, 3840, 2160), Other(-1280, -300, 1280, 1024), Primary(1920, 1080)},
               1920,
               1080}));
    // Stacked: a narrower one above the primary, a wider one above that.
    EXPECT_EQ(
        "-200,-2160 to 2360,1080 / 200,2160 to 2120,3240 / 0,0 to 2560,1080 / "
        "200,1080 to 2120,2160",
        Place({{Other(0, -1080, 1920, 1080), Other(-200, -2160, 2560, 1080), Primary(1920, 1080)},
               1920,
               1080}));
    // Ties at the left edge go by the top edge, wherever they are listed.
    EXPECT_EQ(
        "0,-1080 to 3840,1080 / 0,1080 to 1920,2160 / 1920,0 to 3840,1080 / "
        "1920,1080 to 3840,2160",
        Place({{Other(1920, 0, 1920, 1080), Other(1920, -1080, 1920, 1080), Primary(1920, 1080)},
               1920,
               1080}));
    // A system that reports no monitor: the primary of the size reported.
    EXPECT_EQ("0,0 to 1024,768 / 0,0 to 1024,768", Place({{}, 1024, 768}));
}

namespace {
// The stage of every picture asked for, the draws given as the stages that draw
// at each tick, each picture coming right away.
std::string Deal(StageTurns& turns, std::size_t stages, int ticks) {
    std::string asked;
    const auto askAll = [&] {
        while (const std::optional<std::size_t> stage = turns.Turn()) {
            asked += std::to_string(*stage);
            turns.Asked({"p"});
            if (turns.Arrived(*stage) == StageTurns::Arrival::DrawUnseen) {
                turns.Drawn(*stage, true);
                turns.Queue(*stage);
            }
        }
    };
    askAll();
    asked += ' ';
    for (int tick = 0; tick < ticks; ++tick) {
        for (std::size_t stage = 0; stage < stages; ++stage) {
            if (turns.DrawNow(stage)) {
                turns.Drawn(stage, true);
                turns.Queue(stage);
            }
        }
        askAll();
        asked += ' ';
    }
    return asked;
}
} // namespace

// With two monitors the primary takes pictures 1, 3, 5, ... and the other 2, 4,
// 6, ...: the first two before the window is on screen, then two a tick.
TEST(FullScreenGeometryTest, TheOrderIsDealtAcrossTheStages) {
    StageTurns two(2);
    EXPECT_EQ("0101 01 01 01 ", Deal(two, 2, 3));
    StageTurns one(1);
    EXPECT_EQ("00 0 0 ", Deal(one, 1, 2));
}

// A draw while the stage's picture is on its way waits for it; one picture is
// asked for at a time, and the turns keep the order in which the stages drew.
TEST(FullScreenGeometryTest, ALatePictureIsDrawnWhenItComesAndTheTurnsKeepTheirOrder) {
    StageTurns turns(2);
    ASSERT_EQ(std::optional<std::size_t>(0), turns.Turn());
    turns.Asked({"p"});
    EXPECT_EQ(std::nullopt, turns.Turn());
    EXPECT_FALSE(turns.DrawNow(0));
    EXPECT_FALSE(turns.DrawNow(1));
    EXPECT_EQ(StageTurns::Arrival::DrawUnseen, turns.Arrived(0));
    turns.Drawn(0, true);
    turns.Queue(0);
    ASSERT_EQ(std::optional<std::size_t>(1), turns.Turn());
    turns.Asked({"p"});
    EXPECT_EQ(StageTurns::Arrival::DrawUnseen, turns.Arrived(1));
    turns.Drawn(1, true);
    turns.Queue(1);
    turns.Asked({"p"});                                     // stage 0's second picture
    EXPECT_EQ(StageTurns::Arrival::Draw, turns.Arrived(0)); // the paint waited for it
    turns.Asked({"p"});                                     // stage 1's
    EXPECT_EQ(StageTurns::Arrival::Draw, turns.Arrived(1));
    EXPECT_TRUE(turns.DrawNow(1));
    EXPECT_EQ(std::nullopt, turns.Turn());

    // Without pictures nothing waits: every draw finds its stage's (empty) picture.
    StageTurns none(2);
    none.NothingToAsk();
    EXPECT_TRUE(none.DrawNow(0));
    EXPECT_TRUE(none.DrawNow(1));
    EXPECT_EQ(std::nullopt, none.Turn());
}
