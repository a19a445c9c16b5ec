// A full-screen show going on from the shows before it: where name order
// resumes, which pictures a shuffled show holds back, and the stored state.
#include "show/play_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
using Names = std::vector<std::string>;

Names Play(PlayOrder& order, std::size_t count) {
    Names played;
    for (std::size_t i = 0; i < count; ++i) {
        const PictureEntry* entry = order.Next();
        played.push_back(entry != nullptr ? entry->name : "(none)");
    }
    return played;
}

void Deliver(PlayOrder& order, const Names& names) {
    PictureList folder;
    for (const std::string& name : names) {
        folder.Append()->name = name;
    }
    order.Add(folder);
}

// Name order: a folder's own pictures, then its subfolders'.
Names ResumeAfter(const std::string& last) {
    ShowMemory memory{"C:\\p", true, last, {}};
    PlayOrder order(PictureList::ByName);
    order.GoOnFrom(memory, 1);
    Deliver(order, {"a.jpg", "c.jpg"});
    Names played = Play(order, 1);
    Deliver(order, {"2023\\a.jpg", "2023\\c.jpg"});
    order.EndWalk();
    const Names more = Play(order, 3);
    played.insert(played.end(), more.begin(), more.end());
    return played;
}
} // namespace

// The picture before the one to go on with comes first: the window's creation
// takes it unseen. A deleted picture is passed over to the next in the walk's
// order, which puts a folder's pictures before its subfolders'; at the end the
// order wraps, and the order waits while the walk has not gone past the point.
TEST(ShowMemoryTest, NameOrderGoesOnAfterTheLastPictureDrawn) {
    EXPECT_EQ((Names{"(none)", "2023\\a.jpg", "2023\\c.jpg", "a.jpg"}), ResumeAfter("2023\\b.jpg"));
    EXPECT_EQ((Names{"(none)", "c.jpg", "2023\\a.jpg", "2023\\c.jpg"}), ResumeAfter("c.jpg"));
    EXPECT_EQ((Names{"(none)", "2023\\c.jpg", "a.jpg", "c.jpg"}), ResumeAfter("2023\\c.jpg"));
    EXPECT_EQ((Names{"a.jpg", "c.jpg", "2023\\a.jpg", "2023\\c.jpg"}), ResumeAfter(""));
}

// Another folder, or the same without or with its subfolders, is a first show.
TEST(ShowMemoryTest, AnotherFolderForgetsTheMemory) {
    ShowMemory memory{"C:\\p", true, "a.jpg", {}};
    memory.seen.Add("a.jpg");
    EXPECT_EQ("a.jpg", MemoryFor(memory, "C:\\p", true).last);
    for (const ShowMemory& other :
         {MemoryFor(memory, "C:\\q", true), MemoryFor(memory, "C:\\p", false)}) {
        EXPECT_EQ("", other.last);
        EXPECT_TRUE(other.seen.Empty());
    }
}

// Shuffled, the pictures recent shows drew come after all the others, every
// picture once; then the seen ones start again, and so they do once every
// picture has been handed out since.
TEST(ShowMemoryTest, AShuffledShowHoldsBackWhatRecentShowsDrew) {
    ShowMemory memory;
    for (const char* name : {"s1", "s2", "s3"}) {
        memory.seen.Add(name);
    }
    PlayOrder order(PictureList::Shuffled);
    order.GoOnFrom(memory, 1);
    Deliver(order, {"s1", "n1", "s2"});
    const Names early = Play(order, 2);
    EXPECT_EQ("(none)", early[1]); // the seen ones wait for the walk's end
    Deliver(order, {"n2", "s3", "n3"});
    order.EndWalk();
    Names unseen = Play(order, 2);
    unseen.push_back(early[0]);
    std::sort(unseen.begin(), unseen.end());
    EXPECT_EQ((Names{"n1", "n2", "n3"}), unseen);
    EXPECT_FALSE(memory.seen.Empty());
    Names seen = Play(order, 3);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ((Names{"s1", "s2", "s3"}), seen);
    EXPECT_TRUE(memory.seen.Empty());
    memory.seen.Add("n1"); // drawn since
    Play(order, 3);
    EXPECT_FALSE(memory.seen.Empty());
    Play(order, 1); // every picture handed out since they started again
    EXPECT_TRUE(memory.seen.Empty());
}

// The state reads back as it was written, the oldest seen forgotten beyond the
// capacity; any part that cannot be read makes a first show.
TEST(ShowMemoryTest, TheStoredStateReadsBackOrIsAFirstShow) {
    ShowMemory memory{"C:\\p", true, "2023\\a.jpg", {}};
    for (std::size_t i = 0; i <= SeenPictures::Capacity; ++i) {
        memory.seen.Add(std::to_string(i));
    }
    memory.seen.Add("1");
    const StoredMemory stored = EncodeMemory(memory);
    EXPECT_EQ(8 * SeenPictures::Capacity, stored.seen.size());
    const ShowMemory read = DecodeMemory(stored);
    EXPECT_EQ("2023\\a.jpg", read.last);
    EXPECT_FALSE(read.seen.Contains("0"));
    EXPECT_EQ(PictureHash("1"), read.seen.Hashes().back());
    EXPECT_EQ(memory.seen.Hashes(), read.seen.Hashes());
    EXPECT_EQ(0xaf63dc4c8601ec8cu, PictureHash("a")); // FNV-1a, on every build
    StoredMemory broken = stored;
    broken.seen.pop_back();
    StoredMemory missing = stored;
    missing.subfolders = -1;
    for (const StoredMemory& unreadable : {broken, missing}) {
        const ShowMemory first = MemoryFor(DecodeMemory(unreadable), "C:\\p", true);
        EXPECT_EQ("", first.last);
        EXPECT_TRUE(first.seen.Empty());
    }
}
