// The shape of a picture as the show shows it, known before it is decoded: the
// size its file's header gives, turned as its orientation asks.
#pragma once

#include "picture/fit_size.h"

#include <atomic>
#include <optional>

// Reads only as much of the file as its header takes (JPEG files through
// libjpeg, others through the platform's decoders); none for a file that
// cannot be read so far, or when `abandon` (if given) goes up meanwhile.
std::optional<PictureSize> ReadPictureShape(const char* path, const std::atomic_bool* abandon);
