#include "setup/integer_text.h"

#include "common/ascii_text.h"

#include <cstdio>
#include <limits>

namespace {
// The digit's value in any base up to 16, or 16 if it is no digit.
int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 16;
}
} // namespace

std::string FormatInteger(int32_t value) {
    char buffer[100];
    std::snprintf(buffer, sizeof buffer, "%i", static_cast<int>(value));
    return buffer;
}

bool ReadInteger(const std::string& text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || DigitValue(text[i]) >= 10) {
        return false;
    }

    int base = 10;
    if (text[i] == '0') {
        base = 8;
        const bool hexPrefix = i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
        if (hexPrefix && i + 2 < text.size() && DigitValue(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        }
    }

    // The magnitude, held at one past the largest that fits.
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) + 1;
    uint64_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        magnitude =
            magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(text[i]));
        if (magnitude > limit) {
            magnitude = limit;
        }
    }
    if (negative) {
        value = static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    } else {
        value = static_cast<int32_t>(magnitude < limit ? magnitude : limit - 1);
    }
    return true;
}
