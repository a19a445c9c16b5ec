#include "decode/exif_date.h"

#include "decode/tiff_reader.h"

namespace {
constexpr uint16_t ExifDirectoryTag = 0x8769;
constexpr uint16_t DateTimeOriginalTag = 0x9003;

bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    constexpr int32_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// The number written by the digits text[from] to text[from + count - 1]; -1
// when any of them is not a digit.
int32_t Digits(std::string_view text, size_t from, size_t count) {
    int32_t value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}
} // namespace

std::optional<TakenDate> CalendarDate(int32_t year, int32_t month, int32_t day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return TakenDate{year, month, day};
}

std::optional<TakenDate> ParseExifDate(std::string_view text) {
    constexpr size_t DateLength = 10; // "YYYY:MM:DD"
    if (text.size() < DateLength || (text[4] != ':' && text[4] != '-') || text[7] != text[4] ||
        (text.size() > DateLength && text[DateLength] != ' ' && text[DateLength] != 'T')) {
        return std::nullopt;
    }
    return CalendarDate(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
}

// The Exif directory's offset is one LONG (or IFD). The date's text (20 bytes
// with its terminating zero) is too long for the value field, so it lies at
// the offset the field gives (a text short enough to fit there is no date
// anyway), and is read up to its first zero. Only these two directories are
// looked into, and each once: no chain of offsets can loop.
std::optional<TakenDate> ExifTakenDate(const uint8_t* data, size_t size) {
    const std::optional<TiffReader> tiff = TiffReader::OfExifBlock(data, size);
    const std::optional<TiffEntry> pointer =
        tiff ? tiff->Find(tiff->FirstDirectory(), ExifDirectoryTag) : std::nullopt;
    uint32_t directory = 0;
    if (!pointer || (pointer->type != TiffLong && pointer->type != TiffIfd) ||
        pointer->count != 1 || !tiff->Read32(pointer->valueField, directory)) {
        return std::nullopt;
    }
    const std::optional<TiffEntry> date = tiff->Find(directory, DateTimeOriginalTag);
    uint32_t offset = 0;
    if (!date || date->type != TiffAscii || !tiff->Read32(date->valueField, offset)) {
        return std::nullopt;
    }
    const auto* text = reinterpret_cast<const char*>(tiff->Bytes(offset, date->count));
    if (text == nullptr) {
        return std::nullopt;
    }
    const std::string_view values(text, date->count);
    return ParseExifDate(values.substr(0, values.find('\0')));
}
