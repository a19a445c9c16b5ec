// The three fixed reductions of a picture's pixels, each computed per colour
// channel in integer arithmetic with every division dropping the fraction.
#include "picture/picture.h"

#include "picture/pixel_buffer.h"
#include "picture/reduced_size.h"

#include <algorithm>

namespace {
uint32_t Red(uint32_t p) {
    return (p >> 16) & 0xFF;
}
uint32_t Green(uint32_t p) {
    return (p >> 8) & 0xFF;
}
uint32_t Blue(uint32_t p) {
    return p & 0xFF;
}
uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

// Red and blue side by side in 16-bit lanes, green alone: up to 256 such values
// add up without one channel's sum reaching into another's.
constexpr uint32_t RedBlue = 0x00FF00FF;
constexpr uint32_t GreenOnly = 0x0000FF00;

// Per channel (a + b) / 2.
uint32_t Mean2(uint32_t a, uint32_t b) {
    const uint32_t redBlue = (a & RedBlue) + (b & RedBlue);
    const uint32_t green = (a & GreenOnly) + (b & GreenOnly);
    return ((redBlue >> 1) & RedBlue) | ((green >> 1) & GreenOnly);
}

// Per channel (a + b + c + d) / 4.
uint32_t Mean4(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    const uint32_t redBlue = (a & RedBlue) + (b & RedBlue) + (c & RedBlue) + (d & RedBlue);
    const uint32_t green = (a & GreenOnly) + (b & GreenOnly) + (c & GreenOnly) + (d & GreenOnly);
    return ((redBlue >> 2) & RedBlue) | ((green >> 2) & GreenOnly);
}

// Per channel (2a + b) / 3.
uint32_t Third(uint32_t a, uint32_t b) {
    return Rgb((2 * Red(a) + Red(b)) / 3, (2 * Green(a) + Green(b)) / 3,
               (2 * Blue(a) + Blue(b)) / 3);
}

// Per channel (4a + 2b + 2c + d) / 9: a is the nearest of a 2 x 2 group, d the farthest.
uint32_t Ninth(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return Rgb((4 * Red(a) + 2 * (Red(b) + Red(c)) + Red(d)) / 9,
               (4 * Green(a) + 2 * (Green(b) + Green(c)) + Green(d)) / 9,
               (4 * Blue(a) + 2 * (Blue(b) + Blue(c)) + Blue(d)) / 9);
}

// The pixels of a width x height picture made newWidth x newHeight, its last
// column and then its last row repeated.
std::unique_ptr<uint32_t[]> Extended(const uint32_t* pixels, int32_t width, int32_t height,
                                     int32_t newWidth, int32_t newHeight) {
    std::unique_ptr<uint32_t[]> out = AllocatePixels(newWidth, newHeight);
    for (int32_t y = 0; out && y < newHeight; ++y) {
        uint32_t* row = out.get() + size_t(y) * size_t(newWidth);
        if (y < height) {
            const uint32_t* from = pixels + size_t(y) * size_t(width);
            std::copy(from, from + width, row);
            std::fill(row + width, row + newWidth, from[width - 1]);
        } else {
            std::copy(row - newWidth, row, row);
        }
    }
    return out;
}

// The first newWidth pixels of the first newHeight rows of a picture `width` wide.
std::unique_ptr<uint32_t[]> Cut(const uint32_t* pixels, int32_t width, int32_t newWidth,
                                int32_t newHeight) {
    std::unique_ptr<uint32_t[]> out = AllocatePixels(newWidth, newHeight);
    for (int32_t y = 0; out && y < newHeight; ++y) {
        const uint32_t* from = pixels + size_t(y) * size_t(width);
        std::copy(from, from + newWidth, out.get() + size_t(y) * size_t(newWidth));
    }
    return out;
}
} // namespace

// A picture with a side shorter than the reduction's block is first made one
// block long that way, its last pixels repeated, and that side is then cut to
// the one pixel ReducedSide gives it: the first of a block's samples, which
// takes the block's first pixel alone (the half: with its repeat), so the
// picture's own.
void Picture::Resize(Reduction kind) {
    if (!IsDrawable()) {
        return;
    }
    const int32_t block = ReductionBlock(kind);
    const int32_t outWidth = ReducedSide(kind, width);
    const int32_t outHeight = ReducedSide(kind, height);
    if (width > 0 && height > 0 && (width < block || height < block)) {
        const int32_t longWidth = std::max(width, block), longHeight = std::max(height, block);
        std::unique_ptr<uint32_t[]> extended =
            Extended(pixels.get(), width, height, longWidth, longHeight);
        if (!extended) {
            Fail();
            return;
        }
        HoldPixels(std::move(extended), longWidth, longHeight);
    }
    switch (kind) {
    case Reduction::TwoThirds:
        ReduceTwoThirds();
        break;
    case Reduction::ThreeQuarters:
        ReduceThreeQuarters();
        break;
    case Reduction::Half:
        Halve();
        break;
    }
    if (IsDrawable() && (width != outWidth || height != outHeight)) {
        std::unique_ptr<uint32_t[]> cut = Cut(pixels.get(), width, outWidth, outHeight);
        if (!cut) {
            Fail();
            return;
        }
        HoldPixels(std::move(cut), outWidth, outHeight);
    }
    SetFrame({width, height});
}

// Each 2 x 2 block becomes one pixel, its mean. An odd last row or column is dropped.
void Picture::Halve() {
    const int32_t outWidth = ReducedSide(Reduction::Half, width);
    const int32_t outHeight = ReducedSide(Reduction::Half, height);
    std::unique_ptr<uint32_t[]> out = AllocatePixels(outWidth, outHeight);
    if (!out) {
        Fail();
        return;
    }
    for (int32_t i = 0; i < outHeight; ++i) {
        const uint32_t* s0 = pixels.get() + size_t(2 * i) * size_t(width);
        const uint32_t* s1 = s0 + width;
        uint32_t* o = out.get() + size_t(i) * size_t(outWidth);
        for (int32_t j = 0; j < outWidth; ++j) {
            o[j] = Mean4(s0[2 * j], s0[2 * j + 1], s1[2 * j], s1[2 * j + 1]);
        }
    }
    HoldPixels(std::move(out), outWidth, outHeight);
}

// Each 3 x 3 block b becomes 2 x 2 pixels, sampled at block positions 0 and 1.5:
//   b00            (b01 + b02) / 2
//   (b10 + b20)/2  (b11 + b12 + b21 + b22) / 4
// The rows and columns left over at the right and bottom are dropped.
void Picture::ReduceTwoThirds() {
    const int32_t blocksAcross = width / 3;
    const int32_t blocksDown = height / 3;
    const int32_t outWidth = ReducedSide(Reduction::TwoThirds, width);
    const int32_t outHeight = ReducedSide(Reduction::TwoThirds, height);
    std::unique_ptr<uint32_t[]> out = AllocatePixels(outWidth, outHeight);
    if (!out) {
        Fail();
        return;
    }
    for (int32_t bi = 0; bi < blocksDown; ++bi) {
        const uint32_t* s0 = pixels.get() + size_t(3 * bi) * size_t(width);
        const uint32_t* s1 = s0 + width;
        const uint32_t* s2 = s1 + width;
        uint32_t* o0 = out.get() + size_t(2 * bi) * size_t(outWidth);
        uint32_t* o1 = o0 + outWidth;
        for (int32_t bj = 0; bj < blocksAcross; ++bj) {
            const int32_t x = 3 * bj;
            o0[2 * bj] = s0[x];
            o0[2 * bj + 1] = Mean2(s0[x + 1], s0[x + 2]);
            o1[2 * bj] = Mean2(s1[x], s2[x]);
            o1[2 * bj + 1] = Mean4(s1[x + 1], s1[x + 2], s2[x + 1], s2[x + 2]);
        }
    }
    HoldPixels(std::move(out), outWidth, outHeight);
}

// Each 4 x 4 block b becomes 3 x 3 pixels, sampled at block positions 0, 4/3 and
// 8/3: position 0 takes index 0 alone, 4/3 takes index 1 twice and index 2 once,
// 8/3 takes index 2 once and index 3 twice, in both directions; a pixel's weight
// is its row weight times its column weight. The rows and columns left over at
// the right and bottom are dropped.
void Picture::ReduceThreeQuarters() {
    const int32_t blocksAcross = width / 4;
    const int32_t blocksDown = height / 4;
    const int32_t outWidth = ReducedSide(Reduction::ThreeQuarters, width);
    const int32_t outHeight = ReducedSide(Reduction::ThreeQuarters, height);
    std::unique_ptr<uint32_t[]> out = AllocatePixels(outWidth, outHeight);
    if (!out) {
        Fail();
        return;
    }
    for (int32_t bi = 0; bi < blocksDown; ++bi) {
        const uint32_t* s0 = pixels.get() + size_t(4 * bi) * size_t(width);
        const uint32_t* s1 = s0 + width;
        const uint32_t* s2 = s1 + width;
        const uint32_t* s3 = s2 + width;
        uint32_t* o0 = out.get() + size_t(3 * bi) * size_t(outWidth);
        uint32_t* o1 = o0 + outWidth;
        uint32_t* o2 = o1 + outWidth;
        for (int32_t bj = 0; bj < blocksAcross; ++bj) {
            const int32_t x = 4 * bj;
            const int32_t j = 3 * bj;
            o0[j] = s0[x];
            o0[j + 1] = Third(s0[x + 1], s0[x + 2]);
            o0[j + 2] = Third(s0[x + 3], s0[x + 2]);
            o1[j] = Third(s1[x], s2[x]);
            o1[j + 1] = Ninth(s1[x + 1], s1[x + 2], s2[x + 1], s2[x + 2]);
            o1[j + 2] = Ninth(s1[x + 3], s1[x + 2], s2[x + 3], s2[x + 2]);
            o2[j] = Third(s3[x], s2[x]);
            o2[j + 1] = Ninth(s3[x + 1], s3[x + 2], s2[x + 1], s2[x + 2]);
            o2[j + 2] = Ninth(s3[x + 3], s3[x + 2], s2[x + 3], s2[x + 2]);
        }
    }
    HoldPixels(std::move(out), outWidth, outHeight);
}
