// The hand-over between a show's window and its worker thread, driven from a
// test thread as the window drives it: many short decodes, the walk's folders,
// and workers ended at every moment. Run under ThreadSanitizer too.
#include "show/show_worker.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace {
// The window's side: told by the worker, it takes the work.
class Window {
public:
    std::function<void()> Notifier() {
        return [this] {
            const std::lock_guard<std::mutex> lock(mutex);
            told = true;
            wake.notify_one();
        };
    }
    FinishedWork WaitAndTake(ShowWorker& worker) {
        std::unique_lock<std::mutex> lock(mutex);
        wake.wait(lock, [this] { return told; });
        told = false;
        lock.unlock();
        return worker.Take();
    }

private:
    std::mutex mutex;
    std::condition_variable wake;
    bool told = false;
};

// A folder of `count` pictures in each of `folders` subfolders, listed slowly
// enough for a worker to be ended during a listing.
FolderLister SlowLister(int folders, int count) {
    return [folders, count](const std::string& folder, const std::atomic_bool& stop) {
        FolderListing listing;
        for (int i = 0; i < count && !stop; ++i) {
            listing.pictures.push_back("p" + std::to_string(i) + ".jpg");
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        if (folder.empty()) {
            for (int i = 0; i < folders; ++i) {
                listing.folders.push_back("f" + std::to_string(i));
            }
        }
        return listing;
    };
}

class ShowWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir.File("small.jpg"), MakeJpeg(JpegRecipe{}, Uniform(JpegRecipe{}, {9, 8, 7})));
        JpegRecipe big;
        big.width = big.height = 1500;
        big.kind = JpegKind::Progressive;
        WriteFile(dir.File("big.jpg"), MakeJpeg(big, Uniform(big, {1, 2, 3})));
    }
    ScratchDir dir;
    Window window;
};
} // namespace

// Each picture asked for comes back to its stage, drawable; the folders come in
// the walk's order, and the walk ends.
TEST_F(ShowWorkerTest, HandsBackEveryPictureAskedForAndTheWholeWalk) {
    ShowWorker worker(FolderWalk(true, PictureList::ByName, 1), SlowLister(3, 4),
                      window.Notifier());
    int folders = 0;
    bool walkOver = false;
    for (int load = 0; load < 40; ++load) {
        worker.Load({load % 3, dir.File(load % 2 ? "small.jpg" : "big.jpg"), 64, 64});
        for (;;) {
            FinishedWork work = window.WaitAndTake(worker);
            folders += static_cast<int>(work.folders.size());
            walkOver = walkOver || work.walkOver;
            if (work.picture) {
                EXPECT_EQ(load % 3, work.stage);
                EXPECT_TRUE(work.picture->IsDrawable());
                break;
            }
        }
    }
    while (!walkOver) {
        FinishedWork work = window.WaitAndTake(worker);
        folders += static_cast<int>(work.folders.size());
        walkOver = work.walkOver;
    }
    EXPECT_EQ(4, folders);
}

// A worker ended while it lists, decodes or waits stops and is joined; what it
// had finished goes with it.
TEST_F(ShowWorkerTest, EndsAtAnyMoment) {
    for (int round = 0; round < 60; ++round) {
        ShowWorker worker(FolderWalk(true, PictureList::Shuffled, round), SlowLister(5, 20),
                          window.Notifier());
        if (round % 3 != 0) {
            worker.Load({0, dir.File("big.jpg"), 1500, 1500,
                         round % 2 ? Picture::Sizing::Fit : Picture::Sizing::Reduce});
        }
        std::this_thread::sleep_for(std::chrono::microseconds(round * 200));
    }
}

// A decode whose abandon flag is up fails, reduced or fitted.
TEST_F(ShowWorkerTest, AnAbandonedDecodeFails) {
    const std::atomic_bool abandon{true};
    for (const Picture::Sizing sizing : {Picture::Sizing::Reduce, Picture::Sizing::Fit}) {
        Picture picture;
        picture.Load(dir.File("big.jpg").c_str(), 1500, 1500, sizing, &abandon);
        EXPECT_EQ(Picture::State::Failed, picture.GetState());
    }
}
