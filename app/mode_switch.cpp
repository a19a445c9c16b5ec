#include "app/mode_switch.h"

#include "common/ascii_text.h"

#include <cstdint>
#include <cstring>
#include <string>

bool MatchSwitch(const char* argument, const char* letter) {
    if (*argument == '-' || *argument == '/') {
        ++argument;
    }
    return EqualIgnoringCase(argument, letter);
}

bool MatchSwitchWithHandle(const char* argument, const char* letter, int32_t& handle) {
    const char* colon = std::strchr(argument, ':');
    if (colon == nullptr || !MatchSwitch(std::string(argument, colon).c_str(), letter)) {
        return false;
    }
    const char* digits = colon + 1;
    const size_t count = std::strspn(digits, "0123456789");
    if (count == 0 || digits[count] != '\0') {
        return false;
    }
    handle = ReadDecimal(digits);
    return true;
}

int32_t ReadDecimal(const char* text) {
    while (IsSpace(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT64_C(1) << 32) {
            break;
        }
    }
    value = negative ? -value : value;
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

StartRequest ReadStartRequest(int count, const char* const* arguments) {
    StartRequest request;
    if (count <= 1) {
        request.mode = SaverMode::Setup;
    } else if (MatchSwitch(arguments[1], "c") ||
               MatchSwitchWithHandle(arguments[1], "c", request.setupOwner)) {
        request.mode = SaverMode::Setup;
    } else if (MatchSwitch(arguments[1], "p")) {
        if (count > 2) {
            request.mode = SaverMode::Preview;
            request.previewParent = ReadDecimal(arguments[2]);
        }
    } else if (MatchSwitch(arguments[1], "s")) {
        request.mode = SaverMode::Show;
    }
    return request;
}
