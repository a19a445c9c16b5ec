// The Exif block: "Exif", two zero bytes, then a TIFF structure whose offsets
// count from its own start. The TIFF header gives the byte order ("II" little-,
// "MM" big-endian), the number 42 and the offset of the first directory (IFD0):
// a count of 12-byte entries (tag, type, count, value), the Orientation among
// them as one SHORT. Every read is checked against the block's length first.
#include "picture/exif_orientation.h"

#include <cstring>

namespace {
constexpr uint8_t ExifHeader[ExifHeaderSize] = {'E', 'x', 'i', 'f', 0, 0};
constexpr size_t TiffHeaderSize = 8;
constexpr size_t EntrySize = 12;
constexpr uint16_t TiffMagic = 42;
constexpr uint16_t OrientationTag = 0x0112;
constexpr uint16_t ShortType = 3;

// Numbers at offsets of the TIFF structure, in its byte order; a number that
// does not lie wholly inside it cannot be read.
class TiffReader {
public:
    TiffReader(const uint8_t* tiff, size_t size, bool bigEndian)
        : tiff(tiff), size(size), bigEndian(bigEndian) {}

    size_t Size() const { return size; }

    bool Read16(size_t offset, uint16_t& value) const {
        uint32_t wide = 0;
        if (!Read(offset, 2, wide)) {
            return false;
        }
        value = static_cast<uint16_t>(wide);
        return true;
    }
    bool Read32(size_t offset, uint32_t& value) const { return Read(offset, 4, value); }

private:
    bool Read(size_t offset, size_t bytes, uint32_t& value) const {
        if (offset > size || size - offset < bytes) {
            return false;
        }
        value = 0;
        for (size_t i = 0; i < bytes; ++i) {
            const uint32_t byte = tiff[offset + (bigEndian ? i : bytes - 1 - i)];
            value = value << 8 | byte;
        }
        return true;
    }

    const uint8_t* tiff;
    size_t size;
    bool bigEndian;
};

// The TIFF structure's reader, when the header names a byte order.
bool OpenTiff(const uint8_t* tiff, size_t size, bool& bigEndian) {
    if (size < TiffHeaderSize) {
        return false;
    }
    if (tiff[0] == 'I' && tiff[1] == 'I') {
        bigEndian = false;
        return true;
    }
    if (tiff[0] == 'M' && tiff[1] == 'M') {
        bigEndian = true;
        return true;
    }
    return false;
}

// The orientation entry of the directory at the given offset, when the
// directory lies wholly inside the structure.
Orientation FindOrientation(const TiffReader& tiff, uint32_t directory) {
    uint16_t count = 0;
    if (!tiff.Read16(directory, count)) {
        return Orientation::Upright;
    }
    const size_t first = size_t{directory} + 2;
    if ((tiff.Size() - first) / EntrySize < count) {
        return Orientation::Upright;
    }
    for (size_t entry = first; entry < first + count * EntrySize; entry += EntrySize) {
        uint16_t tag = 0, type = 0, value = 0;
        uint32_t values = 0;
        tiff.Read16(entry, tag);
        if (tag != OrientationTag) {
            continue;
        }
        tiff.Read16(entry + 2, type);
        tiff.Read32(entry + 4, values);
        tiff.Read16(entry + 8, value);
        if (type != ShortType || values != 1 || value < 1 || value > 8) {
            return Orientation::Upright;
        }
        return static_cast<Orientation>(value);
    }
    return Orientation::Upright;
}
} // namespace

Orientation ExifOrientation(const uint8_t* data, size_t size) {
    if (!StartsExifBlock(data, size)) {
        return Orientation::Upright;
    }
    const uint8_t* tiffStart = data + sizeof ExifHeader;
    const size_t tiffSize = size - sizeof ExifHeader;
    bool bigEndian = false;
    if (!OpenTiff(tiffStart, tiffSize, bigEndian)) {
        return Orientation::Upright;
    }
    const TiffReader tiff(tiffStart, tiffSize, bigEndian);
    uint16_t magic = 0;
    uint32_t directory = 0;
    if (!tiff.Read16(2, magic) || magic != TiffMagic || !tiff.Read32(4, directory)) {
        return Orientation::Upright;
    }
    return FindOrientation(tiff, directory);
}

bool StartsExifBlock(const uint8_t* data, size_t size) {
    return data != nullptr && size >= sizeof ExifHeader &&
           std::memcmp(data, ExifHeader, sizeof ExifHeader) == 0;
}
