#include "decode/exif_colour_space.h"

#include "decode/tiff_reader.h"

#include <cstring>
#include <optional>

namespace {
constexpr uint16_t ExifDirectoryTag = 0x8769;
constexpr uint16_t ColorSpaceTag = 0xA001;
constexpr uint16_t InteropDirectoryTag = 0xA005;
constexpr uint16_t InteropIndexTag = 0x0001;
constexpr uint16_t Uncalibrated = 0xFFFF;

// The directory that an entry of one LONG (or IFD) points to.
std::optional<uint32_t> Directory(const TiffReader& tiff, uint32_t from, uint16_t tag) {
    const std::optional<TiffEntry> pointer = tiff.Find(from, tag);
    uint32_t directory = 0;
    if (!pointer || (pointer->type != TiffLong && pointer->type != TiffIfd) ||
        pointer->count != 1 || !tiff.Read32(pointer->valueField, directory)) {
        return std::nullopt;
    }
    return directory;
}
} // namespace

// Each of the three directories is looked into once: no chain of offsets can
// loop. The index's text ("R03" and its zero) fits in its value field.
bool ExifMarksAdobeRgb(const uint8_t* data, size_t size) {
    const std::optional<TiffReader> tiff = TiffReader::OfExifBlock(data, size);
    const std::optional<uint32_t> exif =
        tiff ? Directory(*tiff, tiff->FirstDirectory(), ExifDirectoryTag) : std::nullopt;
    const std::optional<TiffEntry> space = exif ? tiff->Find(*exif, ColorSpaceTag) : std::nullopt;
    uint16_t value = 0;
    if (!space || space->type != TiffShort || space->count != 1 ||
        !tiff->Read16(space->valueField, value) || value != Uncalibrated) {
        return false;
    }
    const std::optional<uint32_t> interop = Directory(*tiff, *exif, InteropDirectoryTag);
    const std::optional<TiffEntry> index =
        interop ? tiff->Find(*interop, InteropIndexTag) : std::nullopt;
    if (!index || index->type != TiffAscii || index->count < 3 || index->count > 4) {
        return false;
    }
    const uint8_t* text = tiff->Bytes(index->valueField, 3);
    return text != nullptr && std::memcmp(text, "R03", 3) == 0;
}
