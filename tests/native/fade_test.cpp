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

// Without Overlap: the previous picture fades out where it is, the stage is
// cleared, the new one fades in over black and ends as itself. With Overlap: it
// fades in over the pixels beneath it. Last ends a fade at once.
TEST(FadeTest, TheFramesComeInTheirOrderAndPlaces) {
    Fade cleared(Solid(4, 2, 0x00F0F0F0), 10, 20, Picture(), Solid(3, 3, 0x00808080), 1, 2);
    for (int k = 1; k <= FadeOutFrames; ++k) {
        const std::optional<Fade::Frame> frame = cleared.Next();
        ASSERT_TRUE(frame);
        EXPECT_EQ(1, frame->x);
        EXPECT_EQ(2, frame->y);
        EXPECT_FALSE(frame->clearFirst);
        EXPECT_EQ(0x80u * (FadeOutFrames - k) / FadeOutFrames, frame->pixels.Pixels()[0] & 0xFF);
    }
    for (int k = 1; k <= FadeInFrames; ++k) {
        const std::optional<Fade::Frame> frame = cleared.Next();
        ASSERT_TRUE(frame);
        EXPECT_EQ(10, frame->x);
        EXPECT_EQ(20, frame->y);
        EXPECT_EQ(k == 1, frame->clearFirst);
        EXPECT_EQ(4, frame->pixels.Width());
        EXPECT_EQ(0xF0u * k / FadeInFrames, frame->pixels.Pixels()[7] & 0xFF);
    }
    EXPECT_FALSE(cleared.Next());

    Fade over(Solid(2, 2, 0x00000000), 0, 0, Solid(2, 2, 0x00FF0000), Picture(), 0, 0);
    const std::optional<Fade::Frame> first = over.Next();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->clearFirst);
    EXPECT_EQ(0x00EF0000u, first->pixels.Pixels()[3]); // 255 x 15 / 16

    Fade cut(Solid(2, 2, 0x00112233), 5, 6, Picture(), Solid(2, 2, 0x00FFFFFF), 0, 0);
    cut.Next();
    const Fade::Frame last = cut.Last();
    EXPECT_TRUE(last.clearFirst); // it was still fading out
    EXPECT_EQ(0x00112233u, last.pixels.Pixels()[0]);
    EXPECT_FALSE(cut.Next());
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

// What lies beneath a picture that is larger than what could be read back is
// not mixed in: the picture fades in over black, and nothing is read past the
// smaller picture's end.
TEST(FadeTest, APictureFadesInOverBlackWhenWhatIsBeneathIsOfAnotherSize) {
    Fade fade(Solid(64, 64, 0x00F0F0F0), 0, 0, Solid(2, 2, 0x00FFFFFF), Picture(), 0, 0);
    const std::optional<Fade::Frame> first = fade.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(0x000F0F0Fu, first->pixels.Pixels()[64 * 64 - 1]); // 240 / 16
    while (fade.Next()) {
    }
}
