// Two pictures shown as one: a pair of portrait pictures side by side on a
// landscape screen, or of landscape pictures one above the other on a screen
// turned upright.
#pragma once

#include "picture/picture.h"

#include <cstdint>

enum class Pairing { None, SideBySide, TopAndBottom };

// The pair as one picture: the first on the left (or on top), the second
// `gap` pixels after it, each centred across the pairing's direction in the
// box around both, black around them. Failed when either is not drawable,
// the pairing is None, or the memory cannot be had.
Picture PairPictures(const Picture& first, const Picture& second, Pairing pairing, int32_t gap);
