// The delay's text in the setup dialog: written as signed decimal, read the way
// the C library's "%i" conversion reads an integer.
#pragma once

#include <cstdint>
#include <string>

// "%i": signed decimal, no leading zeros or spaces.
std::string FormatInteger(int32_t value);

// Skips leading white space, takes an optional sign, then a hexadecimal number
// after "0x" or "0X", an octal one after a leading "0", or a decimal one, up to
// the first character that does not fit; the rest of the text is ignored. A
// number beyond the 32-bit range reads as the nearest end of the range. Returns
// false, leaving `value` as it was, when the text holds no number.
bool ReadInteger(const std::string& text, int32_t& value);
