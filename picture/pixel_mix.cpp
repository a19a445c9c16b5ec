#include "picture/pixel_mix.h"

#include "picture/picture.h"

#include <algorithm>
#include <cstring>

#ifdef PELLORAN_X86_SIMD
#include <immintrin.h>
#endif

namespace {
// Red and blue are mixed in one 32-bit step and green in another: 255 × 16
// needs 12 bits, so neither carries into its neighbour.
constexpr uint32_t RedBlue = 0x00FF00FF;
constexpr uint32_t Green = 0x0000FF00;

uint32_t Mix(uint32_t from, uint32_t to, uint32_t fromWeight, uint32_t toWeight) {
    const uint32_t redBlue = ((from & RedBlue) * fromWeight + (to & RedBlue) * toWeight) >> 4;
    const uint32_t green = ((from & Green) * fromWeight + (to & Green) * toWeight) >> 4;
    return (redBlue & RedBlue) | (green & Green);
}

void MixPlain(const uint32_t* from, const uint32_t* to, uint32_t* out, std::size_t count,
              uint32_t fromWeight, uint32_t toWeight) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = Mix(from[i], to[i], fromWeight, toWeight);
    }
}

#ifdef PELLORAN_X86_SIMD
// The pixels before `out` reaches a multiple of `bytes`: the frame is written
// past the caches (the drawing reads it once, from memory), and those stores
// take whole aligned blocks.
std::size_t Ahead(const uint32_t* out, std::size_t bytes, std::size_t count) {
    const std::size_t misplaced = reinterpret_cast<uintptr_t>(out) % bytes / sizeof(uint32_t);
    const std::size_t ahead = misplaced == 0 ? 0 : bytes / sizeof(uint32_t) - misplaced;
    return ahead < count ? ahead : count;
}

// Four pixels a step: each byte widened to 16 bits, the two weighted sums
// (at most 255 × 16) shifted back and packed; the fourth bytes are dropped.
__attribute__((target("sse2"))) void MixSse2(const uint32_t* from, const uint32_t* to,
                                             uint32_t* out, std::size_t count, uint32_t fromWeight,
                                             uint32_t toWeight) {
    std::size_t i = Ahead(out, 16, count);
    MixPlain(from, to, out, i, fromWeight, toWeight);
    const __m128i zero = _mm_setzero_si128();
    const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
    const __m128i a = _mm_set1_epi16(short(fromWeight));
    const __m128i b = _mm_set1_epi16(short(toWeight));
    for (; i + 4 <= count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
        const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(f, zero), a),
                                          _mm_mullo_epi16(_mm_unpacklo_epi8(t, zero), b));
        const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(f, zero), a),
                                           _mm_mullo_epi16(_mm_unpackhi_epi8(t, zero), b));
        const __m128i mixed = _mm_packus_epi16(_mm_srli_epi16(low, 4), _mm_srli_epi16(high, 4));
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), _mm_and_si128(mixed, colours));
    }
    _mm_sfence();
    MixPlain(from + i, to + i, out + i, count - i, fromWeight, toWeight);
}

// Eight pixels a step: the bytes of both pictures interleaved, each pair
// multiplied by its two weights and added in one step.
__attribute__((target("avx2"))) void MixAvx2(const uint32_t* from, const uint32_t* to,
                                             uint32_t* out, std::size_t count, uint32_t fromWeight,
                                             uint32_t toWeight) {
    std::size_t i = Ahead(out, 32, count);
    MixPlain(from, to, out, i, fromWeight, toWeight);
    const __m256i colours = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i weights = _mm256_set1_epi16(short(toWeight << 8 | fromWeight));
    for (; i + 8 <= count; i += 8) {
        const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + i));
        const __m256i low = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(f, t), weights);
        const __m256i high = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(f, t), weights);
        const __m256i mixed =
            _mm256_packus_epi16(_mm256_srli_epi16(low, 4), _mm256_srli_epi16(high, 4));
        _mm256_stream_si256(reinterpret_cast<__m256i*>(out + i), _mm256_and_si256(mixed, colours));
    }
    _mm_sfence();
    _mm256_zeroupper(); // the code after it may be of the old encoding (see resampler.cpp)
    MixPlain(from + i, to + i, out + i, count - i, fromWeight, toWeight);
}
#endif
} // namespace

void MixPixels(const uint32_t* from, const uint32_t* to, uint32_t* out, std::size_t count,
               int level) {
    MixPixels(WidestSimdPath(), from, to, out, count, level);
}

void MixPixels(SimdPath path, const uint32_t* from, const uint32_t* to, uint32_t* out,
               std::size_t count, int level) {
    if (from == nullptr && to == nullptr) {
        std::memset(out, 0, count * sizeof(uint32_t));
        return;
    }
    // Black on one side: the other picture, with no weight, in its place.
    const uint32_t toWeight = to != nullptr ? static_cast<uint32_t>(level) : 0;
    const uint32_t fromWeight = from != nullptr ? static_cast<uint32_t>(FadeLevels - level) : 0;
    from = from != nullptr ? from : to;
    to = to != nullptr ? to : from;
    switch (path) {
#ifdef PELLORAN_X86_SIMD
    case SimdPath::Sse2:
        MixSse2(from, to, out, count, fromWeight, toWeight);
        return;
    case SimdPath::Avx2:
        MixAvx2(from, to, out, count, fromWeight, toWeight);
        return;
#endif
    default:
        MixPlain(from, to, out, count, fromWeight, toWeight);
    }
}

namespace {
// The pixel of `placed` at (x, y) of the frame, or null where it has none;
// `end` is set to where the frame's row leaves or enters it.
const uint32_t* PlacedAt(const PlacedPixels& placed, int64_t x, int64_t y, int64_t& end) {
    const int64_t left = placed.x, right = left + placed.width;
    const bool rowInside = placed.pixels != nullptr && y >= placed.y &&
                           y < int64_t(placed.y) + placed.height && right > left;
    if (!rowInside || x >= right) {
        return nullptr;
    }
    if (x < left) {
        end = std::min(end, left);
        return nullptr;
    }
    end = std::min(end, right);
    return placed.pixels + std::size_t(y - placed.y) * std::size_t(placed.width) +
           std::size_t(x - left);
}
} // namespace

void CrossMix(PlacedPixels from, PlacedPixels to, uint32_t* out, int32_t width, int32_t height,
              int level) {
    CrossMix(WidestSimdPath(), from, to, out, width, height, level);
}

// Each row in the runs where the same pictures lie, each run mixed as one.
void CrossMix(SimdPath path, PlacedPixels from, PlacedPixels to, uint32_t* out, int32_t width,
              int32_t height, int level) {
    for (int64_t y = 0; y < height; ++y) {
        uint32_t* row = out + std::size_t(y) * std::size_t(width);
        for (int64_t x = 0; x < width;) {
            int64_t end = width;
            const uint32_t* older = PlacedAt(from, x, y, end);
            const uint32_t* newer = PlacedAt(to, x, y, end);
            MixPixels(path, older, newer, row + x, std::size_t(end - x), level);
            x = end;
        }
    }
}

void Picture::Mix(const uint32_t* from, const uint32_t* to, int level) {
    if (!IsDrawable()) {
        return;
    }
    MixPixels(from, to, pixels.get(),
              static_cast<std::size_t>(width) * static_cast<std::size_t>(height), level);
    state = State::Ready;
}

void Picture::CrossMix(const PlacedPixels& from, const PlacedPixels& to, int level) {
    if (!IsDrawable()) {
        return;
    }
    ::CrossMix(from, to, pixels.get(), width, height, level);
    state = State::Ready;
}
