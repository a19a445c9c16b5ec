// The Orientation tag: one SHORT in the first directory (IFD0) of the Exif
// block's TIFF structure.
#include "decode/exif_orientation.h"

#include "decode/tiff_reader.h"

namespace {
constexpr uint16_t OrientationTag = 0x0112;
} // namespace

Orientation ExifOrientation(const uint8_t* data, size_t size) {
    const std::optional<TiffReader> tiff = TiffReader::OfExifBlock(data, size);
    const std::optional<TiffEntry> entry =
        tiff ? tiff->Find(tiff->FirstDirectory(), OrientationTag) : std::nullopt;
    uint16_t value = 0;
    if (!entry || entry->type != TiffShort || entry->count != 1 ||
        !tiff->Read16(entry->valueField, value) || value < 1 || value > 8) {
        return Orientation::Upright;
    }
    return static_cast<Orientation>(value);
}
