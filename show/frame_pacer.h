// The pacing of a moving picture's frames: a thread of its own waits for each
// frame to be due (a refresh of the display) and tells the window, which draws
// it on its own thread. The window's thread never waits for the display.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Blocks until the next frame is due, for at most about one frame.
class FrameWaiter {
public:
    virtual ~FrameWaiter() = default;
    virtual void WaitForFrame() = 0;
};

class FramePacer {
public:
    // Starts the thread, inactive. While active it calls `frameDue` on its
    // own thread once per frame, but never again before the window has called
    // FrameTaken() for the last one: the wait for the next frame starts when
    // the window takes the last, so frames never queue up behind a busy
    // window, and a flush of the composition waits for the frame it draws.
    // `frameDue` (posting a message, say) must not wait for the window nor
    // call the pacer: it is called under the pacer's lock.
    FramePacer(std::unique_ptr<FrameWaiter> waiter, std::function<void()> frameDue);
    // Stops the thread and waits for it, which takes at most the frame it is
    // waiting for.
    ~FramePacer();
    FramePacer(const FramePacer&) = delete;
    FramePacer& operator=(const FramePacer&) = delete;

    // Inactive (a paused show, or nothing moving), the thread sleeps; once
    // SetActive(false) has returned, `frameDue` is not called until it is
    // active again.
    void SetActive(bool active);
    // The window has taken the last frame it was told of (called on every
    // one it handles, drawn or not).
    void FrameTaken();

private:
    void Run();

    const std::unique_ptr<FrameWaiter> waiter;
    const std::function<void()> frameDue;

    // Set by the window, they wake the thread; it never holds the mutex
    // while it waits for a frame.
    std::mutex mutex;
    std::condition_variable wake;
    bool active = false;
    bool stopping = false;
    // A frame told of and not yet taken.
    bool frameOut = false;

    std::thread thread;
};
