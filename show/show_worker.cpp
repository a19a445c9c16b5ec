#include "show/show_worker.h"

#include "decode/load_picture.h"
#include "picture/colour_transforms.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <new>
#include <utility>

struct ShowWorker::Shared {
    Shared(FolderWalk walk, FolderLister list, PictureLoader load, ShapeReader readShape,
           std::function<void()> finished)
        : walk(std::move(walk)), list(std::move(list)), load(std::move(load)),
          readShape(std::move(readShape)), finished(std::move(finished)) {}

    void RunGuarded() noexcept;
    void Serve();
    void Decode(const LoadRequest& request);
    Picture LoadOne(const LoadRequest& request);
    void ReadShape(const std::string& name);
    void WalkOneFolder();
    // Adds to the finished work under the mutex, and tells the window if it
    // has not been told yet and the worker is not stopping.
    template <class Change> void Finish(Change&& change);

    // The thread's own: only it touches them once it has started.
    FolderWalk walk;
    const FolderLister list;
    const PictureLoader load;
    const ShapeReader readShape;
    const std::function<void()> finished;

    // Set once, by Stop; read by the decode and the lister, which stop when
    // they see it.
    std::atomic_bool stopping{false};

    // The mailbox.
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<LoadRequest> request;
    std::deque<std::string> shapesToRead;
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
                               request.sizing, &stop, request.motion, &colour);
    };
}

ShowWorker::ShowWorker(FolderWalk walk, FolderLister list, PictureLoader load,
                       ShapeReader readShape, std::function<void()> finished)
    : shared(std::make_shared<Shared>(std::move(walk), std::move(list), std::move(load),
                                      std::move(readShape), std::move(finished))),
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

void ShowWorker::ReadShapes(std::vector<std::string> names) {
    {
        const std::lock_guard<std::mutex> lock(shared->mutex);
        std::deque<std::string>& waiting = shared->shapesToRead;
        for (std::string& name : names) {
            waiting.push_back(std::move(name));
        }
        while (waiting.size() > ShapesAhead) {
            waiting.pop_front();
        }
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

// A picture asked for comes before the shapes, which come before the walk:
// the window waits for the picture, and pairs pictures whose shapes it knows.
void ShowWorker::Shared::Serve() {
    for (;;) {
        std::optional<LoadRequest> next;
        std::optional<std::string> shape;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] {
                return stopping || request || !shapesToRead.empty() || !walk.Over();
            });
            if (stopping) {
                return;
            }
            next = std::exchange(request, std::nullopt);
            if (!next && !shapesToRead.empty()) {
                shape = std::move(shapesToRead.front());
                shapesToRead.pop_front();
            }
        }
        if (next) {
            Decode(*next);
        } else if (shape) {
            ReadShape(*shape);
        } else {
            WalkOneFolder();
        }
    }
}

// The picture and its partner, if it has one, each a load of its own into the
// same box.
void ShowWorker::Shared::Decode(const LoadRequest& asked) {
    Picture picture = LoadOne(asked);
    std::optional<Picture> partner;
    if (!asked.partnerPath.empty()) {
        LoadRequest second = asked;
        second.path = asked.partnerPath;
        partner = LoadOne(second);
    }
    Finish([&](FinishedWork& w) {
        w.picture = std::move(picture);
        w.partner = std::move(partner);
        w.stage = asked.stage;
    });
}

// Memory running out during a decode fails that picture.
Picture ShowWorker::Shared::LoadOne(const LoadRequest& asked) {
    Picture picture;
    try {
        picture = load(asked, stopping);
    } catch (const std::bad_alloc&) {
        picture.Adopt(0, 0, nullptr); // no pixels: failed
    }
    return picture;
}

// Memory running out while a header is read leaves that shape unknown.
void ShowWorker::Shared::ReadShape(const std::string& name) {
    std::optional<PictureSize> size;
    try {
        size = readShape(name, stopping);
    } catch (const std::bad_alloc&) {
    }
    Finish([&](FinishedWork& w) { w.shapes.push_back({name, size}); });
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
