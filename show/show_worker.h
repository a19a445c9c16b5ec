// The one worker thread of a show: it walks the show's folder, decodes the
// pictures the window asks for, one at a time, and reads ahead the headers of
// those it names, so that the window's thread only handles messages and draws. The two threads
// share nothing but the mailbox below, under its mutex: a request belongs to the window until it is
// handed in, finished work to the worker until the window takes it.
#pragma once

#include "library/folder_walk.h"
#include "library/picture_list.h"
#include "picture/colour_profile.h"
#include "picture/picture.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// One picture to decode, for one stage of the show, into a box of this size,
// reduced or fitted to it, in the colours of the stage's monitor; for a moving
// view, with the zoom's headroom around that frame; and its partner, when it
// has one, into a box the same.
struct LoadRequest {
    int stage = 0;
    std::string path;
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
    Picture::Sizing sizing = Picture::Sizing::Reduce;
    bool motion = false;
    std::string partnerPath{}; // empty: the picture is alone
    ColourProfile target{};    // sRGB unless the monitor has a profile
};

// Decodes the picture asked for, ready or failed; it may stop early, failing,
// once `stop` is true.
using PictureLoader =
    std::function<Picture(const LoadRequest& request, const std::atomic_bool& stop)>;

// The show's loader: LoadPictureFile into the request's colours, abandoned
// when the worker stops. It keeps the colour transforms it makes for the
// pictures after; only the worker's thread calls it.
PictureLoader ShowPictureLoader();

// Reads the shape of a picture (named as the order names it) from its file's
// header, none when it cannot; it may stop early once `stop` is true.
using ShapeReader = std::function<std::optional<PictureSize>(const std::string& name,
                                                             const std::atomic_bool& stop)>;

struct PictureShape {
    std::string name;
    std::optional<PictureSize> size; // none: the header could not be read
};

// What the worker has finished since the window last took its work.
struct FinishedWork {
    // The pictures of each folder listed, folder by folder in the walk's order.
    std::vector<std::unique_ptr<PictureList>> folders;
    bool walkOver = false;
    // The picture asked for, ready or failed, and the stage it was asked for;
    // its partner, ready or failed, when it was asked for one.
    std::optional<Picture> picture;
    std::optional<Picture> partner;
    int stage = 0;
    // The shapes read, in the order they were asked for.
    std::vector<PictureShape> shapes;
};

class ShowWorker {
public:
    // Starts the thread, which starts the walk. `finished` is called on the
    // worker's thread whenever there is work to take that was not there when
    // the window last took it, until the worker is stopped.
    ShowWorker(FolderWalk walk, FolderLister list, PictureLoader load, ShapeReader readShape,
               std::function<void()> finished);
    // Stops the worker, if Stop has not, with the patience below.
    ~ShowWorker();
    ShowWorker(const ShowWorker&) = delete;
    ShowWorker& operator=(const ShowWorker&) = delete;

    // Asks for a picture. One is asked for at a time: the next only after the
    // window has taken this one.
    void Load(LoadRequest request);
    // Asks for the shapes of pictures, read after any picture asked for and
    // before the walk goes on. At most ShapesAhead wait to be read: beyond
    // them the oldest asked for are never read.
    void ReadShapes(std::vector<std::string> names);
    static constexpr std::size_t ShapesAhead = 32;
    FinishedWork Take();

    // How long the show waits for its worker to end: the decode and the listing
    // look at the stop flag every row and every entry, far more often.
    static constexpr std::chrono::milliseconds Patience{250};
    // Abandons the decode or listing under way and waits up to `patience` for
    // the thread to end; true when it has. A thread blocked in a call that
    // does not return (a file or folder on a share that stopped answering) is
    // left to end by itself: it holds everything it uses, so nothing is freed
    // under it, and it tells nobody of anything it finishes from then on.
    bool Stop(std::chrono::milliseconds patience = Patience);

private:
    // Everything the thread uses, held by the thread and by this object alike.
    struct Shared;
    static void Run(std::shared_ptr<Shared> own);

    std::shared_ptr<Shared> shared;
    std::thread thread;
};
