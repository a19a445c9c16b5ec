// A fade's arithmetic and its frames: exact at both ends, within a level of the
// mix between, and the frames in their order and places.
#include "display/display_format.h"
#include "display/dither.h"
#include "picture/pixel_buffer.h"
#include "picture/pixel_mix.h"
#include "show/fade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace {
int Channel(uint32_t pixel, int shift) {
    return static_cast<int>(pixel >> shift & 0xFF);
}

Picture Solid(int32_t width, int32_t height, uint32_t colour) {
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    std::fill(pixels.get(), pixels.get() + width * height, colour);
    Picture picture;
    picture.Adopt(width, height, std::move(pixels));
    return picture;
}
} // namespace

// Every channel on its own, with no carry between them, whatever the pixels,
// on every path the processor runs: the plain path's bits, at any start and
// length (the wider steps and the pixels before and after them).
TEST(FadeTest, MixesEachChannelExactlyAtTheEndsAndWithinALevelBetween) {
    std::mt19937 random(3);
    std::vector<uint32_t> from(4099), to(4099), out(4099), plain(4099);
    for (size_t i = 0; i < from.size(); ++i) {
        from[i] = random() & 0x00FFFFFF;
        to[i] = random() & 0x00FFFFFF;
    }
    from[0] = 0x00FFFFFF;
    to[0] = 0;
    for (int level = 0; level <= FadeLevels; ++level) {
        MixPixels(SimdPath::Plain, from.data(), to.data(), out.data(), out.size(), level);
        for (size_t i = 0; i < out.size(); ++i) {
            ASSERT_EQ(0u, out[i] >> 24);
            for (int shift : {0, 8, 16}) {
                const double exact =
                    Channel(from[i], shift) +
                    (Channel(to[i], shift) - Channel(from[i], shift)) * level / double(FadeLevels);
                ASSERT_LE(std::abs(Channel(out[i], shift) - exact), 1.0)
                    << "level " << level << ", pixel " << i;
            }
        }
        if (level == 0) {
            EXPECT_EQ(from, out);
        } else if (level == FadeLevels) {
            EXPECT_EQ(to, out);
        }
        const uint32_t* const sides[][2] = {
            {from.data(), to.data()}, {from.data(), nullptr}, {nullptr, to.data()}, {}};
        for (const SimdPath path : SimdPaths) {
            for (size_t start = 0; ProcessorRuns(path) && start < 9; ++start) {
                const size_t count = out.size() - 2 * start;
                for (const auto& side : sides) {
                    const uint32_t* a = side[0] != nullptr ? side[0] + start : nullptr;
                    const uint32_t* b = side[1] != nullptr ? side[1] + start : nullptr;
                    MixPixels(SimdPath::Plain, a, b, plain.data() + start, count, level);
                    MixPixels(path, a, b, out.data() + start, count, level);
                    ASSERT_TRUE(std::equal(plain.begin() + long(start),
                                           plain.begin() + long(start + count),
                                           out.begin() + long(start)))
                        << SimdPathName(path) << ", level " << level << ", from " << start;
                }
            }
        }
    }
    // Black on either side.
    MixPixels(from.data(), nullptr, out.data(), 1, 8);
    EXPECT_EQ(0x007F7F7Fu, out[0]);
    MixPixels(nullptr, from.data(), out.data(), 1, 4);
    EXPECT_EQ(0x003F3F3Fu, out[0]);
    MixPixels(nullptr, nullptr, out.data(), 1, 4);
    EXPECT_EQ(0u, out[0]);
}

// Without Overlap the new screen dissolves straight out of the previous one
// over the union of their places: halfway, both are there at half strength
// where they meet, each half itself against black where it lies alone, and the
// last frame is the new screen alone on black. With Overlap it fades in over
// what is beneath it. End gives the last frame at once.
TEST(FadeTest, ANewScreenDissolvesOutOfThePreviousOne) {
    const Picture next = Solid(4, 2, 0x00F0F0F0);
    const Picture previous = Solid(4, 2, 0x00808080);
    Fade cross({12, 20, 4, 2}, Picture(), DevicePlace{10, 20, 4, 2});
    EXPECT_EQ(10, cross.Place().x);
    EXPECT_EQ(6, cross.Place().width);
    for (int k = 1; k < FadeInFrames / 2; ++k) {
        ASSERT_TRUE(cross.Step());
    }
    const Picture* halfway = cross.Frame(&previous, next);
    ASSERT_NE(nullptr, halfway);
    ASSERT_EQ(6, halfway->Width());
    EXPECT_EQ(0x40u, halfway->Pixels()[0] & 0xFF);  // the previous alone
    EXPECT_EQ(0xB8u, halfway->Pixels()[2] & 0xFF);  // both
    EXPECT_EQ(0x78u, halfway->Pixels()[11] & 0xFF); // the new one alone
    while (cross.Step()) {
    }
    const Picture* last = cross.Frame(&previous, next);
    EXPECT_EQ(0u, last->Pixels()[6]);
    EXPECT_EQ(0x00F0F0F0u, last->Pixels()[11]);

    Fade over({0, 0, 2, 2}, Solid(2, 2, 0x00FF0000), std::nullopt);
    // (255 x 15 + 240) / 16 and 240 / 16
    EXPECT_EQ(0x00FE0F0Fu, over.Frame(nullptr, Solid(2, 2, 0x00F0F0F0))->Pixels()[3]);

    Fade cut({5, 6, 2, 2}, Picture(), DevicePlace{0, 0, 2, 2});
    cut.End();
    EXPECT_EQ(0x00112233u, cut.Frame(&previous, Solid(2, 2, 0x00112233))->Pixels()[5 + 6 * 7]);
    EXPECT_FALSE(cut.Step());
}

// A frame made from a picture dithered for an earlier draw is a fresh mix, to
// be dithered again before it is drawn on a display that needs the dither.
TEST(FadeTest, AMixedFrameIsUndithered) {
    Picture frame = Solid(4, 4, 0x00808080);
    ASSERT_TRUE(PrepareDraw(frame, ClassifyDisplay(16)));
    ASSERT_EQ(Picture::State::Dithered, frame.GetState());
    frame.Mix(nullptr, nullptr, 0);
    EXPECT_EQ(Picture::State::Ready, frame.GetState());
}

// What lies beneath a screen that is of another size than what could be read
// back is not mixed in: the screen fades in over black, and nothing is read
// past the smaller picture's end.
TEST(FadeTest, AScreenFadesInOverBlackWhenWhatIsBeneathIsOfAnotherSize) {
    Fade fade({0, 0, 64, 64}, Solid(2, 2, 0x00FFFFFF), std::nullopt);
    const Picture* first = fade.Frame(nullptr, Solid(64, 64, 0x00F0F0F0));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0x000F0F0Fu, first->Pixels()[64 * 64 - 1]); // 240 / 16
}
