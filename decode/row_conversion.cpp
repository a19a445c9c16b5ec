#include "decode/row_conversion.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define PELLORAN_X86_SHUFFLE 1
#endif

namespace {
void ConvertRgbPixels(const uint8_t* samples, uint32_t* pixels, int32_t from, int32_t width) {
    samples += 3 * from;
    for (int32_t x = from; x < width; ++x, samples += 3) {
        pixels[x] = (uint32_t{samples[0]} << 16) | (uint32_t{samples[1]} << 8) | samples[2];
    }
}

#ifdef PELLORAN_X86_SHUFFLE
// Four pixels at a time with one byte shuffle, where the processor has it: the
// conversion is then a small part of a load instead of a tenth of it.
__attribute__((target("ssse3"))) void ConvertRgbRowShuffled(const uint8_t* samples,
                                                            uint32_t* pixels, int32_t width) {
    // Each pixel's red, green, blue reversed into blue, green, red, and a zero.
    const __m128i order = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    int32_t x = 0;
    // Each step reads 16 bytes for the 12 it uses: stop while they are in the row.
    for (; x + 6 <= width; x += 4) {
        const __m128i rgb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 3 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), _mm_shuffle_epi8(rgb, order));
    }
    ConvertRgbPixels(samples, pixels, x, width);
}

bool DetectShuffle() {
    __builtin_cpu_init(); // this may run before the run-time library's own detection
    return __builtin_cpu_supports("ssse3");
}

const bool HaveShuffle = DetectShuffle();
#endif
} // namespace

void ConvertGreyRow(const uint8_t* samples, uint32_t* pixels, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t g = samples[x];
        pixels[x] = (g << 16) | (g << 8) | g;
    }
}

void ConvertRgbRow(const uint8_t* samples, uint32_t* pixels, int32_t width) {
#ifdef PELLORAN_X86_SHUFFLE
    if (HaveShuffle) {
        ConvertRgbRowShuffled(samples, pixels, width);
        return;
    }
#endif
    ConvertRgbPixels(samples, pixels, 0, width);
}

void ConvertCmykRow(const uint8_t* samples, uint32_t* pixels, int32_t width) {
    for (int32_t x = 0; x < width; ++x, samples += 4) {
        const uint32_t k = samples[3];
        const uint32_t red = samples[0] * k / 255;
        const uint32_t green = samples[1] * k / 255;
        const uint32_t blue = samples[2] * k / 255;
        pixels[x] = (red << 16) | (green << 8) | blue;
    }
}
