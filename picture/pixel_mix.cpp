#include "picture/pixel_mix.h"

#include "picture/picture.h"

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
} // namespace

// Three loops, so that the compiler can vectorise each without a test per pixel.
void MixPixels(const uint32_t* from, const uint32_t* to, uint32_t* out, std::size_t count,
               int level) {
    const uint32_t toWeight = static_cast<uint32_t>(level);
    const uint32_t fromWeight = static_cast<uint32_t>(FadeLevels - level);
    if (from != nullptr && to != nullptr) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = Mix(from[i], to[i], fromWeight, toWeight);
        }
    } else if (from != nullptr) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = Mix(from[i], 0, fromWeight, 0);
        }
    } else if (to != nullptr) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = Mix(0, to[i], 0, toWeight);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = 0;
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
