// Compiled by check-stack-alignment.py with the 32-bit build's flags: SSE
// values summed in a stack array, which GCC reads through aligned operands.
#include <immintrin.h>

void StackAlignmentProbeUse(__m128i* sums);

__attribute__((target("ssse3"))) __m128i StackAlignmentProbe(const __m128i* values, int count) {
    __m128i sums[4] = {};
    StackAlignmentProbeUse(sums);
    for (int i = 0; i < count; ++i) {
        sums[i & 3] = _mm_add_epi32(sums[i & 3], values[i]);
    }
    return _mm_add_epi32(sums[0], sums[1]);
}
