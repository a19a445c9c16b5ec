// The one worker thread of a show: it walks the show's folder and decodes the
// pictures the window asks for, one at a time, so that the window's thread only
// handles messages and draws. The two threads share nothing but the mailbox
// below, under its mutex: a request belongs to the window until it is handed
// in, finished work to the worker until the window takes it.
#pragma once

#include "picture/picture.h"
#include "show/folder_walk.h"
#include "show/picture_list.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// One picture to decode, for one stage of the show, into a box of this size,
// reduced or fitted to it.
struct LoadRequest {
    int stage = 0;
    std::string path;
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
    Picture::Sizing sizing = Picture::Sizing::Reduce;
};

// What the worker has finished since the window last took its work.
struct FinishedWork {
    // The pictures of each folder listed, folder by folder in the walk's order.
    std::vector<std::unique_ptr<PictureList>> folders;
    bool walkOver = false;
    // The picture asked for, ready or failed, and the stage it was asked for.
    std::optional<Picture> picture;
    int stage = 0;
};

class ShowWorker {
public:
    // Starts the thread, which starts the walk. `finished` is called on the
    // worker's thread whenever there is work to take that was not there when
    // the window last took it.
    ShowWorker(FolderWalk walk, FolderLister list, std::function<void()> finished);
    // Abandons the decode or listing under way, and waits for the thread to end.
    ~ShowWorker();
    ShowWorker(const ShowWorker&) = delete;
    ShowWorker& operator=(const ShowWorker&) = delete;

    // Asks for a picture. One is asked for at a time: the next only after the
    // window has taken this one.
    void Load(LoadRequest request);
    FinishedWork Take();

private:
    void Run();
    void RunGuarded() noexcept;
    void Decode(const LoadRequest& request);
    void WalkOneFolder();
    // Adds to the finished work under the mutex, and tells the window if it
    // has not been told yet.
    template <class Change> void Finish(Change&& change);

    // The worker's own: only its thread touches them once it has started.
    FolderWalk walk;
    const FolderLister list;
    const std::function<void()> finished;

    // Set once, by the destructor; read by the decode and the lister, which
    // stop when they see it.
    std::atomic_bool stopping{false};

    // The mailbox.
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<LoadRequest> request;
    FinishedWork work;
    bool told = false;

    std::thread thread; // last: started when everything above is in place
};
