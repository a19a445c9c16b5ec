// The folder scan when memory runs out: a program of its own, because it
// replaces the process's allocator with one that can be told to fail.
#include "show/folder_scan.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

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

// The scan stops quietly and keeps whole names: the show runs on those.
TEST(FolderScanTest, RunningOutOfMemoryKeepsTheNamesListedSoFar) {
    char startDirectory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, startDirectory);
    PictureFolder folder;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) {
        folder.AddText(name);
    }
    PictureList pictures;
    const auto scanWithLittleMemory = [&] {
        allocationsLeft = 2;
        ScanFolder(folder.Path(), pictures);
        allocationsLeft = -1;
    };
    EXPECT_NO_THROW(scanWithLittleMemory());
    allocationsLeft = -1;
    int listed = 0;
    for (PictureEntry* entry = pictures.First(); entry != nullptr; entry = pictures.Next()) {
        ++listed;
        EXPECT_EQ(5u, entry->name.size()) << entry->name;
    }
    EXPECT_GT(listed, 0);
    EXPECT_LT(listed, 5);
    ::SetCurrentDirectoryA(startDirectory);
}
