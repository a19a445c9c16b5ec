// The program's pseudo-random generator: one 32-bit state for the process,
// seeded once at start-up. The shuffle of the picture list and the scattered
// placement of pictures draw from this one sequence. It is the program's own
// code rather than the C runtime's, so every build gives the same sequence for
// the same seed.
#pragma once

#include <cstdint>

constexpr int32_t RandomMax = 32767;

void SeedRandom(uint32_t seed);

// Advances the state and yields a value from 0 to RandomMax.
int32_t NextRandom();
