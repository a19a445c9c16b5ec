// The screens one stage has shown (each a picture by its name, or a pair),
// oldest first, and which of them is on screen: stepping back shows them again
// as they were (decoded anew, as no decoded picture is kept), and stepping
// forward goes over the same screens before new ones come.
#pragma once

#include "show/screen_names.h"

#include <cstddef>
#include <cstdint>
#include <deque>

class PictureHistory {
public:
    // Where a picture stands: counted from the stage's first, which is 0.
    using Position = std::size_t;
    static constexpr Position None = SIZE_MAX;
    // How many pictures before the one on screen are kept at least.
    static constexpr std::size_t Kept = 100;

    // The screen at the position; null when it is not kept or not asked for yet.
    const ScreenNames* At(Position position) const;
    // The position the next new picture takes, after the last kept.
    Position End() const { return first + names.size(); }
    void Add(ScreenNames screen);

    // The picture at the position (one kept) is now on screen; the oldest are
    // forgotten beyond Kept before it.
    void Shown(Position position);
    // The picture at the position (one kept) failed: it leaves the history,
    // and those after it move one position down. When it was the one on
    // screen, the one before it is (None when none is kept).
    void Remove(Position position);
    // How many pictures are kept.
    std::size_t Size() const { return names.size(); }
    // The one on screen, None before the first.
    Position OnScreen() const { return onScreen; }
    // Whether the position has been on screen before: positions are shown in
    // order but for the steps back, so every one up to the furthest has.
    bool ShownBefore(Position position) const { return furthest != None && position <= furthest; }
    // The one before a position, None when none is kept.
    Position Before(Position position) const;

private:
    std::deque<ScreenNames> names;
    Position first = 0; // of names.front()
    Position onScreen = None;
    Position furthest = None; // the furthest position shown
};
