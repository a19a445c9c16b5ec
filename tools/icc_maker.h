// ICC profiles made through Little CMS for the tests, the benchmark and the
// fuzz seeds, so that no profile file has to live in the repository.
#pragma once

#include <cstdint>
#include <vector>

// RGB profiles of curves and a matrix: Adobe RGB (1998), Display P3 (P3's
// primaries, D65, sRGB's curve), and one whose red and green primaries are
// sRGB's green and red, so that a stored red is shown green.
std::vector<uint8_t> AdobeRgbIcc();
std::vector<uint8_t> DisplayP3Icc();
std::vector<uint8_t> SwappedRedGreenIcc();
// A grey profile (D50, gamma 2.2) and a CMYK output profile whose table
// (of `gridPoints` a side) mixes inks into Lab simply: each ink takes its
// complement away.
std::vector<uint8_t> GreyIcc();
std::vector<uint8_t> CmykIcc(int gridPoints = 17);
