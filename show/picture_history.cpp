#include "show/picture_history.h"

#include <utility>

const std::string* PictureHistory::At(Position position) const {
    if (position < first || position >= End()) {
        return nullptr;
    }
    return &paths[position - first];
}

void PictureHistory::Add(std::string path) {
    paths.push_back(std::move(path));
}

void PictureHistory::Shown(Position position) {
    onScreen = position;
    while (onScreen - first > Kept) {
        paths.pop_front();
        ++first;
    }
}

PictureHistory::Position PictureHistory::Before() const {
    return onScreen == None || onScreen == first ? None : onScreen - 1;
}
