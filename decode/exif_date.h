// The day a photo was taken, as its camera recorded it in the Exif
// DateTimeOriginal tag. The file's own dates are left alone: a copied file
// gets the day of the copy.
#pragma once

#include "picture/taken_date.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The date, when it is a day of the calendar in years 1 to 9999.
std::optional<TakenDate> CalendarDate(int32_t year, int32_t month, int32_t day);

// The date of Exif's text form "YYYY:MM:DD HH:MM:SS" (or "YYYY-MM-DD ...",
// which some programs write); the time is not read, but the date must end the
// text or be followed by a space or a 'T'. None for anything but digits in the
// date's places, for the "0000:00:00 00:00:00" and the blanks that stand for
// an unknown date, and for a day that does not exist.
std::optional<TakenDate> ParseExifDate(std::string_view text);

// The DateTimeOriginal that an APP1 marker's data (the bytes after its length)
// records: the text of tag 0x9003 in the Exif directory that IFD0's tag 0x8769
// points to. None for another kind of APP1 block, a block whose offsets or
// counts lead outside it, no such directory or tag, or text that is no date.
// IFD0's DateTime is not read: it is the day the file was last edited.
std::optional<TakenDate> ExifTakenDate(const uint8_t* data, size_t size);
