#include "show/picture_history.h"

#include <cstddef>
#include <utility>

const ScreenNames* PictureHistory::At(Position position) const {
    if (position < first || position >= End()) {
        return nullptr;
    }
    return &names[position - first];
}

void PictureHistory::Add(ScreenNames screen) {
    names.push_back(std::move(screen));
}

void PictureHistory::Shown(Position position) {
    onScreen = position;
    furthest = furthest == None || position > furthest ? position : furthest;
    while (onScreen - first > Kept) {
        names.pop_front();
        ++first;
    }
}

void PictureHistory::Remove(Position position) {
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(position - first));
    if (onScreen != None && onScreen >= position) {
        onScreen = onScreen == position ? Before(position) : onScreen - 1;
    }
    if (furthest != None && furthest >= position) {
        furthest = furthest == 0 ? None : furthest - 1;
    }
}

PictureHistory::Position PictureHistory::Before(Position position) const {
    return position == None || position <= first ? None : position - 1;
}
