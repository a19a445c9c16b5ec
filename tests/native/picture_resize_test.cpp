// The three reductions: sizes, the kernels' exact values, and the guard.
#include "decode/load_picture.h"
#include "picture/picture.h"
#include "picture/reduced_size.h"

#include "tests/support/picture_pixels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
uint32_t Grey(uint32_t v) {
    return v << 16 | v << 8 | v;
}
uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

using Reduction = Picture::Reduction;

void ExpectSize(Reduction kind, int32_t width, int32_t height, int32_t newWidth,
                int32_t newHeight) {
    SCOPED_TRACE(testing::Message() << int32_t(kind) << ": " << width << " x " << height);
    Picture picture;
    Fill(picture, width, height, std::vector<uint32_t>(size_t(width) * size_t(height)));
    picture.Resize(kind);
    EXPECT_EQ(newWidth, picture.Width());
    EXPECT_EQ(newHeight, picture.Height());
    EXPECT_NE(nullptr, picture.Pixels());
    // The header follows the size.
    EXPECT_EQ(newWidth, picture.Header()->bmiHeader.biWidth);
    EXPECT_EQ(-newHeight, picture.Header()->bmiHeader.biHeight);
}

TEST(PictureResizeTest, SizesDropTheRemainder) {
    ExpectSize(Reduction::Half, 5, 3, 2, 1);
    ExpectSize(Reduction::TwoThirds, 7, 5, 4, 2);
    ExpectSize(Reduction::ThreeQuarters, 10, 9, 6, 6);
    ExpectSize(Reduction::ThreeQuarters, 3, 100, 1, 75);
    ExpectSize(Reduction::Half, 1, 1, 1, 1);
}

TEST(PictureResizeTest, HalveAveragesEachChannel) {
    Picture picture;
    Fill(picture, 2, 2, {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(1, 1, 1)});
    picture.Resize(Reduction::Half);
    EXPECT_EQ(std::vector<uint32_t>{Grey(64)}, Pixels(picture));
}

TEST(PictureResizeTest, TwoThirdsSamplesAtZeroAndOneAndAHalf) {
    Picture picture;
    const std::vector<uint32_t> row = {Grey(0), Grey(10), Grey(21)};
    std::vector<uint32_t> block;
    for (int y = 0; y < 3; ++y) {
        block.insert(block.end(), row.begin(), row.end());
    }
    Fill(picture, 3, 3, block);
    picture.Resize(Reduction::TwoThirds);
    EXPECT_EQ((std::vector<uint32_t>{Grey(0), Grey(15), Grey(0), Grey(15)}), Pixels(picture));
}

TEST(PictureResizeTest, ThreeQuartersWeighsTwoToOne) {
    const uint32_t levels[4] = {0, 90, 180, 255};
    std::vector<uint32_t> columns, rows;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            columns.push_back(Grey(levels[x]));
            rows.push_back(Grey(levels[y]));
        }
    }
    Picture picture;
    Fill(picture, 4, 4, columns);
    picture.Resize(Reduction::ThreeQuarters);
    const std::vector<uint32_t> across = {Grey(0), Grey(120), Grey(230)};
    std::vector<uint32_t> expected;
    for (int y = 0; y < 3; ++y) {
        expected.insert(expected.end(), across.begin(), across.end());
    }
    EXPECT_EQ(expected, Pixels(picture));

    Fill(picture, 4, 4, rows);
    picture.Resize(Reduction::ThreeQuarters);
    EXPECT_EQ((std::vector<uint32_t>{Grey(0), Grey(0), Grey(0), Grey(120), Grey(120), Grey(120),
                                     Grey(230), Grey(230), Grey(230)}),
              Pixels(picture));
}

// Each output sample u of a block takes the source indices with the weights
// given for u; the weight of a pixel is its row weight times its column weight.
struct Kernel {
    Reduction kind;
    int block; // source pixels per block side
    int out;   // output pixels per block side
    int weights[3][4];
};

const Kernel Kernels[] = {
    {Reduction::Half, 2, 1, {{1, 1}}},
    {Reduction::TwoThirds, 3, 2, {{1, 0, 0}, {0, 1, 1}}},
    {Reduction::ThreeQuarters, 4, 3, {{1, 0, 0, 0}, {0, 2, 1, 0}, {0, 0, 1, 2}}},
};

// The kernel applied one channel at a time in the plainest way.
uint32_t Reference(const Kernel& k, const std::vector<uint32_t>& source, int32_t width, int by,
                   int bx, int v, int u) {
    uint32_t result = 0;
    int total = 0;
    bool copied = true;
    for (int shift = 0; shift <= 16; shift += 8) {
        int sum = 0;
        total = 0;
        int nonZero = 0;
        for (int y = 0; y < k.block; ++y) {
            for (int x = 0; x < k.block; ++x) {
                const int w = k.weights[v][y] * k.weights[u][x];
                const uint32_t s = source[size_t(by * k.block + y) * width + bx * k.block + x];
                sum += w * int((s >> shift) & 0xFF);
                total += w;
                nonZero += w != 0;
            }
        }
        copied = nonZero == 1;
        result |= uint32_t(sum / total) << shift;
    }
    if (copied) {
        // A copied pixel keeps its fourth byte too.
        for (int y = 0; y < k.block; ++y) {
            for (int x = 0; x < k.block; ++x) {
                if (k.weights[v][y] * k.weights[u][x] != 0) {
                    return source[size_t(by * k.block + y) * width + bx * k.block + x];
                }
            }
        }
    }
    return result;
}

// Random pixels, fourth bytes included, against the plain kernels: any carry
// from one channel into another or a misplaced weight shows.
TEST(PictureResizeTest, KernelsMatchTheirWeightsOnRandomPixels) {
    std::mt19937 random(12345);
    for (const Kernel& k : Kernels) {
        SCOPED_TRACE(int32_t(k.kind));
        const int32_t width = 7 * k.block + 1;
        const int32_t height = 5 * k.block + k.block - 1;
        std::vector<uint32_t> source(size_t(width) * height);
        for (uint32_t& p : source) {
            p = random();
        }
        source[0] = 0xFFFFFFFF; // the largest sums
        Picture picture;
        Fill(picture, width, height, source);
        picture.Resize(k.kind);
        ASSERT_EQ(7 * k.out, picture.Width());
        ASSERT_EQ(5 * k.out, picture.Height());
        for (int by = 0; by < 5; ++by) {
            for (int bx = 0; bx < 7; ++bx) {
                for (int v = 0; v < k.out; ++v) {
                    for (int u = 0; u < k.out; ++u) {
                        const size_t at = size_t(by * k.out + v) * picture.Width() + bx * k.out + u;
                        ASSERT_EQ(Reference(k, source, width, by, bx, v, u), picture.Pixels()[at])
                            << "block " << by << "," << bx << " sample " << v << "," << u;
                    }
                }
            }
        }
    }
}

// A picture narrower (or lower) than a reduction's block keeps one pixel that
// way: what a block-wide picture of the same rows (columns) makes there.
TEST(PictureResizeTest, NarrowPicturesKeepOnePixelThatWay) {
    std::mt19937 random(5);
    for (const Kernel& k : Kernels) {
        for (int32_t narrow = 1; narrow < k.block; ++narrow) {
            for (const bool tall : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << int32_t(k.kind) << ": " << narrow << (tall ? " wide" : " high"));
                const int32_t length = 3 * k.block + 1;
                std::vector<uint32_t> lines;
                while (lines.size() < size_t(length)) {
                    lines.push_back(random() & 0x00FFFFFF);
                }
                const auto picture = [&](int32_t across) {
                    std::vector<uint32_t> pixels;
                    for (int32_t i = 0; i < across * length; ++i) {
                        pixels.push_back(lines[size_t(tall ? i / across : i % length)]);
                    }
                    Picture made;
                    Fill(made, tall ? across : length, tall ? length : across, pixels);
                    made.Resize(k.kind);
                    return made;
                };
                const Picture reduced = picture(narrow), wide = picture(k.block);
                ASSERT_EQ(tall ? 1 : ReducedSide(k.kind, length), reduced.Width());
                ASSERT_EQ(tall ? ReducedSide(k.kind, length) : 1, reduced.Height());
                for (int32_t i = 0; i < ReducedSide(k.kind, length); ++i) {
                    EXPECT_EQ(wide.Pixels()[tall ? i * wide.Width() : i], reduced.Pixels()[i]);
                }
            }
        }
    }
}

TEST(PictureResizeTest, DoesNothingUnlessDrawable) {
    Picture failed;
    failed = LoadPictureFile("missing.jpg", 9, 9);
    failed.Resize(Reduction::TwoThirds);
    EXPECT_EQ(Picture::State::Failed, failed.GetState());
    EXPECT_EQ(nullptr, failed.Pixels());

    Picture empty;
    empty.Resize(Reduction::Half);
    EXPECT_EQ(Picture::State::Empty, empty.GetState());
    EXPECT_EQ(nullptr, empty.Pixels());
    EXPECT_EQ(0, empty.Width());
}
} // namespace
