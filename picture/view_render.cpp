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
// 1 << WeightBits. Across first: a source row's two columns' weighted sum (at
// most 255 × 256) is kept exactly in 16 bits, plus Bias. Down: each of the
// two rows' weighted values is taken to 1/256, their sum to the level. Each
// of the two truncations drops under 1/256 of a level, so the bias of
// 129/256 rounds the sum to within 1/256 of a level of the exact one's
// rounding, and an edge brightening down the rows never dims a pixel.
constexpr int PositionBits = 16;
constexpr int WeightBits = 8;
constexpr int32_t WholeWeight = 1 << WeightBits;
constexpr uint16_t Bias = WholeWeight / 2 + 1;
// The channels of one pixel in the rows weighted across.
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

// Arrays that start on a cache line, so that no 32-byte access to them from
// a multiple of 32 bytes straddles two lines.
constexpr std::align_val_t LineAlignment{64};
constexpr std::size_t LineBytes = 64;
struct LineDelete {
    void operator()(void* values) const { ::operator delete[](values, LineAlignment); }
};
template <typename T> using LineArray = std::unique_ptr<T[], LineDelete>;
// `count` values, uninitialised; null when the memory cannot be had.
template <typename T> LineArray<T> NewLines(std::size_t count) {
    return LineArray<T>(
        static_cast<T*>(::operator new[](count * sizeof(T), LineAlignment, std::nothrow)));
}

// The per-frame layout of the columns: each output column's sample, and the
// same laid out ready for the path's instructions.
struct Columns {
    int32_t sourceWidth = 0;
    int32_t width = 0;
    std::unique_ptr<Sample[]> samples;
    // SSE2: each column's weights for its two source pixels' channels,
    // [A A A 0 B B B 0] in 16 bits.
    std::unique_ptr<int16_t[]> spread;
    // AVX2: for each four columns, GroupValues 32-bit values: the byte
    // shuffles that pair the second and fourth column's source pixels' channels
    // (the first and third take fixed ones), then the weight pairs of the
    // first and third columns, four times each, then the second and fourth's.
    LineArray<int32_t> groups;
    // AVX2: for each four columns, where the run of groups from them whose
    // pixels lie in the two 16-byte loads they are read by, within the source
    // row, ends (at the group itself when its pixels do not).
    std::unique_ptr<int32_t[]> runEnds;
};

constexpr std::size_t GroupColumns = 4;
constexpr std::size_t GroupValues = 24;

// Both neighbours' weights as one pair of 16-bit values, the first's low.
int32_t WeightPair(int32_t weight) {
    return int32_t(uint32_t(WholeWeight - weight) | uint32_t(weight) << 16);
}

// A byte shuffle's 32 bits: bytes `first` and `first + 4` as 16-bit values
// (0x80 makes a 0 byte).
int32_t ShufflePair(int32_t first) {
    return int32_t(uint32_t(first) | 0x80u << 8 | uint32_t(first + 4) << 16 | 0x80u << 24);
}

void LayOutGroups(Columns& columns) {
    const Sample* s = columns.samples.get();
    const std::size_t groups = std::size_t(columns.width) / GroupColumns;
    int32_t end = int32_t(groups);
    for (std::size_t g = groups * GroupColumns; g > 0;) {
        g -= GroupColumns;
        int32_t* values = columns.groups.get() + g / GroupColumns * GroupValues;
        bool fits = s[g + 2].index + 4 <= columns.sourceWidth;
        for (std::size_t half = 0; half < 2; ++half) {
            const std::size_t first = g + 2 * half;
            const int32_t step = s[first + 1].index - s[first].index;
            fits = fits && step <= 2;
            for (int32_t c = 0; c < 3; ++c) {
                values[4 * half + std::size_t(c)] = ShufflePair(4 * step + c);
            }
            values[4 * half + 3] = int32_t(0x80808080u);
            std::fill_n(values + 8 + 4 * half, 4, WeightPair(s[first].weight));
            std::fill_n(values + 16 + 4 * half, 4, WeightPair(s[first + 1].weight));
        }
        const int32_t group = int32_t(g / GroupColumns);
        end = fits ? end : group;
        columns.runEnds[std::size_t(group)] = end;
    }
}

bool LayOutColumns(SimdPath path, ViewRect view, int32_t sourceWidth, int32_t outWidth,
                   Columns& columns) {
    const std::size_t width = std::size_t(outWidth);
    columns.sourceWidth = sourceWidth;
    columns.width = outWidth;
    columns.samples.reset(new (std::nothrow) Sample[width]);
    if (!columns.samples) {
        return false;
    }
    for (int32_t i = 0; i < outWidth; ++i) {
        columns.samples[i] = Place(view.left, view.width, i, outWidth, sourceWidth);
    }
    if (path == SimdPath::Sse2) {
        columns.spread.reset(new (std::nothrow) int16_t[width * 2 * Channels]);
        if (!columns.spread) {
            return false;
        }
        for (std::size_t i = 0; i < width; ++i) {
            const int16_t b = int16_t(columns.samples[i].weight), a = int16_t(WholeWeight - b);
            const int16_t spread[2 * Channels] = {a, a, a, 0, b, b, b, 0};
            std::copy_n(spread, 2 * Channels, columns.spread.get() + i * 2 * Channels);
        }
    }
    if (path == SimdPath::Avx2) {
        const std::size_t groups = width / GroupColumns;
        columns.groups = NewLines<int32_t>(groups * GroupValues);
        columns.runEnds.reset(new (std::nothrow) int32_t[groups]);
        if (!columns.groups || !columns.runEnds) {
            return false;
        }
        LayOutGroups(columns);
    }
    return true;
}

// Across: output columns [from, to) of one source row, weighted into the
// row's 16-bit channels.
void AcrossPlain(const uint32_t* source, const Columns& columns, int32_t from, int32_t to,
                 uint16_t* row) {
    for (int32_t i = from; i < to; ++i) {
        const Sample s = columns.samples[i];
        const uint32_t left = source[s.index];
        const uint32_t right = source[std::min(s.index + 1, columns.sourceWidth - 1)];
        uint16_t* channels = row + std::size_t(i) * Channels;
        for (std::size_t c = 0; c < 3; ++c) {
            const int32_t a = int32_t(left >> (8 * c) & 0xFF), b = int32_t(right >> (8 * c) & 0xFF);
            channels[c] = uint16_t(a * (WholeWeight - s.weight) + b * s.weight + Bias);
        }
        channels[3] = Bias;
    }
}

// Down: output pixels [from, to) from the rows weighted across.
void DownPlain(const uint16_t* upper, const uint16_t* lower, int32_t lowerWeight, int32_t from,
               int32_t to, uint32_t* out) {
    const uint32_t a = uint32_t(WholeWeight - lowerWeight), b = uint32_t(lowerWeight);
    for (int32_t i = from; i < to; ++i) {
        const std::size_t at = std::size_t(i) * Channels;
        uint32_t pixel = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const uint32_t sum =
                (upper[at + c] * a >> WeightBits) + (lower[at + c] * b >> WeightBits);
            pixel |= sum >> WeightBits << (8 * c);
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

// Two columns a step: each one's two source pixels widened to 16 bits and
// multiplied by their weights, the halves then added. The row below is
// fetched into the cache on the way, as the next one weighted.
__attribute__((target("sse2"))) void AcrossSse2(const uint32_t* source, const uint32_t* below,
                                                const Columns& columns, uint16_t* row) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias = _mm_set1_epi16(int16_t(Bias));
    const Sample* s = columns.samples.get();
    const __m128i* spread = reinterpret_cast<const __m128i*>(columns.spread.get());
    // The last column whose pair of pixels lies within the source row.
    int32_t end = columns.width;
    while (end > 0 && s[end - 1].index + 2 > columns.sourceWidth) {
        --end;
    }
    int32_t i = 0;
    for (; i + 2 <= end; i += 2) {
        _mm_prefetch(reinterpret_cast<const char*>(below + s[i].index), _MM_HINT_T0);
        const __m128i first = _mm_mullo_epi16(
            _mm_unpacklo_epi8(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + s[i].index)), zero),
            _mm_loadu_si128(spread + i));
        const __m128i second = _mm_mullo_epi16(
            _mm_unpacklo_epi8(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + s[i + 1].index)), zero),
            _mm_loadu_si128(spread + i + 1));
        const __m128i sum =
            _mm_add_epi16(_mm_unpacklo_epi64(first, second), _mm_unpackhi_epi64(first, second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + std::size_t(i) * Channels),
                         _mm_add_epi16(sum, bias));
    }
    AcrossPlain(source, columns, i, columns.width, row);
}

// Eight output channels from each row: each value weighted by its row's
// weight and taken to 1/256, the two added and taken to the level; the upper
// row alone when the lower one's weight is 0 (the upper's, 256, is too wide
// for 16 bits).
__attribute__((target("sse2"))) inline __m128i
LevelsSse2(const uint16_t* upper, const uint16_t* lower, __m128i a, __m128i b, bool alone) {
    const __m128i up = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper));
    if (alone) {
        return _mm_srli_epi16(up, WeightBits);
    }
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower));
    return _mm_srli_epi16(_mm_add_epi16(_mm_mulhi_epu16(up, a), _mm_mulhi_epu16(low, b)),
                          WeightBits);
}

// Four output pixels a step.
__attribute__((target("sse2"))) void DownSse2(const uint16_t* upper, const uint16_t* lower,
                                              int32_t lowerWeight, int32_t width, uint32_t* out) {
    const __m128i a = _mm_set1_epi16(int16_t((WholeWeight - lowerWeight) << WeightBits));
    const __m128i b = _mm_set1_epi16(int16_t(lowerWeight << WeightBits));
    const bool alone = lowerWeight == 0;
    int32_t i = FirstAligned(out, 16, width);
    DownPlain(upper, lower, lowerWeight, 0, i, out);
    for (; i + 4 <= width; i += 4) {
        const std::size_t at = std::size_t(i) * Channels;
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_packus_epi16(LevelsSse2(upper + at, lower + at, a, b, alone),
                                          LevelsSse2(upper + at + 8, lower + at + 8, a, b, alone)));
    }
    _mm_sfence();
    DownPlain(upper, lower, lowerWeight, i, width, out);
}

// Four columns a step: 16 source bytes from each of the first and third
// column's pixel on, the two columns' pairs of pixels' channels in each half
// put side by side as 16-bit values by byte shuffles, multiplied-added by
// their weights and packed to 16 bits, in the columns' order; as AcrossSse2,
// the row below fetched on the way.
__attribute__((target("avx2"))) void AcrossAvx2(const uint32_t* source, const uint32_t* below,
                                                const Columns& columns, uint16_t* row) {
    const __m256i firsts = _mm256_setr_epi8(0, -128, 4, -128, 1, -128, 5, -128, 2, -128, 6, -128,
                                            -128, -128, -128, -128, 0, -128, 4, -128, 1, -128, 5,
                                            -128, 2, -128, 6, -128, -128, -128, -128, -128);
    const __m256i bias = _mm256_set1_epi16(int16_t(Bias));
    // The stores below may alias anything, so the tables are read through
    // locals.
    const Sample* samples = columns.samples.get();
    const int32_t* runEnds = columns.runEnds.get();
    const __m256i* tables = reinterpret_cast<const __m256i*>(columns.groups.get());
    const std::size_t groups = std::size_t(columns.width) / GroupColumns;
    for (std::size_t g = 0; g < groups;) {
        const std::size_t end = std::size_t(runEnds[g]);
        if (end == g) {
            const int32_t i = int32_t(g * GroupColumns);
            AcrossPlain(source, columns, i, i + int32_t(GroupColumns), row);
            ++g;
            continue;
        }
        const Sample* s = samples + g * GroupColumns;
        const __m256i* values = tables + 3 * g;
        uint16_t* at = row + g * GroupColumns * Channels;
        for (; g < end; ++g, s += GroupColumns, values += 3, at += GroupColumns * Channels) {
            _mm_prefetch(reinterpret_cast<const char*>(below + s[0].index), _MM_HINT_T0);
            const __m256i pixels = _mm256_inserti128_si256(
                _mm256_castsi128_si256(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + s[0].index))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + s[2].index)), 1);
            const __m256i first = _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, firsts),
                                                    _mm256_loadu_si256(values + 1));
            const __m256i second =
                _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, _mm256_loadu_si256(values)),
                                  _mm256_loadu_si256(values + 2));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(at),
                                _mm256_add_epi16(_mm256_packus_epi32(first, second), bias));
        }
    }
    _mm256_zeroupper(); // the code after it may be of the old encoding (see resampler.cpp)
    AcrossPlain(source, columns, int32_t(groups * GroupColumns), columns.width, row);
}

// As LevelsSse2, sixteen output channels.
__attribute__((target("avx2"))) inline __m256i
LevelsAvx2(const uint16_t* upper, const uint16_t* lower, __m256i a, __m256i b, bool alone) {
    const __m256i up = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper));
    if (alone) {
        return _mm256_srli_epi16(up, WeightBits);
    }
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower));
    return _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mulhi_epu16(up, a), _mm256_mulhi_epu16(low, b)), WeightBits);
}

// Eight output pixels a step.
__attribute__((target("avx2"))) void DownAvx2(const uint16_t* upper, const uint16_t* lower,
                                              int32_t lowerWeight, int32_t width, uint32_t* out) {
    const __m256i a = _mm256_set1_epi16(int16_t((WholeWeight - lowerWeight) << WeightBits));
    const __m256i b = _mm256_set1_epi16(int16_t(lowerWeight << WeightBits));
    const bool alone = lowerWeight == 0;
    int32_t i = FirstAligned(out, 32, width);
    DownPlain(upper, lower, lowerWeight, 0, i, out);
    for (; i + 8 <= width; i += 8) {
        const std::size_t at = std::size_t(i) * Channels;
        // Pixels i, i + 1, i + 4, i + 5 | i + 2, i + 3, i + 6, i + 7 put in order.
        const __m256i bytes =
            _mm256_packus_epi16(LevelsAvx2(upper + at, lower + at, a, b, alone),
                                LevelsAvx2(upper + at + 16, lower + at + 16, a, b, alone));
        _mm256_stream_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_permute4x64_epi64(bytes, 0xD8));
    }
    _mm_sfence();
    _mm256_zeroupper();
    DownPlain(upper, lower, lowerWeight, i, width, out);
}
#endif

// The two source rows last weighted across, each in the place of its row
// number's parity, so that a frame weights each source row across once.
class AcrossRows {
public:
    AcrossRows(SimdPath path, const uint32_t* source, int32_t sourceHeight, const Columns& columns)
        : path_(path), source_(source), sourceHeight_(sourceHeight), columns_(columns),
          // Each row from a cache line on.
          rowValues_((std::size_t(columns.width) * Channels * sizeof(uint16_t) + LineBytes - 1) /
                     LineBytes * LineBytes / sizeof(uint16_t)),
          values_(NewLines<uint16_t>(2 * rowValues_)) {}

    // False when the rows' memory could not be had.
    bool Made() const { return values_ != nullptr; }

    // Source row y weighted across, weighted now unless it was already.
    const uint16_t* Row(int32_t y) {
        const std::size_t place = std::size_t(y & 1);
        uint16_t* row = values_.get() + place * rowValues_;
        if (rows_[place] == y) {
            return row;
        }
        rows_[place] = y;
        const std::size_t width = std::size_t(columns_.sourceWidth);
        const uint32_t* pixels = source_ + std::size_t(y) * width;
        const uint32_t* below = y + 1 < sourceHeight_ ? pixels + width : pixels;
        switch (path_) {
#ifdef PELLORAN_X86_SIMD
        case SimdPath::Sse2:
            AcrossSse2(pixels, below, columns_, row);
            break;
        case SimdPath::Avx2:
            AcrossAvx2(pixels, below, columns_, row);
            break;
#endif
        default:
            static_cast<void>(below);
            AcrossPlain(pixels, columns_, 0, columns_.width, row);
        }
        return row;
    }

private:
    SimdPath path_;
    const uint32_t* source_;
    int32_t sourceHeight_;
    const Columns& columns_;
    std::size_t rowValues_;
    LineArray<uint16_t> values_;
    int32_t rows_[2] = {-1, -1};
};
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
    if (!LayOutColumns(path, view, sourceWidth, outWidth, columns)) {
        return false;
    }
    AcrossRows rows(path, source, sourceHeight, columns);
    if (!rows.Made()) {
        return false;
    }
    for (int32_t j = 0; j < outHeight; ++j) {
        const Sample sample = Place(view.top, view.height, j, outHeight, sourceHeight);
        const uint16_t* upper = rows.Row(sample.index);
        // A row of weight 0 is not read; the last source row has no row below.
        const uint16_t* lower = sample.weight == 0 ? upper : rows.Row(sample.index + 1);
        uint32_t* line = out + std::size_t(j) * outStride;
        switch (path) {
#ifdef PELLORAN_X86_SIMD
        case SimdPath::Sse2:
            DownSse2(upper, lower, sample.weight, outWidth, line);
            break;
        case SimdPath::Avx2:
            DownAvx2(upper, lower, sample.weight, outWidth, line);
            break;
#endif
        default:
            DownPlain(upper, lower, sample.weight, 0, outWidth, line);
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
