#include "show/show_worker.h"

#include "decode/load_picture.h"
#include "picture/colour_transforms.h"

#include <condition_variable>
#include <mutex>
#include <new>
#include <utility>

struct ShowWorker::Shared {
    Shared(FolderWalk walk, FolderLister list, PictureLoader load, std::function<void()> finished)
        : walk(std::move(walk)), list(std::move(list)), load(std::move(load)),
          finished(std::move(finished)) {}

    void RunGuarded() noexcept;
    void Serve();
    void Decode(const LoadRequest& request);
    void WalkOneFolder();
    // Adds to the finished work under the mutex, and tells the window if it
    // has not been told yet and the worker is not stopping.
    template <class Change> void Finish(Change&& change);

    // The thread's own: only it touches them once it has started.
    FolderWalk walk;
    const FolderLister list;
    const PictureLoader load;
    const std::function<void()> finished;

    // Set once, by Stop; read by the decode and the lister, which stop when
    // they see it.
    std::atomic_bool stopping{false};

    // The mailbox.
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<LoadRequest> request;
    FinishedWork work;
    bool told = false;
    // The thread's end, which Stop waits for.
    std::condition_variable endWake;
    bool ended = false;
};

PictureLoader ShowPictureLoader() {
    return [transforms = std::make_shared<ColourTransforms>()](const LoadRequest& request,
                                                               const std::atomic_bool& stop) {
        ColourConversion colour{*transforms, request.target};
        return LoadPictureFile(request.path.c_str(), request.maxWidth, request.maxHeight,
                               request.sizing, &stop, &colour);
    };
}

ShowWorker::ShowWorker(FolderWalk walk, FolderLister list, PictureLoader load,
                       std::function<void()> finished)
    : shared(std::make_shared<Shared>(std::move(walk), std::move(list), std::move(load),
                                      std::move(finished))),
      thread(&ShowWorker::Run, shared) {}

ShowWorker::~ShowWorker() {
    if (thread.joinable()) {
        Stop();
    }
}

void ShowWorker::Load(LoadRequest next) {
    {
        const std::lock_guard<std::mutex> lock(shared->mutex);
        shared->request = std::move(next);
    }
    shared->wake.notify_one();
}

FinishedWork ShowWorker::Take() {
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->told = false;
    return std::exchange(shared->work, FinishedWork{});
}

bool ShowWorker::Stop(std::chrono::milliseconds patience) {
    if (!thread.joinable()) {
        return true; // stopped already
    }
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->stopping = true;
    shared->wake.notify_one();
    const bool ended = shared->endWake.wait_for(lock, patience, [this] { return shared->ended; });
    lock.unlock();
    if (ended) {
        thread.join();
    } else {
        thread.detach();
    }
    return ended;
}

// The thread holds its own share of what it uses, so that a thread left behind
// by Stop still has it when its blocked call returns.
void ShowWorker::Run(std::shared_ptr<Shared> own) {
    own->RunGuarded();
    {
        const std::lock_guard<std::mutex> lock(own->mutex);
        own->ended = true;
    }
    own->endWake.notify_one();
}

// Nothing escapes the thread's entry. What the thread cannot go on with (its
// mutex failing, say) ends its work as it is.
void ShowWorker::Shared::RunGuarded() noexcept {
    try {
        Serve();
    } catch (...) {
    }
}

// A picture asked for comes before the walk: the window waits for it.
void ShowWorker::Shared::Serve() {
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

// Memory running out during a decode fails that picture; the next is served.
void ShowWorker::Shared::Decode(const LoadRequest& asked) {
    Picture picture;
    try {
        picture = load(asked, stopping);
    } catch (const std::bad_alloc&) {
        picture.Adopt(0, 0, nullptr); // no pixels: failed
    }
    Finish([&](FinishedWork& w) {
        w.picture = std::move(picture);
        w.stage = asked.stage;
    });
}

// Memory running out during the walk ends it; the show goes on with the
// folders delivered so far.
void ShowWorker::Shared::WalkOneFolder() {
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

template <class Change> void ShowWorker::Shared::Finish(Change&& change) {
    bool tell = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        change(work);
        tell = !told && !stopping;
        told = true;
    }
    if (tell) {
        finished();
    }
}
