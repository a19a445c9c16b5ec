// The folder scan when memory runs out: a program of its own, because it
// replaces the process's allocator with one that can be told to fail.
#include "show/folder_scan.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// How many more allocations succeed; no limit while negative.
int allocationsLeft = -1;
} // namespace

void* operator new(std::size_t size) {
    if (allocationsLeft == 0) {
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0) {
        --allocationsLeft;
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

// The listing stops quietly and keeps whole names: the show runs on those.
TEST(FolderScanTest, RunningOutOfMemoryKeepsTheNamesListedSoFar) {
    PictureFolder folder;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) {
        folder.AddText(name);
    }
    const std::atomic_bool stop{false};
    bool partly = false;
    for (int allowed = 0; allowed < 30; ++allowed) {
        FolderListing listing;
        const auto listWithLittleMemory = [&] {
            allocationsLeft = allowed;
            listing = ListFolder(folder.Path(), "", stop);
            allocationsLeft = -1;
        };
        EXPECT_NO_THROW(listWithLittleMemory()) << allowed << " allocations";
        allocationsLeft = -1;
        for (const std::string& name : listing.pictures) {
            EXPECT_EQ(5u, name.size()) << name;
        }
        partly = partly || (!listing.pictures.empty() && listing.pictures.size() < 5);
    }
    EXPECT_TRUE(partly);
}
