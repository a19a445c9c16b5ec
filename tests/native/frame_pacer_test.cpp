// The hand-over between a frame pacer's thread and the window, with a waiter
// whose frames come every 5 ms. Run under ThreadSanitizer too.
#include "show/frame_pacer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {
class FastWaiter : public FrameWaiter {
public:
    explicit FastWaiter(std::atomic_int& waits) : waits(waits) {}
    void WaitForFrame() override {
        ++waits;
        std::this_thread::sleep_for(5ms);
    }

private:
    std::atomic_int& waits;
};

// Waits up to a minute for `count` to reach `least`; false when it does not.
bool Reaches(const std::atomic_int& count, int least) {
    const auto end = std::chrono::steady_clock::now() + 1min;
    while (count < least && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(100us);
    }
    return count >= least;
}

class FramePacerTest : public ::testing::Test {
protected:
    std::atomic_int waits{0};
    std::atomic_int frames{0};
    FramePacer pacer{std::make_unique<FastWaiter>(waits), [this] { ++frames; }};
};
} // namespace

// Each frame taken lets exactly one more come, and none is waited for while
// the last is out.
TEST_F(FramePacerTest, FramesNeverQueueBehindTheWindow) {
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(0, frames); // inactive until told
    pacer.SetActive(true);
    for (int taken = 0; taken < 20; ++taken) {
        ASSERT_TRUE(Reaches(frames, taken + 1));
        std::this_thread::sleep_for(taken % 4 == 0 ? 20ms : 0ms);
        EXPECT_EQ(taken + 1, frames);
        EXPECT_EQ(taken + 1, waits);
        pacer.FrameTaken();
    }
}

TEST_F(FramePacerTest, InactiveItTellsOfNoFrameAndWaitsForNone) {
    pacer.SetActive(true);
    ASSERT_TRUE(Reaches(frames, 1));
    pacer.FrameTaken();
    ASSERT_TRUE(Reaches(waits, 2));
    pacer.SetActive(false); // during the wait for the second frame
    const int told = frames;
    const int waited = waits;
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(told, frames);
    EXPECT_EQ(waited, waits);
    pacer.SetActive(true);
    EXPECT_TRUE(Reaches(frames, told + 1));
}

// Ended inactive, with a frame out, or waiting for the next, it ends at once.
TEST(FramePacerEndTest, EndsPromptlyWhateverItIsDoing) {
    for (int state = 0; state < 3; ++state) {
        std::atomic_int waits{0};
        std::atomic_int frames{0};
        auto pacer =
            std::make_unique<FramePacer>(std::make_unique<FastWaiter>(waits), [&] { ++frames; });
        pacer->SetActive(state > 0);
        ASSERT_TRUE(Reaches(frames, state > 0 ? 1 : 0));
        if (state == 2) {
            pacer->FrameTaken();
        }
        const auto start = std::chrono::steady_clock::now();
        pacer.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << state;
    }
}
