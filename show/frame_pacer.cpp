#include "show/frame_pacer.h"

#include <utility>

FramePacer::FramePacer(std::unique_ptr<FrameWaiter> waiter, std::function<void()> frameDue)
    : waiter(std::move(waiter)), frameDue(std::move(frameDue)), thread(&FramePacer::Run, this) {}

FramePacer::~FramePacer() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    thread.join();
}

void FramePacer::SetActive(bool nowActive) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        active = nowActive;
    }
    wake.notify_one();
}

void FramePacer::FrameTaken() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        frameOut = false;
    }
    wake.notify_one();
}

// The wait for the frame is made without the lock, so the window's calls
// never wait for the display. The window is told under the lock, so that no
// frame is told of once SetActive(false) has returned; telling never waits.
void FramePacer::Run() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return stopping || (active && !frameOut); });
        if (stopping) {
            return;
        }
        lock.unlock();
        waiter->WaitForFrame();
        lock.lock();
        if (active && !stopping) {
            frameOut = true;
            frameDue();
        }
    }
}
