// The transform between two RGB profiles of curves and a matrix each (most RGB
// profiles: sRGB, Display P3, Adobe RGB, monitors' own), done here with SIMD
// rather than through Little CMS's general 8-bit transform: each channel
// through its source curve into linear light, the 3 x 3 matrix from the
// source's primaries to the target's, and each channel through the inverse of
// the target's curve, looked up by the square root of the light.
#pragma once

#include "picture/colour_transforms.h"
#include "picture/simd_path.h"

#include <array>
#include <cstdint>

struct MatrixShaperTables {
    // The linear light of each channel's levels (red, green, blue), 0 to 1.
    std::array<std::array<float, 256>, 3> linear;
    // The target's linear red, green and blue from the source's, by rows.
    std::array<std::array<float, 3>, 3> matrix;
    // Each channel's level in the target for linear light (i / EncodeSteps)
    // squared, with room after the last one for a 4-byte read there: the
    // steps lie closest where the target's curve is steepest, near black.
    static constexpr int EncodeSteps = 4096;
    std::array<std::array<uint8_t, EncodeSteps + 4>, 3> encode;
};

class MatrixShaperTransform : public ColourTransform {
public:
    MatrixShaperTransform(const MatrixShaperTables& tables, SimdPath path);
    MatrixShaperTransform(const MatrixShaperTransform&) = delete;
    MatrixShaperTransform& operator=(const MatrixShaperTransform&) = delete;

    // Reads and writes pixels (0x00RRGGBB); the fourth byte is written 0. Each
    // path gives the same bits.
    void Apply(const void* from, uint32_t* to, size_t count) const override;

private:
    MatrixShaperTables tables;
    // Each channel's encode table: one for all three where the target's
    // curves are the same (as they mostly are), which keeps the gathers in
    // the first cache.
    std::array<const uint8_t*, 3> encode;
    SimdPath path;
};
