#include "picture/resampler.h"

#include "picture/pixel_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#ifdef PELLORAN_X86_SIMD
#include <immintrin.h>
#endif

namespace {
// The filter: Lanczos with two lobes (the support of Catmull-Rom; on photos
// it differs from three lobes by a fraction of a level, with two thirds of the
// taps), widened by the reduction when reducing.
constexpr double Lobes = 2;
// Fixed point: the weights sum to 1 << WeightBits; the rows filtered across
// keep their levels times 1 << (WeightBits - AcrossShift), which leaves room in
// 16 bits for the filter's overshoot. Down, the products are summed exactly in
// 32 bits, the sum holding the level times 1 << DownShift, and rounded once: so
// a flat picture stays exactly flat at any reduction, however many the taps.
constexpr int WeightBits = 14;
constexpr int AcrossShift = 8;
constexpr int DownShift = 2 * WeightBits - AcrossShift;
// The taps across are taken four at a time, the taps down two at a time (the
// processors' multiply-add of pairs of 16-bit values).
constexpr int32_t AcrossStep = 4;
constexpr int32_t DownStep = 2;

template <class T> std::unique_ptr<T[]> Allocate(size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}

double Lanczos(double x) {
    x = std::fabs(x);
    if (x < 1e-9) {
        return 1;
    }
    if (x >= Lobes) {
        return 0;
    }
    const double pi = 3.14159265358979323846;
    return Lobes * std::sin(pi * x) * std::sin(pi * x / Lobes) / (pi * pi * x * x);
}

// The weights from `from` samples to `to`, sample centres lined up with the
// picture's edges; `step` rounds the count up (with weights 0).
bool MakeTaps(int32_t from, int32_t to, int32_t step, Resampler::Taps& taps) {
    const double scale = double(to) / double(from);
    const double stretch = scale < 1 ? 1 / scale : 1;
    const double support = Lobes * stretch;
    int64_t count = from == to ? 1 : std::min<int64_t>(from, int64_t(std::ceil(2 * support)) + 1);
    count = (count + step - 1) / step * step;
    taps.used = 1;
    taps.count = int32_t(count);
    taps.first = Allocate<int32_t>(size_t(to));
    taps.last = Allocate<int32_t>(size_t(to));
    taps.weights = Allocate<int16_t>(size_t(to) * size_t(count));
    std::unique_ptr<double[]> exact = Allocate<double>(size_t(count));
    if (!taps.first || !taps.last || !taps.weights || !exact) {
        return false;
    }
    for (int32_t o = 0; o < to; ++o) {
        int16_t* weights = taps.weights.get() + size_t(o) * size_t(count);
        if (from == to) {
            taps.first[o] = taps.last[o] = o;
            weights[0] = 1 << WeightBits;
            continue;
        }
        const double centre = (o + 0.5) / scale - 0.5;
        const int64_t low = int64_t(std::floor(centre - support)) + 1;
        const int64_t high = int64_t(std::floor(centre + support));
        const int32_t first = int32_t(std::clamp<int64_t>(low, 0, from - 1));
        taps.first[o] = first;
        taps.last[o] = int32_t(std::clamp<int64_t>(high, 0, from - 1));
        std::fill(exact.get(), exact.get() + count, 0.0);
        double sum = 0;
        for (int64_t i = low; i <= high; ++i) {
            const double k = Lanczos((double(i) - centre) / stretch);
            exact[std::clamp<int64_t>(i, 0, from - 1) - first] += k;
            sum += k;
        }
        // Rounded, and what rounding lost or gained given to the largest.
        int32_t total = 0;
        int64_t largest = 0;
        for (int64_t t = 0; t < count; ++t) {
            weights[t] = int16_t(std::lround(exact[t] / sum * (1 << WeightBits)));
            total += weights[t];
            largest = weights[t] > weights[largest] ? t : largest;
        }
        weights[largest] = int16_t(weights[largest] + (1 << WeightBits) - total);
        for (int32_t t = taps.used; t < count; ++t) {
            taps.used = weights[t] != 0 ? t + 1 : taps.used;
        }
    }
    return true;
}

// The taps across are read four pixels p0..p3 at a time, whose weights are
// kept in the order w0, w2, w1, w3 (pairs of pixels two apart, see AcrossSse2).
void PairAcross(Resampler::Taps& taps, int32_t outputs) {
    int16_t* w = taps.weights.get();
    for (size_t i = 0; i < size_t(outputs) * size_t(taps.count); i += AcrossStep) {
        std::swap(w[i + 1], w[i + 2]);
    }
}

int32_t Channel(uint32_t pixel, int c) {
    return int32_t(pixel >> (8 * c) & 0xFF);
}

void AcrossPlain(const uint32_t* row, const Resampler::Taps& taps, int32_t width, int16_t* out) {
    static constexpr int Order[AcrossStep] = {0, 2, 1, 3};
    const int16_t* w = taps.weights.get();
    for (int32_t x = 0; x < width; ++x, out += 4) {
        int32_t sum[3] = {0, 0, 0};
        const uint32_t* p = row + taps.first[x];
        for (int32_t t = 0; t < taps.count; t += AcrossStep, p += AcrossStep, w += AcrossStep) {
            for (int k = 0; k < AcrossStep; ++k) {
                for (int c = 0; c < 3; ++c) {
                    sum[c] += Channel(p[Order[k]], c) * w[k];
                }
            }
        }
        for (int c = 0; c < 3; ++c) {
            const int32_t level = (sum[c] + (1 << (AcrossShift - 1))) >> AcrossShift;
            out[c] = int16_t(std::clamp<int32_t>(level, INT16_MIN, INT16_MAX));
        }
        out[3] = 0;
    }
}

uint32_t DownPixel(const int16_t* const* rows, const int16_t* w, int32_t count, int32_t x) {
    uint32_t pixel = 0;
    for (int c = 0; c < 4; ++c) {
        int32_t sum = 1 << (DownShift - 1);
        for (int32_t t = 0; t < count; ++t) {
            sum += int32_t(rows[t][4 * x + c]) * w[t];
        }
        pixel |= uint32_t(std::clamp<int32_t>(sum >> DownShift, 0, 255)) << (8 * c);
    }
    return pixel;
}

void DownPlain(const int16_t* const* rows, const int16_t* w, int32_t count, int32_t width,
               uint32_t* out) {
    for (int32_t x = 0; x < width; ++x) {
        out[x] = DownPixel(rows, w, count, x);
    }
}

#ifdef PELLORAN_X86_SIMD
// Two taps' weights, w[0] in the low half.
int32_t WeightPair(const int16_t* w) {
    int32_t pair;
    std::memcpy(&pair, w, sizeof pair);
    return pair;
}

// AcrossAvx2 takes the taps in whole groups of four, and the last one or two
// as a half group, whose pixels are paired as neighbours (p0 with p1).
int32_t WholeGroups(int32_t used) {
    return used / AcrossStep + (used % AcrossStep == 3);
}
int32_t HalfGroups(int32_t used) {
    return used % AcrossStep == 1 || used % AcrossStep == 2;
}

// For AcrossAvx2: for each two output pixels x and x + 1 and each whole group
// of taps, the pairs (w0, w2) and then (w1, w3), each for x and then for
// x + 1, three times (blue, green, red) and then 0 (the fourth byte); then the
// half group's pair (w0, w1), for x and for x + 1.
std::unique_ptr<int32_t[]> LayOutPairs(const Resampler::Taps& taps, int32_t width) {
    const int32_t whole = WholeGroups(taps.used), half = HalfGroups(taps.used);
    std::unique_ptr<int32_t[]> pairs =
        Allocate<int32_t>(size_t(width / 2) * size_t(2 * whole + half) * 8);
    if (!pairs) {
        return nullptr;
    }
    int32_t* out = pairs.get();
    // The weights of taps `tap` and `tap + other` of a pixel.
    const auto lay = [&](int32_t pixel, int32_t tap, int32_t other) {
        const int16_t* w = taps.weights.get() + size_t(pixel) * size_t(taps.count) + size_t(tap);
        const int32_t pair = int32_t(uint32_t(uint16_t(w[0])) | uint32_t(uint16_t(w[other])) << 16);
        std::fill(out, out + 3, pair);
        out += 4;
    };
    for (int32_t x = 0; x + 2 <= width; x += 2) {
        for (int32_t g = 0; g < whole; ++g) {
            for (int32_t pair = 0; pair < 2; ++pair) {
                lay(x, AcrossStep * g + 2 * pair, 1);
                lay(x + 1, AcrossStep * g + 2 * pair, 1);
            }
        }
        if (half != 0) { // w0 and w1 are kept first and third (see PairAcross)
            lay(x, AcrossStep * whole, 2);
            lay(x + 1, AcrossStep * whole, 2);
        }
    }
    return pairs;
}

// One output pixel a step: four source pixels widened to 16 bits and paired
// two apart (p0 with p2, p1 with p3, channel by channel), so that one
// multiply-add of each pair by its two weights gives the three colours' sums
// (and the fourth byte's, times 0).
__attribute__((target("sse2"))) void AcrossSse2(const uint32_t* row, const Resampler::Taps& taps,
                                                int32_t from, int32_t width, int16_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (AcrossShift - 1));
    const int16_t* w = taps.weights.get() + size_t(from) * size_t(taps.count);
    out += 4 * size_t(from);
    for (int32_t x = from; x < width; ++x, out += 4) {
        const uint32_t* p = row + taps.first[x];
        __m128i sum = zero;
        for (int32_t t = 0; t < taps.count; t += AcrossStep, p += AcrossStep, w += AcrossStep) {
            const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i low = _mm_unpacklo_epi8(four, zero);
            const __m128i high = _mm_unpackhi_epi8(four, zero);
            const int32_t even = WeightPair(w), odd = WeightPair(w + 2);
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(low, high),
                                                    _mm_set_epi32(0, even, even, even)));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpackhi_epi16(low, high),
                                                    _mm_set_epi32(0, odd, odd, odd)));
        }
        sum = _mm_srai_epi32(_mm_add_epi32(sum, half), AcrossShift);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packs_epi32(sum, sum));
    }
}

// Four output pixels a step, sixteen channels side by side: each pair of rows
// interleaved channel by channel and multiplied-added by the pair's weights.
__attribute__((target("sse2"))) void DownSse2(const int16_t* const* rows, const int16_t* w,
                                              int32_t count, int32_t from, int32_t width,
                                              uint32_t* out) {
    const __m128i half = _mm_set1_epi32(1 << (DownShift - 1));
    int32_t x = from;
    for (; x + 4 <= width; x += 4) {
        __m128i sums[4] = {half, half, half, half}; // pixels x to x + 3
        for (int32_t t = 0; t < count; t += DownStep) {
            const __m128i* a = reinterpret_cast<const __m128i*>(rows[t] + 4 * x);
            const __m128i* b = reinterpret_cast<const __m128i*>(rows[t + 1] + 4 * x);
            const __m128i weights = _mm_set1_epi32(WeightPair(w + t));
            for (int part = 0; part < 2; ++part) {
                const __m128i upper = _mm_loadu_si128(a + part);
                const __m128i lower = _mm_loadu_si128(b + part);
                sums[2 * part] = _mm_add_epi32(
                    sums[2 * part], _mm_madd_epi16(_mm_unpacklo_epi16(upper, lower), weights));
                sums[2 * part + 1] = _mm_add_epi32(
                    sums[2 * part + 1], _mm_madd_epi16(_mm_unpackhi_epi16(upper, lower), weights));
            }
        }
        const __m128i low =
            _mm_packs_epi32(_mm_srai_epi32(sums[0], DownShift), _mm_srai_epi32(sums[1], DownShift));
        const __m128i high =
            _mm_packs_epi32(_mm_srai_epi32(sums[2], DownShift), _mm_srai_epi32(sums[3], DownShift));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(low, high));
    }
    for (; x < width; ++x) {
        out[x] = DownPixel(rows, w, count, x);
    }
}

// Four pixels from `p` and four from `q`, one in each half.
__attribute__((target("avx2"))) inline __m256i FourAndFour(const uint32_t* p, const uint32_t* q) {
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), 1);
}

// Four output pixels a step, two in each of two registers, one in each half:
// as AcrossSse2, with the source pixels widened and paired by one byte
// shuffle each, and the weights of each two pixels laid out ready (see
// LayOutPairs). `Whole` and `Half` fix the groups of taps, or when -1 the
// taps' own are taken.
template <int32_t Whole, int32_t Half>
__attribute__((target("avx2"))) void AcrossAvx2(const uint32_t* row, const Resampler::Taps& taps,
                                                const int32_t* pairs, int32_t width, int16_t* out) {
    // The bytes of p0 and p2 (p1 and p3; p0 and p1) as 16-bit pairs, channel
    // by channel; -1 makes a 0, for the fourth byte too.
    const __m256i even =
        _mm256_setr_epi8(0, -1, 8, -1, 1, -1, 9, -1, 2, -1, 10, -1, -1, -1, -1, -1, 0, -1, 8, -1, 1,
                         -1, 9, -1, 2, -1, 10, -1, -1, -1, -1, -1);
    const __m256i odd =
        _mm256_setr_epi8(4, -1, 12, -1, 5, -1, 13, -1, 6, -1, 14, -1, -1, -1, -1, -1, 4, -1, 12, -1,
                         5, -1, 13, -1, 6, -1, 14, -1, -1, -1, -1, -1);
    const __m256i neighbours =
        _mm256_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, -1, -1, -1, -1, 0, -1, 4, -1, 1,
                         -1, 5, -1, 2, -1, 6, -1, -1, -1, -1, -1);
    const __m256i round = _mm256_set1_epi32(1 << (AcrossShift - 1));
    const int32_t whole = Whole >= 0 ? Whole : WholeGroups(taps.used);
    const int32_t half = Half >= 0 ? Half : HalfGroups(taps.used);
    const int32_t stride = 2 * whole + half; // the weights' registers for two pixels
    const __m256i* w = reinterpret_cast<const __m256i*>(pairs);
    int32_t x = 0;
    for (; x + 4 <= width; x += 4, out += 16, w += 2 * stride) {
        const uint32_t* p[4] = {row + taps.first[x], row + taps.first[x + 1],
                                row + taps.first[x + 2], row + taps.first[x + 3]};
        __m256i low = round, high = round; // pixels x | x + 1, x + 2 | x + 3
        for (int32_t g = 0; g < whole + half; ++g) {
            const __m256i lowFour = FourAndFour(p[0] + AcrossStep * g, p[1] + AcrossStep * g);
            const __m256i highFour = FourAndFour(p[2] + AcrossStep * g, p[3] + AcrossStep * g);
            const __m256i* lowWeights = w + 2 * g;
            const __m256i* highWeights = lowWeights + stride;
            const __m256i first = g < whole ? even : neighbours;
            low = _mm256_add_epi32(low, _mm256_madd_epi16(_mm256_shuffle_epi8(lowFour, first),
                                                          _mm256_loadu_si256(lowWeights)));
            high = _mm256_add_epi32(high, _mm256_madd_epi16(_mm256_shuffle_epi8(highFour, first),
                                                            _mm256_loadu_si256(highWeights)));
            if (g < whole) {
                low = _mm256_add_epi32(low, _mm256_madd_epi16(_mm256_shuffle_epi8(lowFour, odd),
                                                              _mm256_loadu_si256(lowWeights + 1)));
                high =
                    _mm256_add_epi32(high, _mm256_madd_epi16(_mm256_shuffle_epi8(highFour, odd),
                                                             _mm256_loadu_si256(highWeights + 1)));
            }
        }
        // Packed within halves as pixels x, x + 2 | x + 1, x + 3; put in order.
        const __m256i words = _mm256_packs_epi32(_mm256_srai_epi32(low, AcrossShift),
                                                 _mm256_srai_epi32(high, AcrossShift));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute4x64_epi64(words, 0xD8));
    }
    _mm256_zeroupper(); // see DownAvx2
    AcrossSse2(row, taps, x, width, out - 4 * size_t(x));
}

// Eight output pixels a step: as DownSse2, thirty-two channels side by side.
__attribute__((target("avx2"))) void DownAvx2(const int16_t* const* rows, const int16_t* w,
                                              int32_t count, int32_t width, uint32_t* out) {
    const __m256i half = _mm256_set1_epi32(1 << (DownShift - 1));
    // The picture is written past the caches, which it would only crowd: its
    // rows are not read again here. Those stores take whole aligned 16 bytes.
    const int32_t ahead = int32_t(4 - reinterpret_cast<uintptr_t>(out) / 4 % 4) % 4;
    int32_t x = std::min(ahead, width);
    DownSse2(rows, w, count, 0, x, out);
    for (; x + 8 <= width; x += 8) {
        // Pixels x, x + 2 | x + 1, x + 3 | x + 4, x + 6 | x + 5, x + 7.
        __m256i sums[4] = {half, half, half, half};
        for (int32_t t = 0; t < count; t += DownStep) {
            const __m256i* a = reinterpret_cast<const __m256i*>(rows[t] + 4 * x);
            const __m256i* b = reinterpret_cast<const __m256i*>(rows[t + 1] + 4 * x);
            const __m256i weights = _mm256_set1_epi32(WeightPair(w + t));
            for (int part = 0; part < 2; ++part) {
                const __m256i upper = _mm256_loadu_si256(a + part);
                const __m256i lower = _mm256_loadu_si256(b + part);
                sums[2 * part] = _mm256_add_epi32(
                    sums[2 * part],
                    _mm256_madd_epi16(_mm256_unpacklo_epi16(upper, lower), weights));
                sums[2 * part + 1] = _mm256_add_epi32(
                    sums[2 * part + 1],
                    _mm256_madd_epi16(_mm256_unpackhi_epi16(upper, lower), weights));
            }
        }
        // Packed within halves: the words in order, the bytes as pixels
        // 0 1 4 5 | 2 3 6 7, put in order.
        const __m256i low = _mm256_packs_epi32(_mm256_srai_epi32(sums[0], DownShift),
                                               _mm256_srai_epi32(sums[1], DownShift));
        const __m256i high = _mm256_packs_epi32(_mm256_srai_epi32(sums[2], DownShift),
                                                _mm256_srai_epi32(sums[3], DownShift));
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(low, high), 0xD8);
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + x), _mm256_castsi256_si128(bytes));
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + x + 4),
                         _mm256_extracti128_si256(bytes, 1));
    }
    _mm_sfence();
    // The upper halves of the registers cleared before the SSE2 steps and the
    // return: 128-bit instructions of the old encoding (libjpeg's, the
    // run-time library's, this program's) run slowly after AVX code that has
    // left them in use, on many processors.
    _mm256_zeroupper();
    DownSse2(rows, w, count, x, width, out);
}
#endif
} // namespace

bool Resampler::Start(int32_t sourceWidth, int32_t sourceHeight, int32_t newWidth,
                      int32_t newHeight) {
    width = newWidth;
    height = newHeight;
    received = 0;
    done = 0;
    if (!MakeTaps(sourceWidth, width, AcrossStep, across) ||
        !MakeTaps(sourceHeight, height, DownStep, down)) {
        return false;
    }
    PairAcross(across, width);
#ifdef PELLORAN_X86_SIMD
    if (path == SimdPath::Avx2) {
        acrossPairs = LayOutPairs(across, width);
        if (!acrossPairs) {
            return false;
        }
    }
#endif
    // The taps across read up to a whole step past the row's last pixel.
    source = Allocate<uint32_t>(size_t(sourceWidth) + size_t(across.count));
    ring = Allocate<int16_t>(size_t(down.count) * size_t(width) * 4);
    window = Allocate<const int16_t*>(size_t(down.count));
    pixels = AllocatePixels(width, height);
    return source && ring && window && pixels;
}

void Resampler::AddRow() {
    const size_t rowLength = size_t(width) * 4;
    int16_t* const row = ring.get() + size_t(received % down.count) * rowLength;
    switch (path) {
#ifdef PELLORAN_X86_SIMD
    case SimdPath::Sse2:
        AcrossSse2(source.get(), across, 0, width, row);
        break;
    case SimdPath::Avx2:
        // Five to eight taps: most fits, libjpeg having scaled the picture to
        // within one and a half times its fitted size.
        (across.used == 5 || across.used == 6 ? AcrossAvx2<1, 1>
         : across.used == 7 || across.used == 8
             ? AcrossAvx2<2, 0>
             : AcrossAvx2<-1, -1>)(source.get(), across, acrossPairs.get(), width, row);
        break;
#endif
    default:
        AcrossPlain(source.get(), across, width, row);
    }
    ++received;
    for (; done < height && down.last[done] < received; ++done) {
        const int32_t first = down.first[done];
        for (int32_t t = 0; t < down.count; ++t) {
            window[t] = ring.get() + size_t((first + t) % down.count) * rowLength;
        }
        const int16_t* weights = down.weights.get() + size_t(done) * size_t(down.count);
        uint32_t* out = pixels.get() + size_t(done) * size_t(width);
        switch (path) {
#ifdef PELLORAN_X86_SIMD
        case SimdPath::Sse2:
            DownSse2(window.get(), weights, down.count, 0, width, out);
            break;
        case SimdPath::Avx2:
            DownAvx2(window.get(), weights, down.count, width, out);
            break;
#endif
        default:
            DownPlain(window.get(), weights, down.count, width, out);
        }
    }
}
