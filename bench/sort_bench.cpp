// The picture list's benchmark: filling the list and ordering it by name, for
// folders of 10,000 and 100,000 files whose names a directory listing delivers
// sorted (as NTFS does), sorted with one name that starts another
// (IMG_050000.jpg and IMG_050000.jpg.jpg), in reverse, or in no particular
// order (as a hashed directory does); the shuffle for comparison. Each figure
// is the fastest of five runs, since other work on the machine only slows a run.
// Then the walk of a drive's worth of photos (1,000,000 in folders of 100, with
// names as deep as a photo library's), which stops at its bound: the pictures
// the show then holds and the memory their names take in its playing order.
//   pelloran_sort_bench [COUNT...]   (default 10000 100000)
#include "common/random.h"
#include "library/folder_walk.h"
#include "library/picture_list.h"
#include "library/play_order.h"

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

// Camera-style names: IMG_000001.jpg, IMG_000002.jpg, ...
std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%06d.jpg", i);
        names.push_back(name);
    }
    return names;
}

struct Timing {
    double fill;
    double sort;
};

Timing Measure(const std::vector<std::string>& names, PictureList::Order order) {
    PictureList list;
    const auto start = Clock::now();
    for (const std::string& name : names) {
        list.Append()->name = name;
    }
    const auto filled = Clock::now();
    list.Sort(order);
    const auto sorted = Clock::now();
    // The result is used, so that nothing is optimised away.
    if (list.First() == nullptr) {
        std::abort();
    }
    return {Milliseconds(filled - start), Milliseconds(sorted - filled)};
}
// A tree of 10,000 folders ("Pictures\2015\Camera Roll 0042") of 100 photos
// each, walked in name order into the playing order, as the show's window keeps it.
void WalkToTheBound() {
    const FolderLister list = [](const std::string& folder, const std::atomic_bool&) {
        FolderListing listing;
        if (folder.empty()) {
            for (int year = 2000; year < 2025; ++year) {
                listing.folders.push_back(std::to_string(year));
            }
        } else if (folder.find('\\') == std::string::npos) {
            for (int album = 0; album < 400; ++album) {
                listing.folders.push_back("Camera Roll " + std::to_string(1000 + album));
            }
        } else {
            listing.pictures = Names(100);
        }
        return listing;
    };
    const std::atomic_bool stop{false};
    const size_t before = mallinfo2().uordblks;
    PlayOrder order(PictureList::ByName);
    FolderWalk walk(true, PictureList::ByName, 1);
    for (PictureList folder; walk.Step(list, stop, folder);) {
        order.Add(folder);
    }
    order.EndWalk();
    size_t pictures = 0;
    for (const PictureEntry* first = order.Next(); pictures == 0 || order.Next() != first;) {
        ++pictures;
    }
    std::printf("\nA walk of 1,000,000 photos in 10,000 folders stops at %zu pictures, whose "
                "names take %.1f MB\n",
                pictures, double(mallinfo2().uordblks - before) / 1e6);
}
} // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty()) {
        counts = {10000, 100000};
    }
    std::printf("%-8s %-9s %-8s %12s %12s %14s\n", "files", "listing", "order", "Append ms",
                "Sort ms", "Sort ns/(n lg n)");
    for (int count : counts) {
        const std::vector<std::string> sorted = Names(count);
        std::vector<std::string> withPrefix = sorted;
        withPrefix.insert(withPrefix.begin() + count / 2, sorted[count / 2 - 1] + ".jpg");
        std::vector<std::string> reversed(sorted.rbegin(), sorted.rend());
        std::vector<std::string> mixed = sorted;
        std::shuffle(mixed.begin(), mixed.end(), std::mt19937(42));
        const struct {
            const char* name;
            const std::vector<std::string>* names;
            PictureList::Order order;
        } cases[] = {
            {"sorted", &sorted, PictureList::ByName},
            {"sorted+1", &withPrefix, PictureList::ByName},
            {"reverse", &reversed, PictureList::ByName},
            {"unsorted", &mixed, PictureList::ByName},
            {"sorted", &sorted, PictureList::Shuffled},
        };
        for (const auto& c : cases) {
            Timing timing = {HUGE_VAL, HUGE_VAL};
            for (int run = 0; run < 5; ++run) {
                SeedRandom(1);
                const Timing next = Measure(*c.names, c.order);
                timing = {std::min(timing.fill, next.fill), std::min(timing.sort, next.sort)};
            }
            const double nLogN = count * std::log2(count);
            std::printf("%-8d %-9s %-8s %12.1f %12.1f %14.2f\n", count, c.name,
                        c.order == PictureList::ByName ? "by name" : "shuffled", timing.fill,
                        timing.sort, timing.sort * 1e6 / nLogN);
            std::fflush(stdout);
        }
    }
    WalkToTheBound();
    return 0;
}
