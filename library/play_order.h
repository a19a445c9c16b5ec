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
    // The pictures the next calls of Next hand out, nearest first: up to
    // `count`, fewer when the order has no more yet. Next hands out exactly
    // these, whatever is added meanwhile.
    std::vector<const PictureEntry*> Peek(std::size_t count);
    // The picture at `place` among those Peek gave is handed out now, out of
    // its turn, and passed over when its own turn comes.
    const PictureEntry* BringForward(std::size_t place);
    // Whether there will never be a picture: the walk is over and found none.
    bool None() const { return walkOver && played.Empty() && unplayed.empty() && heldBack.empty(); }

private:
    // A picture the order has chosen, not yet handed out; `seenStartAgain`:
    // the seen pictures start again when it is.
    struct Chosen {
        const PictureEntry* entry;
        bool seenStartAgain;
    };
    Chosen Choose();
    const PictureEntry* HandOut(Chosen chosen);
    void DrawUnplayed();
    void PassOverToResumePoint();
    void StartSeenAgain();

    const PictureList::Order order;
    PictureList played; // in playing order
    bool started = false;
    // Shuffled only: found and not yet in the playing order.
    std::vector<std::string> unplayed;
    bool walkOver = false;
    std::deque<Chosen> peeked;   // chosen ahead by Peek, in order
    bool seenStartAgain = false; // at the next picture chosen

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
