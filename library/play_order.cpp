#include "library/play_order.h"

#include "common/random.h"
#include "library/folder_walk.h"

#include <cstdint>
#include <utility>

void PlayOrder::GoOnFrom(ShowMemory& memory, std::size_t unseenFirst) {
    if (order == PictureList::Shuffled) {
        seen = &memory.seen;
    } else if (!memory.last.empty()) {
        resumeAfter = memory.last;
        unseen = unseenFirst;
    }
}

void PlayOrder::Add(PictureList& folder) {
    if (order == PictureList::ByName) {
        played.Splice(folder);
        return;
    }
    for (PictureEntry* entry = folder.First(); entry != nullptr; entry = folder.Next()) {
        ++found;
        const bool drawnLately = seen != nullptr && seen->Contains(entry->name);
        (drawnLately ? heldBack : unplayed).push_back(std::move(entry->name));
    }
    folder.Clear();
}

const PictureEntry* PlayOrder::Next() {
    if (peeked.empty()) {
        return HandOut(Choose());
    }
    const Chosen chosen = peeked.front();
    peeked.pop_front();
    return HandOut(chosen);
}

std::vector<const PictureEntry*> PlayOrder::Peek(std::size_t count) {
    while (peeked.size() < count) {
        const Chosen chosen = Choose();
        if (chosen.entry == nullptr) {
            break;
        }
        peeked.push_back(chosen);
    }
    std::vector<const PictureEntry*> next;
    for (std::size_t place = 0; place < count && place < peeked.size(); ++place) {
        next.push_back(peeked[place].entry);
    }
    return next;
}

const PictureEntry* PlayOrder::BringForward(std::size_t place) {
    const Chosen chosen = peeked[place];
    peeked.erase(peeked.begin() + static_cast<std::ptrdiff_t>(place));
    return HandOut(chosen);
}

// The seen pictures start again as the picture chosen after the moment is
// handed out, so that those chosen ahead before it are seen before they do.
const PictureEntry* PlayOrder::HandOut(Chosen chosen) {
    if (chosen.seenStartAgain) {
        seen->Clear();
    }
    return chosen.entry;
}

PlayOrder::Chosen PlayOrder::Choose() {
    if (resumeAfter) {
        PassOverToResumePoint();
        if (resumeAfter) {
            return {nullptr, false};
        }
        started = passing;
    }
    if (!ahead.empty()) {
        const PictureEntry* entry = ahead.front();
        ahead.pop_front();
        return {entry, false};
    }
    PictureEntry* entry = started ? played.Next() : played.First();
    if (entry == nullptr && (!unplayed.empty() || !heldBack.empty())) {
        DrawUnplayed();
        entry = started ? played.Next() : played.First();
    }
    if (entry == nullptr && walkOver) {
        entry = played.First();
    }
    started = started || entry != nullptr;
    if (entry == nullptr) {
        return {nullptr, false};
    }
    if (seen != nullptr) {
        // Every picture has been handed out since the seen ones started again.
        if (walkOver && unplayed.empty() && heldBack.empty() && sinceSeenCleared == found) {
            StartSeenAgain();
        }
        ++sinceSeenCleared;
    }
    return {entry, std::exchange(seenStartAgain, false)};
}

// Name order: passes over the pictures up to the one after which the show goes
// on, keeping the `unseen` before the next one, which are handed out first.
// With none after it once the walk is over, the order wraps to its start.
void PlayOrder::PassOverToResumePoint() {
    for (PictureEntry* entry = passing ? played.Next() : played.First(); entry != nullptr;
         entry = played.Next()) {
        passing = true;
        ahead.push_back(entry);
        if (WalkedBefore(*resumeAfter, entry->name)) {
            resumeAfter.reset();
            return;
        }
        if (ahead.size() > unseen) {
            ahead.pop_front();
        }
    }
    if (walkOver) {
        resumeAfter.reset();
    }
}

void PlayOrder::StartSeenAgain() {
    seenStartAgain = true;
    sinceSeenCleared = 0;
}

// Moves pictures from the unplayed ones to the end of the playing order: all of
// them, shuffled as one list, once the walk is over; otherwise one drawn at
// random (two draws of the generator make 30 bits, plenty for MaxPictures).
// When none are left but those that recent shows drew once the walk is over,
// every picture has been seen: the seen ones start again, and those are played
// now. While the walk goes on and has found none but those, one of them is
// drawn: the show starts as soon as there is a picture.
void PlayOrder::DrawUnplayed() {
    if (unplayed.empty() && walkOver) {
        StartSeenAgain();
        unplayed.swap(heldBack);
    }
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
    std::vector<std::string>& pool = unplayed.empty() ? heldBack : unplayed;
    const uint32_t draw = static_cast<uint32_t>(NextRandom()) << 15 | NextRandom();
    const std::size_t chosen = draw % pool.size();
    std::swap(pool[chosen], pool.back());
    played.Append()->name = std::move(pool.back());
    pool.pop_back();
}
