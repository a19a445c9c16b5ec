// The day a photo was taken, as its camera recorded it (decode/exif_date.h
// reads it).
#pragma once

#include <cstdint>

// A day of the Gregorian calendar, as the camera's clock gave it (local time,
// of no known zone).
struct TakenDate {
    int32_t year = 0;  // 1 to 9999
    int32_t month = 0; // 1 to 12
    int32_t day = 0;   // 1 to the month's last day
};
