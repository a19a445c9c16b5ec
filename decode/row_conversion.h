// One decoded row of libjpeg samples into one row of 0x00RRGGBB pixels.
#pragma once

#include <cstdint>

// One byte per pixel: grey g becomes R = G = B = g.
void ConvertGreyRow(const uint8_t* samples, uint32_t* pixels, int32_t width);
// Three bytes per pixel: red, green, blue.
void ConvertRgbRow(const uint8_t* samples, uint32_t* pixels, int32_t width);
// Four bytes per pixel: cyan, magenta, yellow, black as Adobe stores them, inverted
// (255 is no ink). Each colour is its ink's complement darkened by the black:
// R = C x K / 255, G = M x K / 255, B = Y x K / 255.
void ConvertCmykRow(const uint8_t* samples, uint32_t* pixels, int32_t width);
