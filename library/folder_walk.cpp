#include "library/folder_walk.h"

#include "library/picture_order.h"

#include <algorithm>
#include <utility>

bool WalkedBefore(const std::string& a, const std::string& b) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t endA = std::min(a.find('\\', start), a.size());
        const std::size_t endB = std::min(b.find('\\', start), b.size());
        const bool fileA = endA == a.size();
        const bool fileB = endB == b.size();
        const std::string partA = a.substr(start, endA - start);
        const std::string partB = b.substr(start, endB - start);
        if (fileA != fileB) {
            return fileA;
        }
        if (fileA || partA != partB) {
            return NameBefore(partA, partB);
        }
        start = endA + 1;
    }
}

FolderWalk::FolderWalk(bool subfolders, PictureList::Order order, uint32_t seed,
                       std::size_t maxPictures)
    : subfolders(subfolders), order(order), folderShuffle(seed), picturesLeft(maxPictures) {}

bool FolderWalk::Step(const FolderLister& list, const std::atomic_bool& stop,
                      PictureList& pictures) {
    if (pending.empty()) {
        return false;
    }
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    FolderListing listing = list(folder, stop);
    const std::string prefix = folder.empty() ? folder : folder + '\\';
    for (const std::string& name : listing.pictures) {
        if (picturesLeft == 0) {
            break;
        }
        std::string path = prefix + name;
        pictures.Append()->name = std::move(path);
        --picturesLeft;
    }
    if (order == PictureList::ByName) {
        pictures.Sort(PictureList::ByName);
    }
    if (picturesLeft == 0) {
        pending.clear(); // enough: the walk ends here
    } else if (subfolders) {
        Descend(prefix, listing.folders);
    }
    return true;
}

// The subfolders go on the stack last first, so that the first is listed next
// and its own subfolders before the second.
void FolderWalk::Descend(const std::string& prefix, std::vector<std::string>& folders) {
    if (order == PictureList::ByName) {
        std::sort(folders.begin(), folders.end(), NameBefore);
    } else {
        std::shuffle(folders.begin(), folders.end(), folderShuffle);
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        pending.push_back(prefix + *folder);
    }
}
