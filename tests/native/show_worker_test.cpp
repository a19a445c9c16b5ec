// The hand-over between a show's window and its worker thread, driven from a
// test thread as the window drives it: many short decodes, the walk's folders,
// and workers ended at every moment. Run under ThreadSanitizer too.
#include "show/show_worker.h"

#include "decode/picture_shape.h"
#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <new>
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
    // False, having failed the test, when the worker tells of nothing within
    // a minute.
    bool WaitAndTake(ShowWorker& worker, FinishedWork& work) {
        std::unique_lock<std::mutex> lock(mutex);
        if (!wake.wait_for(lock, std::chrono::minutes(1), [this] { return told; })) {
            ADD_FAILURE() << "no work came from the worker within a minute";
            return false;
        }
        told = false;
        lock.unlock();
        work = worker.Take();
        return true;
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

std::optional<PictureSize> NoShape(const std::string&, const std::atomic_bool&) {
    return std::nullopt;
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

// Each picture asked for comes back to its stage, drawable, with its partner
// when it has one, and each shape asked for comes back; the folders come in
// the walk's order, and the walk ends.
TEST_F(ShowWorkerTest, HandsBackEveryPictureAskedForAndTheWholeWalk) {
    const ShapeReader readShape = [this](const std::string& name, const std::atomic_bool& stop) {
        return ReadPictureShape(dir.File(name).c_str(), &stop);
    };
    ShowWorker worker(FolderWalk(true, PictureList::ByName, 1), SlowLister(3, 4),
                      ShowPictureLoader(), readShape, window.Notifier());
    int folders = 0;
    int shapes = 0;
    bool walkOver = false;
    for (int load = 0; load < 40; ++load) {
        LoadRequest request{load % 3, dir.File(load % 2 ? "small.jpg" : "big.jpg"), 64, 64};
        request.partnerPath = load % 4 == 0 ? dir.File("small.jpg") : "";
        worker.Load(std::move(request));
        worker.ReadShapes({"big.jpg"});
        for (bool pictureCame = false; !pictureCame || shapes <= load;) {
            FinishedWork work;
            ASSERT_TRUE(window.WaitAndTake(worker, work));
            folders += static_cast<int>(work.folders.size());
            walkOver = walkOver || work.walkOver;
            for (const PictureShape& shape : work.shapes) {
                shapes += shape.name == "big.jpg" && shape.size && shape.size->width == 1500;
            }
            if (work.picture) {
                pictureCame = true;
                EXPECT_EQ(load % 3, work.stage);
                EXPECT_TRUE(work.picture->IsDrawable());
                EXPECT_EQ(load % 4 == 0, work.partner && work.partner->IsDrawable());
            }
        }
    }
    while (!walkOver) {
        FinishedWork work;
        ASSERT_TRUE(window.WaitAndTake(worker, work));
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
                          ShowPictureLoader(), NoShape, window.Notifier());
        if (round % 3 != 0) {
            worker.Load({0, dir.File("big.jpg"), 1500, 1500,
                         round % 2 ? Picture::Sizing::Fit : Picture::Sizing::Reduce});
        }
        std::this_thread::sleep_for(std::chrono::microseconds(round * 200));
    }
}

// Stopping the worker abandons the decode under way, which fails, and the
// thread ends within the patience given.
TEST_F(ShowWorkerTest, StoppingAbandonsTheDecodeUnderWay) {
    std::promise<void> started;
    const PictureLoader load = [&started, show = ShowPictureLoader()](
                                   const LoadRequest& request, const std::atomic_bool& stop) {
        started.set_value();
        while (!stop) { // the decode goes on once the stop has come
            std::this_thread::yield();
        }
        return show(request, stop);
    };
    ShowWorker worker(FolderWalk(false, PictureList::ByName, 1, 0), SlowLister(0, 0), load, NoShape,
                      window.Notifier());
    worker.Load({0, dir.File("big.jpg"), 3000, 3000});
    ASSERT_EQ(std::future_status::ready, started.get_future().wait_for(std::chrono::minutes(1)))
        << "the decode never started";
    ASSERT_TRUE(worker.Stop(std::chrono::minutes(1))) << "the worker did not end";
    const FinishedWork work = worker.Take();
    ASSERT_TRUE(work.picture) << "no picture came back";
    EXPECT_EQ(Picture::State::Failed, work.picture->GetState());
}

// Memory running out during a decode fails that picture; the worker goes on
// and serves the next.
TEST_F(ShowWorkerTest, ADecodeThatRunsOutOfMemoryFailsAndTheNextIsServed) {
    const PictureLoader load = [show = ShowPictureLoader()](const LoadRequest& request,
                                                            const std::atomic_bool& stop) {
        if (request.stage == 1) {
            throw std::bad_alloc();
        }
        return show(request, stop);
    };
    ShowWorker worker(FolderWalk(false, PictureList::ByName, 1, 0), SlowLister(0, 0), load, NoShape,
                      window.Notifier());
    for (const int stage : {1, 0}) {
        worker.Load({stage, dir.File("small.jpg"), 64, 64});
        FinishedWork work;
        do {
            ASSERT_TRUE(window.WaitAndTake(worker, work)) << "stage " << stage;
        } while (!work.picture);
        EXPECT_EQ(stage, work.stage);
        EXPECT_EQ(stage == 0, work.picture->IsDrawable()) << "stage " << stage;
    }
}

// A worker blocked in a call that does not look at its stop flag (a share that
// stopped answering) does not hold its owner: it is left behind, ends by
// itself once the call returns, and then frees what it held.
TEST_F(ShowWorkerTest, ABlockedWorkerIsLeftBehindAndEndsByItself) {
    auto gate = std::make_shared<std::promise<void>>();
    const std::weak_ptr<std::promise<void>> held = gate;
    std::shared_future<void> opened = gate->get_future().share();
    auto entered = std::make_shared<std::promise<void>>();
    std::future<void> listing = entered->get_future();
    FolderLister blocked = [gate, opened, entered](const std::string&, const std::atomic_bool&) {
        entered->set_value();
        opened.wait();
        return FolderListing{};
    };
    {
        ShowWorker worker(FolderWalk(false, PictureList::ByName, 1), std::move(blocked),
                          ShowPictureLoader(), NoShape, window.Notifier());
        ASSERT_EQ(std::future_status::ready, listing.wait_for(std::chrono::minutes(1)))
            << "the listing never started";
        EXPECT_FALSE(worker.Stop(std::chrono::milliseconds(50)));
    }
    gate->set_value();
    gate.reset();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!held.expired() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(held.expired()) << "the worker left behind never ended";
}
