// The walk of a folder tree and the playing order made from it as it comes:
// which pictures in which order, the bound, the shuffle of old, and a show
// going on from the shows before it with the state they stored.
#include "common/random.h"
#include "library/folder_walk.h"
#include "library/play_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
using Names = std::vector<std::string>;

// A tree of folders, each named relative to the show's folder, as the platform
// would list them (in the order given, not sorted).
class Tree {
public:
    Tree& Folder(const std::string& name, Names pictures, Names folders = {}) {
        listings[name] = {std::move(pictures), std::move(folders)};
        return *this;
    }
    FolderLister Lister() const {
        return [this](const std::string& folder, const std::atomic_bool&) {
            const auto found = listings.find(folder);
            return found != listings.end() ? found->second : FolderListing{};
        };
    }

private:
    std::map<std::string, FolderListing> listings;
};

// Every folder the walk delivers, whole, in the order it delivers them.
std::vector<Names> Walk(const Tree& tree, FolderWalk walk) {
    const std::atomic_bool stop{false};
    std::vector<Names> folders;
    for (;;) {
        PictureList pictures;
        if (!walk.Step(tree.Lister(), stop, pictures)) {
            return folders;
        }
        folders.emplace_back();
        for (const PictureEntry* e = pictures.First(); e != nullptr; e = pictures.Next()) {
            folders.back().push_back(e->name);
        }
    }
}

// The pictures the order hands out, `count` of them.
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

const Tree Library = Tree()
                         .Folder("", {"b.jpg", "a.jpg"}, {"2024", "2023"})
                         .Folder("2023", {"z.jpg"}, {"Summer", "Holiday"})
                         .Folder("2023\\Holiday", {"2.jpg", "1.jpg"})
                         .Folder("2023\\Summer", {"s.jpg"})
                         .Folder("2024", {"new.jpg"});
} // namespace

// The folder's own pictures in name order first, then each subfolder the same
// way, subfolders in name order, depth first; names relative to the folder.
TEST(ShowWalkTest, ByNameListsEachFolderSortedThenItsSubfoldersDepthFirst) {
    EXPECT_EQ((std::vector<Names>{{"a.jpg", "b.jpg"},
                                  {"2023\\z.jpg"},
                                  {"2023\\Holiday\\1.jpg", "2023\\Holiday\\2.jpg"},
                                  {"2023\\Summer\\s.jpg"},
                                  {"2024\\new.jpg"}}),
              Walk(Library, FolderWalk(true, PictureList::ByName, 1)));
    EXPECT_EQ((std::vector<Names>{{"a.jpg", "b.jpg"}}),
              Walk(Library, FolderWalk(false, PictureList::ByName, 1)));
}

// Shuffled, the subfolders come in an order of the walk's own, the pictures of
// each as listed; every picture of the tree comes once.
TEST(ShowWalkTest, AShuffledWalkStillListsEveryPictureOnce) {
    std::set<std::vector<Names>> walks;
    for (uint32_t seed = 0; seed < 20; ++seed) {
        const std::vector<Names> walk =
            Walk(Library, FolderWalk(true, PictureList::Shuffled, seed));
        ASSERT_EQ(5u, walk.size());
        EXPECT_EQ((Names{"b.jpg", "a.jpg"}), walk.front());
        Names all;
        for (const Names& folder : walk) {
            all.insert(all.end(), folder.begin(), folder.end());
        }
        std::sort(all.begin(), all.end());
        EXPECT_EQ((Names{"2023\\Holiday\\1.jpg", "2023\\Holiday\\2.jpg", "2023\\Summer\\s.jpg",
                         "2023\\z.jpg", "2024\\new.jpg", "a.jpg", "b.jpg"}),
                  all);
        walks.insert(walk);
    }
    EXPECT_GT(walks.size(), 1u);
}

// The walk stops at its bound, in the middle of a folder if need be.
TEST(ShowWalkTest, TheWalkEndsAtItsBound) {
    EXPECT_EQ((std::vector<Names>{{"a.jpg", "b.jpg"}, {"2023\\z.jpg"}}),
              Walk(Library, FolderWalk(true, PictureList::ByName, 1, 3)));
    EXPECT_EQ((std::vector<Names>{{"b.jpg"}}),
              Walk(Library, FolderWalk(true, PictureList::Shuffled, 1, 1)));
}

// In name order the show plays folders as they come, waits at the end of what
// has come while the walk goes on, and wraps only once the walk is over.
TEST(ShowWalkTest, ByNameThePlayingOrderGrowsAndWrapsOnlyAfterTheWalk) {
    PlayOrder order(PictureList::ByName);
    EXPECT_EQ((Names{"(none)"}), Play(order, 1));
    Deliver(order, {"a", "b"});
    EXPECT_EQ((Names{"a", "b", "(none)"}), Play(order, 3));
    Deliver(order, {"c"});
    order.EndWalk();
    EXPECT_EQ((Names{"c", "a", "b", "c", "a"}), Play(order, 5));
    EXPECT_FALSE(order.None());
    PlayOrder empty(PictureList::ByName);
    empty.EndWalk();
    EXPECT_TRUE(empty.None());
    EXPECT_EQ((Names{"(none)"}), Play(empty, 1));
}

// A folder that the walk delivers whole is shuffled as one list, as it always
// was: the same seed gives the same order and leaves the generator where the
// list's own shuffle does.
TEST(ShowWalkTest, OneFolderIsShuffledAsTheListShufflesIt) {
    const Names names = {"a", "b", "c", "d", "e", "f", "g"};
    PictureList list;
    for (const std::string& name : names) {
        list.Append()->name = name;
    }
    SeedRandom(5);
    list.Sort(PictureList::Shuffled);
    Names expected;
    for (const PictureEntry* e = list.First(); e != nullptr; e = list.Next()) {
        expected.push_back(e->name);
    }
    const int32_t nextDraw = NextRandom();

    PlayOrder order(PictureList::Shuffled);
    Deliver(order, names);
    order.EndWalk();
    SeedRandom(5);
    EXPECT_EQ(expected, Play(order, names.size()));
    EXPECT_EQ(nextDraw, NextRandom());
    EXPECT_EQ(expected, Play(order, names.size()));
}

// While the walk goes on, a shuffled show starts on the first picture found,
// then draws each from those found and not yet played, at random rather than
// the newest; every picture comes once before any comes again, and then the
// order repeats.
TEST(ShowWalkTest, AShuffledShowPlaysEveryPictureOnceBeforeAnyAgain) {
    Names first{"first"}, second(600), rest(30);
    for (std::size_t i = 0; i < second.size(); ++i) {
        second[i] = "second" + std::to_string(i);
    }
    for (std::size_t i = 0; i < rest.size(); ++i) {
        rest[i] = "rest" + std::to_string(i);
    }
    PlayOrder order(PictureList::Shuffled);
    SeedRandom(9);
    EXPECT_EQ((Names{"(none)"}), Play(order, 1));
    Deliver(order, first);
    EXPECT_EQ(first, Play(order, 1));
    Deliver(order, second);
    Names played = first;
    const Names drawn = Play(order, 499);
    EXPECT_NE(Names(second.rbegin(), second.rbegin() + 499), drawn);
    played.insert(played.end(), drawn.begin(), drawn.end());
    Deliver(order, rest);
    order.EndWalk();
    const Names more = Play(order, first.size() + second.size() + rest.size() - 500);
    played.insert(played.end(), more.begin(), more.end());

    Names all = first;
    all.insert(all.end(), second.begin(), second.end());
    all.insert(all.end(), rest.begin(), rest.end());
    Names sorted = played;
    std::sort(sorted.begin(), sorted.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, sorted);
    EXPECT_EQ(played, Play(order, played.size()));
}

// Name order, resumed after a picture, one taken unseen: the picture before the
// next one comes first. A deleted picture is passed over in the walk's order
// (a folder's own pictures first), the order waits until the walk has gone
// past the point, and wraps at the end.
TEST(ShowWalkTest, ByNameAFullScreenShowGoesOnAfterTheLastPictureDrawn) {
    for (const auto& [last, expected] : std::vector<std::pair<std::string, Names>>{
             {"2023\\b.jpg", {"(none)", "2023\\a.jpg", "2023\\c.jpg", "a.jpg"}},
             {"c.jpg", {"(none)", "c.jpg", "2023\\a.jpg", "2023\\c.jpg"}},
             {"2023\\c.jpg", {"(none)", "2023\\c.jpg", "a.jpg", "c.jpg"}}}) {
        ShowMemory memory{"C:\\p", true, last, {}};
        PlayOrder order(PictureList::ByName);
        order.GoOnFrom(memory, 1);
        Deliver(order, {"a.jpg", "c.jpg"});
        Names played = Play(order, 1);
        Deliver(order, {"2023\\a.jpg", "2023\\c.jpg"});
        order.EndWalk();
        const Names more = Play(order, 3);
        played.insert(played.end(), more.begin(), more.end());
        EXPECT_EQ(expected, played) << last;
    }
}

// Shuffled, what recent shows drew comes after all the others, each picture
// once (while the walk goes on and has found only those, one of them comes
// rather than nothing); then the seen ones start again, as they do once every
// picture has been handed out since.
TEST(ShowWalkTest, AShuffledFullScreenShowHoldsBackWhatRecentShowsDrew) {
    ShowMemory memory{"", false, "", SeenPictures({PictureHash("s1"), PictureHash("s2")})};
    memory.seen.Add("s3");
    PlayOrder order(PictureList::Shuffled);
    order.GoOnFrom(memory, 1);
    Deliver(order, {"s1", "n1", "s2"});
    EXPECT_EQ((Names{"n1"}), Play(order, 1));
    const Names early = Play(order, 1);
    EXPECT_TRUE(early[0] == "s1" || early[0] == "s2") << early[0];
    Deliver(order, {"n2", "s3", "n3"});
    order.EndWalk();
    Names played = Play(order, 2);
    std::sort(played.begin(), played.end());
    EXPECT_TRUE(played == (Names{"n2", "n3"}) && !memory.seen.Empty());
    played = Play(order, 2);
    played.push_back(early[0]);
    std::sort(played.begin(), played.end());
    EXPECT_TRUE(played == (Names{"s1", "s2", "s3"}) && memory.seen.Empty());
    memory.seen.Add("n1"); // drawn since
    Play(order, 4);
    EXPECT_FALSE(memory.seen.Empty());
    Play(order, 1);
    EXPECT_TRUE(memory.seen.Empty());
}

// The state reads back as stored, the oldest seen forgotten beyond the
// capacity; a part that cannot be read, another folder or the other choice of
// subfolders make a first show.
TEST(ShowWalkTest, TheStoredStateReadsBackOrMakesAFirstShow) {
    ShowMemory memory{"C:\\p", true, "2023\\a.jpg", {}};
    for (std::size_t i = 0; i <= SeenPictures::Capacity; ++i) {
        memory.seen.Add(std::to_string(i));
    }
    memory.seen.Add("1");
    const StoredMemory stored = EncodeMemory(memory);
    const ShowMemory read = MemoryFor(DecodeMemory(stored), "C:\\p", true);
    EXPECT_EQ("2023\\a.jpg", read.last);
    EXPECT_EQ(memory.seen.Hashes(), read.seen.Hashes());
    EXPECT_TRUE(!read.seen.Contains("0") && read.seen.Hashes().back() == PictureHash("1"));
    EXPECT_EQ(0xaf63dc4c8601ec8cu, PictureHash("a")); // FNV-1a, on every build
    StoredMemory broken = stored, halfHash = stored, missing = stored;
    broken.seen.pop_back();
    halfHash.seen.resize(stored.seen.size() - 4);
    missing.subfolders = -1;
    for (const ShowMemory& first :
         {MemoryFor(DecodeMemory(broken), "C:\\p", true),
          MemoryFor(DecodeMemory(halfHash), "C:\\p", true),
          MemoryFor(DecodeMemory(missing), "C:\\p", true), MemoryFor(read, "C:\\q", true),
          MemoryFor(read, "C:\\p", false)}) {
        EXPECT_TRUE(first.last.empty() && first.seen.Empty());
    }
}
