#include "show/show_worker.h"

#include <new>
#include <utility>

ShowWorker::ShowWorker(FolderWalk walk, FolderLister list, std::function<void()> finished)
    : walk(std::move(walk)), list(std::move(list)), finished(std::move(finished)),
      thread(&ShowWorker::RunGuarded, this) {}

ShowWorker::~ShowWorker() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    thread.join();
}

void ShowWorker::Load(LoadRequest next) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        request = std::move(next);
    }
    wake.notify_one();
}

FinishedWork ShowWorker::Take() {
    const std::lock_guard<std::mutex> lock(mutex);
    told = false;
    return std::exchange(work, FinishedWork{});
}

// Nothing escapes the thread's entry. What the thread cannot go on with (its
// mutex failing, say) ends its work as it is.
void ShowWorker::RunGuarded() noexcept {
    try {
        Run();
    } catch (...) {
    }
}

// A picture asked for comes before the walk: the window waits for it.
void ShowWorker::Run() {
    for (;;) {
        std::optional<LoadRequest> next;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return stopping || request || !walk.Over(); });
            if (stopping) {
                return;
            }
            next = std::exchange(request, std::nullopt);
        }
        if (next) {
            Decode(*next);
        } else {
            WalkOneFolder();
        }
    }
}

void ShowWorker::Decode(const LoadRequest& asked) {
    Picture picture;
    picture.Load(asked.path.c_str(), asked.maxWidth, asked.maxHeight, asked.sizing, &stopping);
    Finish([&](FinishedWork& w) {
        w.picture = std::move(picture);
        w.stage = asked.stage;
    });
}

// Memory running out during the walk ends it; the show goes on with the
// folders delivered so far.
void ShowWorker::WalkOneFolder() {
    try {
        auto folder = std::make_unique<PictureList>();
        walk.Step(list, stopping, *folder);
        const bool over = walk.Over();
        Finish([&](FinishedWork& w) {
            w.folders.push_back(std::move(folder));
            w.walkOver = over;
        });
    } catch (const std::bad_alloc&) {
        walk.End();
        Finish([](FinishedWork& w) { w.walkOver = true; });
    }
}

template <class Change> void ShowWorker::Finish(Change&& change) {
    bool tell = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        change(work);
        tell = !told;
        told = true;
    }
    if (tell) {
        finished();
    }
}
