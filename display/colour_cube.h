// The 216 colours of the palette used on 8-bit displays: six levels per channel.
#pragma once

#include <array>
#include <cstdint>

struct CubeColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

constexpr int CubeColours = 216;
// The palette entry flag that keeps an entry from being merged with the system's.
constexpr uint8_t NoCollapse = 4;

// Entry r + 6g + 36b (red fastest) is (51r, 51g, 51b), flagged NoCollapse.
std::array<CubeColour, CubeColours> ColourCube();
