#include "library/picture_list.h"

#include "common/random.h"
#include "tests/support/random_seed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {
std::vector<PictureEntry*> Fill(PictureList& list, const std::vector<std::string>& names) {
    std::vector<PictureEntry*> entries;
    for (const std::string& name : names) {
        PictureEntry* entry = list.Append();
        EXPECT_TRUE(entry->name.empty());
        entry->name = name;
        entries.push_back(entry);
    }
    return entries;
}

// One pass from the first entry, as the show starts after sorting.
std::vector<std::string> Walk(PictureList& list) {
    std::vector<std::string> names;
    for (PictureEntry* e = list.First(); e != nullptr; e = list.Next()) {
        names.push_back(e->name);
    }
    return names;
}

std::vector<std::string> SortedByName(const std::vector<std::string>& names) {
    PictureList list;
    Fill(list, names);
    list.Sort(PictureList::ByName);
    return Walk(list);
}

using Names = std::vector<std::string>;
} // namespace

TEST(PictureListTest, EmptyListHandsOutNothing) {
    PictureList list;
    list.Sort(PictureList::ByName);
    list.Sort(PictureList::Shuffled);
    EXPECT_EQ(nullptr, list.First());
    EXPECT_EQ(nullptr, list.Next());
}

TEST(PictureListTest, OneEntryIsFirstEveryTime) {
    PictureList list;
    PictureEntry* only = Fill(list, {"only.jpg"})[0];
    list.Sort(PictureList::ByName);
    EXPECT_EQ(nullptr, list.Next());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(only, list.First());
        EXPECT_EQ(nullptr, list.Next());
    }
}

TEST(PictureListTest, ByNameComparesBytesCaseSensitively) {
    EXPECT_EQ((Names{"A.jpg", "a.jpg", "b.jpg"}), SortedByName({"b.jpg", "A.jpg", "a.jpg"}));
    EXPECT_EQ((Names{"Zebra.jpg", "apple.jpg"}), SortedByName({"apple.jpg", "Zebra.jpg"}));
}

TEST(PictureListTest, ANameAndItsPrefixKeepTheirOrderEitherWay) {
    EXPECT_EQ((Names{"x.jpg.jpg", "x.jpg"}), SortedByName({"x.jpg.jpg", "x.jpg"}));
    EXPECT_EQ((Names{"x.jpg", "x.jpg.jpg"}), SortedByName({"x.jpg", "x.jpg.jpg"}));
}

TEST(PictureListTest, HighBytesSortBeforeAscii) {
    // 0x80 is -128 and 0xE9 is -23 as signed bytes.
    EXPECT_EQ((Names{"\x80.jpg", "\xE9t\xE9.jpg", "0.jpg", "ete.jpg"}),
              SortedByName({"ete.jpg", "\xE9t\xE9.jpg", "0.jpg", "\x80.jpg"}));
}

TEST(PictureListTest, SortLeavesTheCursorSoTheWalkStartsAtTheFirstAndWraps) {
    PictureList list;
    Fill(list, {"c.jpg", "a.jpg", "b.jpg"});
    list.First();
    list.Sort(PictureList::ByName);
    // The show's step: Next, and First when Next has nothing.
    std::vector<std::string> shown;
    for (int i = 0; i < 7; ++i) {
        PictureEntry* e = list.Next();
        if (e == nullptr) {
            e = list.First();
        }
        shown.push_back(e->name);
    }
    EXPECT_EQ((Names{"a.jpg", "b.jpg", "c.jpg", "a.jpg", "b.jpg", "c.jpg", "a.jpg"}), shown);
}

// Many entries with repeated names, high bytes included: the result is the
// stable order by signed bytes, every entry once.
TEST(PictureListTest, ByNameIsAStableSortOfManyEntries) {
    std::mt19937 generator(7);
    const char alphabet[] = {'a', 'B', 'b', '\x90', '\xF0', '1'};
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) {
        std::string name;
        for (int k = 0; k < 3; ++k) {
            name += alphabet[generator() % sizeof alphabet];
        }
        names.push_back(name + ".jpg");
    }
    PictureList list;
    std::vector<PictureEntry*> expected = Fill(list, names);
    std::stable_sort(expected.begin(), expected.end(), [](PictureEntry* x, PictureEntry* y) {
        for (std::size_t i = 0; i < x->name.size(); ++i) {
            if (x->name[i] != y->name[i]) {
                return static_cast<signed char>(x->name[i]) < static_cast<signed char>(y->name[i]);
            }
        }
        return false;
    });
    list.Sort(PictureList::ByName);
    std::vector<PictureEntry*> actual;
    for (PictureEntry* e = list.First(); e != nullptr; e = list.Next()) {
        actual.push_back(e);
    }
    EXPECT_EQ(expected, actual);
}

// Appended a, b, c, d with seed 1 (draws 41, 18467, 6334, 26500): b goes right
// of a, c left of a, d right of a and left of b.
TEST(PictureListTest, ASeedGivesItsShuffleOneDrawPerComparison) {
    PictureList list;
    Fill(list, {"a", "b", "c", "d"});
    SeedRandom(1);
    list.Sort(PictureList::Shuffled);
    EXPECT_EQ((Names{"c", "a", "d", "b"}), Walk(list));
    EXPECT_EQ(19169, NextRandom());
}

TEST(PictureListTest, TheShuffleCoinTurnsAbove16383) {
    for (const auto& [draw, expected] :
         {std::pair{16383, Names{"a", "b"}}, std::pair{16384, Names{"b", "a"}}}) {
        PictureList list;
        Fill(list, {"a", "b"});
        SeedRandom(SeedYielding(draw));
        list.Sort(PictureList::Shuffled);
        EXPECT_EQ(expected, Walk(list)) << "draw " << draw;
    }
}

// The list remembers its last entry: appends after a sort or a clear still go
// to the end of the list as it is then.
TEST(PictureListTest, AppendGoesToTheEndAfterSortAndClear) {
    PictureList list;
    Fill(list, {"c.jpg", "a.jpg", "b.jpg"});
    list.Sort(PictureList::ByName);
    Fill(list, {"0.jpg"});
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "0.jpg"}), Walk(list));
    list.Clear();
    EXPECT_EQ(nullptr, list.First());
    Fill(list, {"x.jpg", "y.jpg"});
    EXPECT_EQ((std::vector<std::string>{"x.jpg", "y.jpg"}), Walk(list));
}

namespace {
// The plain tree sort, as a reference: each name in listing order goes down
// the tree; then the leftmost name is taken out again and again.
Names TreeSorted(const Names& names, PictureList::Order order) {
    const auto greater = [order](const std::string& a, const std::string& b) {
        if (order == PictureList::Shuffled) {
            return NextRandom() > 16383;
        }
        const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
        return x != a.end() && y != b.end() &&
               static_cast<signed char>(*x) > static_cast<signed char>(*y);
    };
    std::vector<std::size_t> left(names.size(), SIZE_MAX), right = left;
    std::size_t root = names.empty() ? SIZE_MAX : 0;
    for (std::size_t q = 1; q < names.size(); ++q) {
        std::size_t* link = &root;
        while (*link != SIZE_MAX) {
            link = greater(names[*link], names[q]) ? &left[*link] : &right[*link];
        }
        *link = q;
    }
    Names sorted;
    for (std::size_t* link = &root; root != SIZE_MAX; link = &root) {
        while (left[*link] != SIZE_MAX) {
            link = &left[*link];
        }
        sorted.push_back(names[*link]);
        *link = right[*link];
    }
    return sorted;
}
} // namespace

// Thousands of small lists (repeated names, names that start others, bytes of
// 128 and more; unsorted, sorted, reversed): order and generator as the reference.
TEST(PictureListTest, BothOrdersMatchThePlainTreeSort) {
    std::mt19937 generator(11);
    for (uint32_t round = 0; round < 3000; ++round) {
        Names names(generator() % 40);
        for (std::string& name : names) {
            name.resize(round % 2 == 0 ? 3 : 1 + generator() % 4);
            std::generate(name.begin(), name.end(), [&] { return "aB.\x80\xFF"[generator() % 5]; });
            name.insert(0, generator() % 3 == 0 ? "zzzzzzzzz" : "");
        }
        if (round % 3 != 0) {
            std::sort(names.begin(), names.end(), [round](const auto& a, const auto& b) {
                return round % 3 == 1 ? a < b : b < a;
            });
        }
        for (const PictureList::Order order : {PictureList::ByName, PictureList::Shuffled}) {
            PictureList list;
            Fill(list, names);
            SeedRandom(round);
            const std::pair<Names, int32_t> expected{TreeSorted(names, order), NextRandom()};
            SeedRandom(round);
            list.Sort(order);
            const std::pair<Names, int32_t> actual{Walk(list), NextRandom()};
            ASSERT_EQ(expected, actual) << "round " << round << ", order " << order;
        }
    }
}
