// The order in which a show plays the pictures its walk finds, made as they are
// found. In name order it is the walk's order. Shuffled, a picture asked for
// while the walk goes on is drawn at random from those found so far and not yet
// played, so that the show starts as soon as there is one; once the walk is over, those left are
// shuffled at once (so that a folder without subfolders is shuffled as one list, as it always was).
// Either way every picture is played once before any repeats, and the order then repeats as it was.
#pragma once

#include "show/picture_list.h"

#include <cstddef>
#include <string>
#include <vector>

class PlayOrder {
public:
    explicit PlayOrder(PictureList::Order order) : order(order) {}

    // One folder's pictures, as the walk delivers them; `folder` is left empty.
    void Add(PictureList& folder);
    // The walk has delivered everything.
    void EndWalk() { walkOver = true; }
    bool WalkOver() const { return walkOver; }

    // The next picture to show, wrapping to the first after the last once the
    // walk is over; null when there is none to show yet.
    const PictureEntry* Next();
    // Whether there will never be a picture: the walk is over and found none.
    bool None() const { return walkOver && played.Empty() && unplayed.empty(); }

private:
    void DrawUnplayed();

    const PictureList::Order order;
    PictureList played; // in playing order
    bool started = false;
    // Shuffled only: found and not yet in the playing order.
    std::vector<std::string> unplayed;
    bool walkOver = false;
};
