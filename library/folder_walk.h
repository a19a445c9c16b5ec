// The walk of a show's folder, one folder at a time: the folder's own pictures
// first, then each of its subfolders in the same way, depth first. In name
// order the subfolders are taken in name order; in a shuffled show in an order
// of the walk's own, so that the first pictures found can come from anywhere.
#pragma once

#include "library/picture_list.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

// What one folder holds, as the platform lists it.
struct FolderListing {
    std::vector<std::string> pictures; // the names of its picture files, as listed
    std::vector<std::string> folders;  // the names of the subfolders worth walking into
};

// Lists one folder, named relative to the show's folder ("" for the show's
// folder itself, "2023\Holiday" below it). It may stop early, with what it has
// listed, once `stop` is true.
using FolderLister =
    std::function<FolderListing(const std::string& folder, const std::atomic_bool& stop)>;

// Pointed at a whole drive, the walk stops at this many pictures: their names
// take some 30 MB.
constexpr std::size_t MaxPictures = 250000;

// Whether the picture `a` comes before `b` in a walk in name order, both named
// relative to the show's folder: a folder's own pictures come before its
// subfolders', and names in one folder compare as the order by name has them.
bool WalkedBefore(const std::string& a, const std::string& b);

class FolderWalk {
public:
    // Without subfolders only the show's folder is listed. The seed chooses the
    // order of the subfolders in a shuffled show.
    FolderWalk(bool subfolders, PictureList::Order order, uint32_t seed,
               std::size_t maxPictures = MaxPictures);

    // Lists the next folder of the walk and puts its pictures into the empty list
    // `pictures`, named relative to the show's folder: in name order sorted by
    // name, in a shuffled show as listed. False, listing nothing, once the walk
    // is over.
    bool Step(const FolderLister& list, const std::atomic_bool& stop, PictureList& pictures);
    bool Over() const { return pending.empty(); }
    // Ends the walk where it is.
    void End() { pending.clear(); }

private:
    void Descend(const std::string& prefix, std::vector<std::string>& folders);

    const bool subfolders;
    const PictureList::Order order;
    std::minstd_rand folderShuffle;
    std::size_t picturesLeft;
    // The folders still to list, the next one last.
    std::vector<std::string> pending{std::string()};
};
