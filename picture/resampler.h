// Fits a picture to a new size with a separable Lanczos filter of two lobes,
// as its rows come from the decoder, top to bottom. Each source row is filtered
// across into a small ring of rows of the new width (16-bit fixed point), and
// each row of the fitted picture is filtered down the ring as soon as the last
// source row it needs has come. So nothing but one source row, the ring and the
// fitted picture is held, and a picture whose rows stop coming keeps the rows
// that those before covered.
#pragma once

#include "picture/simd_path.h"

#include <cstdint>
#include <memory>

class Resampler {
public:
    // The filter on the widest instructions the processor runs, or on `path`
    // (one it runs): every path gives the same bits.
    explicit Resampler(SimdPath path = WidestSimdPath()) : path(path) {}

    // False when the memory cannot be had. All sizes at least 1.
    bool Start(int32_t sourceWidth, int32_t sourceHeight, int32_t width, int32_t height);
    // Where the next source row goes: sourceWidth pixels, each the bytes blue,
    // green, red and a fourth, which is left out (the fitted pixels' is 0).
    uint32_t* SourceRow() { return source.get(); }
    // Takes the row written to SourceRow() and makes the rows it completes.
    void AddRow();
    // The rows of the fitted picture made so far; all of them once every
    // source row has come.
    int32_t RowsDone() const { return done; }
    std::unique_ptr<uint32_t[]> TakePixels() { return std::move(pixels); }

    // The filter's weights for one direction: for every output sample, `count`
    // weights (summing to 1 << 14) of the source samples from first[i] on, of
    // which only the first `used` may be other than 0; the weights of samples
    // beyond the picture's edge are given to the edge sample, and last[i] is
    // the last sample with a weight.
    struct Taps {
        int32_t count = 0;
        int32_t used = 0;
        std::unique_ptr<int32_t[]> first;
        std::unique_ptr<int32_t[]> last;
        std::unique_ptr<int16_t[]> weights;
    };

private:
    SimdPath path;
    Taps across, down;
    int32_t width = 0;
    int32_t height = 0;
    int32_t received = 0;
    int32_t done = 0;
    std::unique_ptr<uint32_t[]> source;
    // The weights across laid out for the widest instructions, where used.
    std::unique_ptr<int32_t[]> acrossPairs;
    // `down.count` rows of width x 4 channels, source row r in slot r % count.
    std::unique_ptr<int16_t[]> ring;
    std::unique_ptr<const int16_t*[]> window;
    std::unique_ptr<uint32_t[]> pixels;
};
