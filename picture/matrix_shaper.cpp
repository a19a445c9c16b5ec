#include "picture/matrix_shaper.h"

#include <algorithm>
#include <cmath>

#ifdef PELLORAN_X86_SIMD
#include <immintrin.h>
#endif

namespace {
constexpr float Steps = float(MatrixShaperTables::EncodeSteps);

using EncodeTables = std::array<const uint8_t*, 3>;

void ApplyPlain(const MatrixShaperTables& t, const EncodeTables& encode, const uint32_t* from,
                uint32_t* to, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = from[i];
        const float r = t.linear[0][p >> 16 & 0xFF];
        const float g = t.linear[1][p >> 8 & 0xFF];
        const float b = t.linear[2][p & 0xFF];
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
            const auto& m = t.matrix[size_t(c)];
            const float v = std::min(std::max(m[0] * r + m[1] * g + m[2] * b, 0.0f), 1.0f);
            out = out << 8 | encode[size_t(c)][size_t(int(std::sqrt(v) * Steps + 0.5f))];
        }
        to[i] = out;
    }
}

#ifdef PELLORAN_X86_SIMD
// Eight pixels a step: the levels' linear light and the target's levels
// gathered from the tables, the matrix in separate multiplies and adds in the
// plain path's order, so that both give the same bits.
__attribute__((target("avx2"))) void ApplyAvx2(const MatrixShaperTables& t,
                                               const EncodeTables& encode, const uint32_t* from,
                                               uint32_t* to, size_t count) {
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256 zero = _mm256_setzero_ps(), one = _mm256_set1_ps(1.0f);
    const __m256 steps = _mm256_set1_ps(Steps), half = _mm256_set1_ps(0.5f);
    __m256 m[3][3];
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < 3; ++k) {
            m[c][k] = _mm256_set1_ps(t.matrix[size_t(c)][size_t(k)]);
        }
    }
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256 r = _mm256_i32gather_ps(t.linear[0].data(),
                                             _mm256_and_si256(_mm256_srli_epi32(p, 16), byte), 4);
        const __m256 g = _mm256_i32gather_ps(t.linear[1].data(),
                                             _mm256_and_si256(_mm256_srli_epi32(p, 8), byte), 4);
        const __m256 b = _mm256_i32gather_ps(t.linear[2].data(), _mm256_and_si256(p, byte), 4);
        __m256i out = _mm256_setzero_si256();
        for (int c = 0; c < 3; ++c) {
            const __m256 sum =
                _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(m[c][0], r), _mm256_mul_ps(m[c][1], g)),
                              _mm256_mul_ps(m[c][2], b));
            const __m256 v = _mm256_min_ps(_mm256_max_ps(sum, zero), one);
            const __m256i index =
                _mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(_mm256_sqrt_ps(v), steps), half));
            const __m256i level = _mm256_and_si256(
                _mm256_i32gather_epi32(reinterpret_cast<const int*>(encode[size_t(c)]), index, 1),
                byte);
            out = _mm256_or_si256(_mm256_slli_epi32(out, 8), level);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), out);
    }
    _mm256_zeroupper();
    ApplyPlain(t, encode, from + i, to + i, count - i);
}
#endif
} // namespace

MatrixShaperTransform::MatrixShaperTransform(const MatrixShaperTables& tables, SimdPath path)
    : tables(tables), path(path) {
    for (size_t c = 0; c < 3; ++c) {
        const bool same = this->tables.encode[c] == this->tables.encode[0];
        encode[c] = (same ? this->tables.encode[0] : this->tables.encode[c]).data();
    }
}

void MatrixShaperTransform::Apply(const void* from, uint32_t* to, size_t count) const {
    const auto* pixels = static_cast<const uint32_t*>(from);
#ifdef PELLORAN_X86_SIMD
    if (path == SimdPath::Avx2) {
        ApplyAvx2(tables, encode, pixels, to, count);
        return;
    }
#endif
    ApplyPlain(tables, encode, pixels, to, count);
}
