#include "picture/view_render.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#ifdef PELLORAN_X86_SIMD
#include <immintrin.h>
#endif

namespace {
// Positions in 16.16 fixed point; the weights of the two neighbours sum to
// 1 << WeightBits. Down, the two rows' weighted sum (at most 255 × 256) is
// kept exactly in 16 bits, less Offset so that it reads as a signed value
// (the processors multiply-add signed 16-bit values); across, the two columns'
// weighted sum is exact in 32 bits, and the one rounding is the last step.
constexpr int PositionBits = 16;
constexpr int WeightBits = 8;
constexpr int32_t WholeWeight = 1 << WeightBits;
constexpr int32_t Offset = 1 << 15;
constexpr int32_t Rounding = (Offset << WeightBits) + (1 << (2 * WeightBits - 1));
constexpr uint32_t Colours = 0x00FFFFFF;
// The channels of one pixel in the working row.
constexpr std::size_t Channels = 4;

// Where a sample falls between source pixels `index` and `index + 1`, and
// the second one's weight.
struct Sample {
    int32_t index;
    int32_t weight;
};

// The sample of output pixel `i` of `count` along a source side of `side`
// pixels, of which the view shows `length` from `start`: within the side's
// first and last pixel's centres, rounded to the weights' steps.
Sample Place(double start, double length, int32_t i, int32_t count, int32_t side) {
    const double exact = start + (i + 0.5) * length / count - 0.5;
    const double inside = exact > 0 ? std::min(exact, double(side - 1)) : 0;
    const int64_t position = std::llround(inside * (1 << PositionBits));
    const int64_t step = int64_t(1) << (PositionBits - WeightBits);
    const int64_t weighted = (position + step / 2) >> (PositionBits - WeightBits);
    return {int32_t(weighted >> WeightBits), int32_t(weighted & (WholeWeight - 1))};
}

// Both neighbours' weights as one pair of 16-bit values, the first's low.
int32_t WeightPair(int32_t weight) {
    return int32_t(uint32_t(WholeWeight - weight) | uint32_t(weight) << 16);
}

// The per-frame layout of the columns: for each output column, where its two
// source pixels lie in the working row (in 16-bit values from its start) and
// their weight pair, four times over (once for each channel).
struct Columns {
    int32_t first = 0; // the working row's first source column
    int32_t last = 0;  // its last, the one after the last sampled
    std::unique_ptr<int32_t[]> offsets;
    std::unique_ptr<int32_t[]> weights;
};

bool LayOutColumns(ViewRect view, int32_t sourceWidth, int32_t outWidth, Columns& columns) {
    columns.offsets.reset(new (std::nothrow) int32_t[std::size_t(outWidth)]);
    columns.weights.reset(new (std::nothrow) int32_t[std::size_t(outWidth) * Channels]);
    if (!columns.offsets || !columns.weights) {
        return false;
    }
    int32_t first = sourceWidth, last = 0;
    for (int32_t i = 0; i < outWidth; ++i) {
        const Sample sample = Place(view.left, view.width, i, outWidth, sourceWidth);
        columns.offsets[i] = sample.index;
        std::fill_n(columns.weights.get() + std::size_t(i) * Channels, Channels,
                    WeightPair(sample.weight));
        first = std::min(first, sample.index);
        last = std::max(last, sample.index + 1);
    }
    columns.first = first;
    columns.last = last;
    for (int32_t i = 0; i < outWidth; ++i) {
        columns.offsets[i] = int32_t(Channels) * (columns.offsets[i] - first);
    }
    return true;
}

// Down: source pixels [from, to) of rows `upper` and `lower` weighted into the
// working row's pixels [from, to).
void DownPlain(const uint32_t* upper, const uint32_t* lower, int32_t lowerWeight, int32_t from,
               int32_t to, int16_t* row) {
    row += std::size_t(from) * Channels;
    for (int32_t x = from; x < to; ++x, row += Channels) {
        for (std::size_t c = 0; c < Channels; ++c) {
            const int32_t a = int32_t(upper[x] >> (8 * c) & 0xFF);
            const int32_t b = int32_t(lower[x] >> (8 * c) & 0xFF);
            row[c] = int16_t(a * (WholeWeight - lowerWeight) + b * lowerWeight - Offset);
        }
    }
}

// Across: output pixels [from, to) from the working row.
void AcrossPlain(const int16_t* row, const Columns& columns, int32_t from, int32_t to,
                 uint32_t* out) {
    for (int32_t i = from; i < to; ++i) {
        const int16_t* pair = row + columns.offsets[i];
        const int32_t weights = columns.weights[std::size_t(i) * Channels];
        const int32_t left = int16_t(weights & 0xFFFF), right = weights >> 16;
        uint32_t pixel = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const int32_t sum = pair[c] * left + pair[Channels + c] * right + Rounding;
            pixel |= uint32_t(sum >> (2 * WeightBits)) << (8 * c);
        }
        out[i] = pixel;
    }
}

#ifdef PELLORAN_X86_SIMD
// The first of a row's `width` output pixels at a multiple of `bytes`: the
// frame is written past the caches (the drawing reads it once, from memory),
// and those stores take whole aligned blocks.
int32_t FirstAligned(const uint32_t* out, std::size_t bytes, int32_t width) {
    const std::size_t misplaced = reinterpret_cast<uintptr_t>(out) % bytes / 4;
    const int32_t ahead = misplaced == 0 ? 0 : int32_t(bytes / 4 - misplaced);
    return std::min(ahead, width);
}

// Four source pixels a step, each byte widened to 16 bits.
__attribute__((target("sse2"))) void DownSse2(const uint32_t* upper, const uint32_t* lower,
                                              int32_t lowerWeight, int32_t from, int32_t to,
                                              int16_t* row) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i offset = _mm_set1_epi16(int16_t(Offset));
    const __m128i a = _mm_set1_epi16(int16_t(WholeWeight - lowerWeight));
    const __m128i b = _mm_set1_epi16(int16_t(lowerWeight));
    int32_t x = from;
    for (; x + 4 <= to; x += 4) {
        const __m128i up = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x));
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + x));
        const __m128i left = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(up, zero), a),
                                           _mm_mullo_epi16(_mm_unpacklo_epi8(low, zero), b));
        const __m128i right = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(up, zero), a),
                                            _mm_mullo_epi16(_mm_unpackhi_epi8(low, zero), b));
        int16_t* at = row + std::size_t(x) * Channels;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(at), _mm_xor_si128(left, offset));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(at + 8), _mm_xor_si128(right, offset));
    }
    DownPlain(upper, lower, lowerWeight, x, to, row);
}

// Output pixel i's four channels, in 32 bits: its two source pixels'
// channels paired and multiplied-added by their weights, and rounded.
__attribute__((target("sse2"))) inline __m128i AcrossOneSse2(const int16_t* row,
                                                             const Columns& columns, int32_t i) {
    const __m128i pair =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + columns.offsets[i]));
    const __m128i weights = _mm_loadu_si128(
        reinterpret_cast<const __m128i*>(columns.weights.get() + std::size_t(i) * Channels));
    const __m128i sum = _mm_madd_epi16(_mm_unpacklo_epi16(pair, _mm_srli_si128(pair, 8)), weights);
    return _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(Rounding)), 2 * WeightBits);
}

// Four output pixels a step, one a register.
__attribute__((target("sse2"))) void AcrossSse2(const int16_t* row, const Columns& columns,
                                                int32_t width, uint32_t* out) {
    const __m128i colours = _mm_set1_epi32(int32_t(Colours));
    int32_t i = FirstAligned(out, 16, width);
    AcrossPlain(row, columns, 0, i, out);
    for (; i + 4 <= width; i += 4) {
        const __m128i words = _mm_packus_epi16(
            _mm_packs_epi32(AcrossOneSse2(row, columns, i), AcrossOneSse2(row, columns, i + 1)),
            _mm_packs_epi32(AcrossOneSse2(row, columns, i + 2),
                            AcrossOneSse2(row, columns, i + 3)));
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), _mm_and_si128(words, colours));
    }
    _mm_sfence();
    AcrossPlain(row, columns, i, width, out);
}

// Four source pixels, each byte widened to 16 bits.
__attribute__((target("avx2"))) inline __m256i WidenFour(const uint32_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Eight source pixels a step, each byte widened to 16 bits.
__attribute__((target("avx2"))) void DownAvx2(const uint32_t* upper, const uint32_t* lower,
                                              int32_t lowerWeight, int32_t from, int32_t to,
                                              int16_t* row) {
    const __m256i offset = _mm256_set1_epi16(int16_t(Offset));
    const __m256i a = _mm256_set1_epi16(int16_t(WholeWeight - lowerWeight));
    const __m256i b = _mm256_set1_epi16(int16_t(lowerWeight));
    int32_t x = from;
    for (; x + 8 <= to; x += 8) {
        for (int32_t half = 0; half < 2; ++half) {
            const __m256i sum =
                _mm256_add_epi16(_mm256_mullo_epi16(WidenFour(upper + x + 4 * half), a),
                                 _mm256_mullo_epi16(WidenFour(lower + x + 4 * half), b));
            _mm256_storeu_si256(
                reinterpret_cast<__m256i*>(row + std::size_t(x + 4 * half) * Channels),
                _mm256_xor_si256(sum, offset));
        }
    }
    _mm256_zeroupper(); // the code after it may be of the old encoding (see resampler.cpp)
    DownPlain(upper, lower, lowerWeight, x, to, row);
}

// Output pixels i and i + 1's channels, in 32 bits, one pixel in each half:
// as AcrossOneSse2, the source pixels' channels paired by one byte shuffle.
__attribute__((target("avx2"))) inline __m256i AcrossTwoAvx2(const int16_t* row,
                                                             const Columns& columns, int32_t i) {
    const __m256i pairs = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15, 0,
                                           1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
    const int32_t* offsets = columns.offsets.get();
    const __m256i both = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + offsets[i]))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + offsets[i + 1])), 1);
    const __m256i weights = _mm256_loadu_si256(
        reinterpret_cast<const __m256i*>(columns.weights.get() + std::size_t(i) * Channels));
    const __m256i sum = _mm256_madd_epi16(_mm256_shuffle_epi8(both, pairs), weights);
    return _mm256_srai_epi32(_mm256_add_epi32(sum, _mm256_set1_epi32(Rounding)), 2 * WeightBits);
}

// Eight output pixels a step, two a register.
__attribute__((target("avx2"))) void AcrossAvx2(const int16_t* row, const Columns& columns,
                                                int32_t width, uint32_t* out) {
    const __m256i colours = _mm256_set1_epi32(int32_t(Colours));
    // Pixels i, i + 2, i + 4, i + 6 | i + 1, i + 3, i + 5, i + 7 put in order.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    int32_t i = FirstAligned(out, 32, width);
    AcrossPlain(row, columns, 0, i, out);
    for (; i + 8 <= width; i += 8) {
        const __m256i bytes = _mm256_packus_epi16(
            _mm256_packs_epi32(AcrossTwoAvx2(row, columns, i), AcrossTwoAvx2(row, columns, i + 2)),
            _mm256_packs_epi32(AcrossTwoAvx2(row, columns, i + 4),
                               AcrossTwoAvx2(row, columns, i + 6)));
        _mm256_stream_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_and_si256(_mm256_permutevar8x32_epi32(bytes, order), colours));
    }
    _mm_sfence();
    _mm256_zeroupper();
    AcrossPlain(row, columns, i, width, out);
}
#endif
} // namespace

bool RenderView(SimdPath path, const uint32_t* source, int32_t sourceWidth, int32_t sourceHeight,
                ViewRect view, uint32_t* out, int32_t outWidth, int32_t outHeight,
                std::size_t outStride) {
    if (source == nullptr || sourceWidth <= 0 || sourceHeight <= 0) {
        return false;
    }
    if (outWidth <= 0 || outHeight <= 0) {
        return true;
    }
    Columns columns;
    if (!LayOutColumns(view, sourceWidth, outWidth, columns)) {
        return false;
    }
    // The source columns sampled, and the one after the last, which stays 0
    // where it lies past the edge (its weight is 0 there).
    const int32_t made = std::min(columns.last, sourceWidth - 1) + 1 - columns.first;
    const std::size_t span = std::size_t(columns.last - columns.first + 1);
    std::unique_ptr<int16_t[]> row(new (std::nothrow) int16_t[span * Channels]());
    if (!row) {
        return false;
    }
    for (int32_t j = 0; j < outHeight; ++j) {
        const Sample sample = Place(view.top, view.height, j, outHeight, sourceHeight);
        const uint32_t* upper = source + std::size_t(sample.index) * std::size_t(sourceWidth) +
                                std::size_t(columns.first);
        const uint32_t* lower =
            source +
            std::size_t(std::min(sample.index + 1, sourceHeight - 1)) * std::size_t(sourceWidth) +
            std::size_t(columns.first);
        uint32_t* line = out + std::size_t(j) * outStride;
        switch (path) {
#ifdef PELLORAN_X86_SIMD
        case SimdPath::Sse2:
            DownSse2(upper, lower, sample.weight, 0, made, row.get());
            AcrossSse2(row.get(), columns, outWidth, line);
            break;
        case SimdPath::Avx2:
            DownAvx2(upper, lower, sample.weight, 0, made, row.get());
            AcrossAvx2(row.get(), columns, outWidth, line);
            break;
#endif
        default:
            DownPlain(upper, lower, sample.weight, 0, made, row.get());
            AcrossPlain(row.get(), columns, 0, outWidth, line);
        }
    }
    return true;
}

bool RenderView(const uint32_t* source, int32_t sourceWidth, int32_t sourceHeight, ViewRect view,
                uint32_t* out, int32_t outWidth, int32_t outHeight, std::size_t outStride) {
    return RenderView(WidestSimdPath(), source, sourceWidth, sourceHeight, view, out, outWidth,
                      outHeight, outStride);
}

bool RenderView(const Picture& source, ViewRect view, uint32_t* out, int32_t outWidth,
                int32_t outHeight, std::size_t outStride) {
    return source.IsDrawable() && RenderView(source.Pixels(), source.Width(), source.Height(), view,
                                             out, outWidth, outHeight, outStride);
}
