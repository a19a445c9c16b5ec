// Pictures in pairs: the partner searched for among the next pictures of the
// playing order by the shapes the worker read, brought forward and not shown
// again in its own place; what a show keeps of a pair; the pair as one picture.
#include "library/play_order.h"
#include "picture/pixel_buffer.h"
#include "show/partner_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {
using Shapes = std::map<std::string, PictureSize>;
constexpr PictureSize Tall{3, 4};
constexpr PictureSize Wide{4, 3};

void Deliver(PlayOrder& order, const Shapes& shapes, std::size_t from, std::size_t to) {
    PictureList folder;
    for (auto shape = std::next(shapes.begin(), long(from)); from++ < to; ++shape) {
        folder.Append()->name = shape->first;
    }
    order.Add(folder);
}

// The next screen, its headers read as the window has the worker read them:
// "name" or "name+partner".
std::string NextScreen(PartnerSearch& search, PlayOrder& order, Pairing pairing,
                       const Shapes& shapes) {
    for (const std::string& name : search.ToRead(order)) {
        search.Read(name, shapes.at(name));
    }
    const ScreenNames screen = search.Choose(pairing, order.Next()->name, order);
    return screen.name + (screen.partner.empty() ? "" : "+" + screen.partner);
}

Picture Filled(int32_t width, int32_t height, uint32_t colour) {
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    std::fill_n(pixels.get(), width * height, colour);
    Picture picture;
    picture.Adopt(width, height, std::move(pixels));
    return picture;
}
} // namespace

// The partner is the first of the next 10 that pairs as the picture does: on
// a landscape stage a portrait, on a portrait stage a landscape; an 11th is
// too far, and the picture shows alone.
TEST(PartnerSearchTest, ThePartnerIsSearchedForAmongTheNextTen) {
    for (const Pairing pairing : {Pairing::SideBySide, Pairing::TopAndBottom}) {
        const PictureSize pairs = pairing == Pairing::SideBySide ? Tall : Wide;
        for (const std::string far : {"k", "l"}) { // the 10th after "a", the 11th
            Shapes shapes;
            for (const char name : std::string("abcdefghijklm")) {
                shapes[std::string(1, name)] = pairs.width == 3 ? Wide : Tall;
            }
            shapes["a"] = shapes[far] = shapes["m"] = pairs;
            PlayOrder order(PictureList::ByName);
            Deliver(order, shapes, 0, shapes.size());
            order.EndWalk();
            PartnerSearch search;
            std::vector<std::string> screens(12);
            for (std::string& screen : screens) {
                screen = NextScreen(search, order, pairing, shapes);
            }
            EXPECT_EQ(far == "k" ? "a+k" : "a", screens[0]);
            EXPECT_EQ(far == "k" ? "m+a" : "l+m", screens[11]);
            EXPECT_EQ(screens.end(), std::find(screens.begin(), screens.end(), far))
                << "the partner is shown again in its own place";
        }
    }
}

// Shuffled, while the walk goes on and after it, a pass shows every picture
// once, partners included.
TEST(PartnerSearchTest, AShuffledPassShowsEveryPictureOnce) {
    Shapes shapes;
    for (int i = 0; i < 40; ++i) {
        shapes["p" + std::to_string(i)] = i % 3 == 0 ? Wide : Tall;
    }
    PlayOrder order(PictureList::Shuffled);
    Deliver(order, shapes, 0, 20);
    PartnerSearch search;
    std::vector<std::string> shown;
    while (shown.size() < 40) {
        if (shown.size() >= 6 && !order.WalkOver()) {
            Deliver(order, shapes, 20, 40);
            order.EndWalk();
        }
        std::istringstream names(NextScreen(search, order, Pairing::SideBySide, shapes));
        for (std::string name; std::getline(names, name, '+');) {
            shown.push_back(name);
        }
    }
    EXPECT_EQ(40u, std::set<std::string>(shown.begin(), shown.begin() + 40).size());
}

// Both pictures of a pair count as seen, and a show in name order goes on
// after the first.
TEST(PartnerSearchTest, BothPicturesOfAPairAreRemembered) {
    ShowMemory memory;
    memory.Drew("c", "e");
    EXPECT_TRUE(memory.seen.Contains("c") && memory.seen.Contains("e"));
    PlayOrder order(PictureList::ByName);
    order.GoOnFrom(memory, 0);
    Deliver(order, {{"b", Tall}, {"c", Tall}, {"d", Wide}, {"e", Tall}}, 0, 4);
    EXPECT_EQ("d", order.Next()->name);
}

// The gap and the half boxes follow the stage; a failed picture of a pair
// leaves the other alone, under its own name.
TEST(PartnerSearchTest, APairTakesHalfBoxes) {
    EXPECT_EQ(Pairing::None, PairingOf(600, 600));
    EXPECT_FALSE(Pairs(Pairing::SideBySide, {5, 5}));
    EXPECT_EQ(19, PairGap(Pairing::TopAndBottom, 1080, 1920));
    EXPECT_EQ(1, PairGap(Pairing::SideBySide, 40, 30));
    EXPECT_EQ(950, HalfBox(PairingOf(1920, 1080), {1920, 1080}, 19).width);
    for (const bool firstFails : {true, false}) {
        Picture first = Filled(1, 1, 0), partner = Filled(1, 1, 0);
        (firstFails ? first : partner).Fail();
        std::string name = "a", partnerName = "b";
        LeaveFailedAlone(first, name, partner, partnerName);
        EXPECT_TRUE(first.IsDrawable() && partnerName.empty());
        EXPECT_EQ(firstFails ? "b" : "a", name);
    }
}
