#include "show/picture_history.h"

#include <utility>

const std::string* PictureHistory::At(Position position) const {
    if (position < first || position >= End()) {
        return nullptr;
    }
    return &names[position - first];
}

void PictureHistory::Add(std::string name) {
    names.push_back(std::move(name));
}

void PictureHistory::Shown(Position position) {
    onScreen = position;
    furthest = furthest == None || position > furthest ? position : furthest;
    while (onScreen - first > Kept) {
        names.pop_front();
        ++first;
    }
}

PictureHistory::Position PictureHistory::Before() const {
    return onScreen == None || onScreen == first ? None : onScreen - 1;
}
