// The folder scan's listing: a program of its own, because it replaces the
// process's allocator with one that can be told to fail.
#include "library/folder_entries.h"
#include "library/folder_scan.h"
#include "tests/win/show_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

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

namespace {
// Entries handed out as a test lists them: a name, or an error for the entry.
class ScriptedEntries final : public FolderEntries {
public:
    struct Step {
        std::wstring name;
        DWORD error;
    };
    explicit ScriptedEntries(std::vector<Step> steps) : steps(std::move(steps)) {}

    DWORD Next(WIN32_FIND_DATAW& entry) override {
        ++calls;
        if (next == steps.size()) {
            return ERROR_NO_MORE_FILES;
        }
        const Step& step = steps[next++];
        entry = WIN32_FIND_DATAW{};
        entry.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
        std::wcsncpy(entry.cFileName, step.name.c_str(), MAX_PATH);
        return step.error;
    }
    int calls = 0;

private:
    std::vector<Step> steps;
    std::size_t next = 0;
};
} // namespace

// A name of 300 UTF-8 bytes (a hundred CJK characters) is listed whole, an
// entry that fails is skipped rather than ending the folder, and only the end
// of the entries (or a search that fails for good) ends it.
TEST(FolderScanTest, ListingSkipsAFailedEntryAndEndsOnlyAtTheEnd) {
    const std::wstring longName = std::wstring(96, L'\x65e5') + L".jpg";
    ScriptedEntries entries({{longName, ERROR_SUCCESS},
                             {L"", ERROR_FILENAME_EXCED_RANGE},
                             {L"short.jpg", ERROR_SUCCESS}});
    const std::atomic_bool stop{false};
    FolderListing listing;
    ListEntries(entries, PictureNames(), stop, listing);
    std::string expected;
    for (int i = 0; i < 96; ++i) {
        expected += "\xe6\x97\xa5";
    }
    ASSERT_EQ(2u, listing.pictures.size());
    EXPECT_EQ(expected + ".jpg", listing.pictures[0]);
    EXPECT_EQ("short.jpg", listing.pictures[1]);

    ScriptedEntries gone(std::vector<ScriptedEntries::Step>(1000, {L"", ERROR_NETNAME_DELETED}));
    ListEntries(gone, PictureNames(), stop, listing);
    EXPECT_LT(gone.calls, 1000);
}

// The listing stops quietly and keeps whole names: the show runs on those.
// The names are longer than a string holds without memory of its own.
TEST(FolderScanTest, RunningOutOfMemoryKeepsTheNamesListedSoFar) {
    PictureFolder folder;
    const std::string names[] = {"a-picture-of-the-sea.jpg", "b-picture-of-the-sea.jpg",
                                 "c-picture-of-the-sea.jpg", "d-picture-of-the-sea.jpg",
                                 "e-picture-of-the-sea.jpg"};
    for (const std::string& name : names) {
        folder.AddText(name.c_str());
    }
    const std::atomic_bool stop{false};
    bool partly = false;
    for (int allowed = 0; allowed < 60; ++allowed) {
        FolderListing listing;
        const auto listWithLittleMemory = [&] {
            allocationsLeft = allowed;
            listing = ListFolder(folder.Path(), "", PictureNames(), stop);
            allocationsLeft = -1;
        };
        EXPECT_NO_THROW(listWithLittleMemory()) << allowed << " allocations";
        allocationsLeft = -1;
        for (const std::string& name : listing.pictures) {
            EXPECT_EQ(names[0].size(), name.size()) << name;
        }
        partly = partly || (!listing.pictures.empty() && listing.pictures.size() < 5);
    }
    EXPECT_TRUE(partly);
}
