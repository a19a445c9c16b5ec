// A picture as a decoder made it, before it becomes a Picture: at the size
// chosen for it, as stored, with what its file says of it.
#pragma once

#include "picture/colour_profile.h"
#include "picture/fit_size.h"
#include "picture/orientation.h"
#include "picture/taken_date.h"

#include <cstdint>
#include <memory>
#include <optional>

struct DecodedPicture {
    std::unique_ptr<uint32_t[]> pixels; // 0x00RRGGBB, rows top-down
    PictureSize size;
    PictureSize source;                             // the size its file gives
    int32_t components = 3;                         // the file's colour components per pixel
    Orientation orientation = Orientation::Upright; // turns it upright
    std::optional<TakenDate> taken;                 // the day its metadata says it was taken
    ColourProfile colour;                           // what its pixels' values mean
};
