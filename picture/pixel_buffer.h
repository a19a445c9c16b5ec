// The pixel buffers of pictures: width x height 32-bit pixels.
#pragma once

#include <cstdint>
#include <memory>

// A new uninitialised buffer, or null when the memory cannot be had (or the
// size cannot even be expressed): pictures come from files of any content, and
// a huge one must fail quietly rather than end the show.
std::unique_ptr<uint32_t[]> AllocatePixels(int32_t width, int32_t height);
