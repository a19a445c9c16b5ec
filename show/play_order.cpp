#include "show/play_order.h"

#include "common/random.h"

#include <cstdint>
#include <utility>

void PlayOrder::Add(PictureList& folder) {
    if (order == PictureList::ByName) {
        played.Splice(folder);
        return;
    }
    for (PictureEntry* entry = folder.First(); entry != nullptr; entry = folder.Next()) {
        unplayed.push_back(std::move(entry->name));
    }
    folder.Clear();
}

const PictureEntry* PlayOrder::Next() {
    PictureEntry* entry = started ? played.Next() : played.First();
    if (entry == nullptr && !unplayed.empty()) {
        DrawUnplayed();
        entry = started ? played.Next() : played.First();
    }
    if (entry == nullptr && walkOver) {
        entry = played.First();
    }
    started = started || entry != nullptr;
    return entry;
}

// Moves pictures from the unplayed ones to the end of the playing order: all of
// them, shuffled as one list, once the walk is over; otherwise one drawn at
// random (two draws of the generator make 30 bits, plenty for MaxPictures).
void PlayOrder::DrawUnplayed() {
    if (walkOver) {
        PictureList rest;
        for (std::string& name : unplayed) {
            rest.Append()->name = std::move(name);
        }
        unplayed.clear();
        rest.Sort(PictureList::Shuffled);
        played.Splice(rest);
        return;
    }
    const uint32_t draw = static_cast<uint32_t>(NextRandom()) << 15 | NextRandom();
    const std::size_t chosen = draw % unplayed.size();
    std::swap(unplayed[chosen], unplayed.back());
    played.Append()->name = std::move(unplayed.back());
    unplayed.pop_back();
}
