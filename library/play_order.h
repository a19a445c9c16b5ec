// The order in which a show plays the pictures its walk finds, made as they are
// found. In name order it is the walk's order. Shuffled, a picture asked for
// while the walk goes on is drawn at random from those found so far and not yet
// played, so that the show starts as soon as there is one; once the walk is over, those left are
// shuffled at once (so that a folder without subfolders is shuffled as one list, as it always was).
// Either way every picture is played once before any repeats, and the order then repeats as it was.
//
// A full-screen show goes on from where the shows before it got to: in name
// order after the last picture drawn; shuffled, with the pictures that recent
// shows drew held back until every other has been played.
#pragma once

#include "library/picture_list.h"
#include "library/show_memory.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class PlayOrder {
public:
    explicit PlayOrder(PictureList::Order order) : order(order) {}

    // Before the first picture is added: the order goes on from the memory. In
    // name order the first picture after `memory.last` is preceded by the
    // `unseen` before it, which the window's creation takes and never shows (a
    // point among the first `unseen` gives the order from its start). Shuffled,
    // the pictures of `memory.seen` come after all the others, and the seen
    // pictures start again once every picture has been played. The memory
    // must outlive the order.
    void GoOnFrom(ShowMemory& memory, std::size_t unseen);

    // One folder's pictures, as the walk delivers them; `folder` is left empty.
    void Add(PictureList& folder);
    // The walk has delivered everything.
    void EndWalk() { walkOver = true; }
    bool WalkOver() const { return walkOver; }

    // The next picture to show, wrapping to the first after the last once the
    // walk is over; null when there is none to show yet.
    const PictureEntry* Next();
    // Whether there will never be a picture: the walk is over and found none.
    bool None() const { return walkOver && played.Empty() && unplayed.empty() && heldBack.empty(); }

private:
    void DrawUnplayed();
    void PassOverToResumePoint();
    void StartSeenAgain();

    const PictureList::Order order;
    PictureList played; // in playing order
    bool started = false;
    // Shuffled only: found and not yet in the playing order.
    std::vector<std::string> unplayed;
    bool walkOver = false;

    // Shuffled only: the pictures recent shows drew; those found, kept for
    // after the others; how many were found, and how many were handed out since
    // `seen` started again.
    SeenPictures* seen = nullptr;
    std::vector<std::string> heldBack;
    std::size_t found = 0;
    std::size_t sinceSeenCleared = 0;
    // Name order only: the picture after which the show goes on, until the
    // order has passed it; the pictures to hand out before the cursor's next,
    // up to `unseen` of them; whether the cursor has been put on the first.
    std::optional<std::string> resumeAfter;
    std::size_t unseen = 0;
    std::deque<const PictureEntry*> ahead;
    bool passing = false;
};
