// The TIFF structure inside an Exif block, read with every offset checked: the
// block comes from a file, and a damaged or hostile file can point anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The bytes an Exif block starts with ("Exif" and two zero bytes).
constexpr size_t ExifHeaderSize = 6;
// Whether an APP1 marker's data, of which `size` bytes are given, starts as an
// Exif block does.
bool StartsExifBlock(const uint8_t* data, size_t size);

// One entry of a directory: the type and count of its values, and
// where its 4-byte value field lies (the values themselves when they fit in
// it, else the offset of the values).
struct TiffEntry {
    uint16_t type = 0;
    uint32_t count = 0;
    size_t valueField = 0;
};

// TIFF types of values.
constexpr uint16_t TiffAscii = 2;
constexpr uint16_t TiffShort = 3;
constexpr uint16_t TiffLong = 4;
constexpr uint16_t TiffIfd = 13; // a LONG that is the offset of a directory

class TiffReader {
public:
    // The TIFF structure of an APP1 marker's data (the bytes after its length),
    // when it is an Exif block whose header names a byte order ("II" little-,
    // "MM" big-endian) and the number 42.
    static std::optional<TiffReader> OfExifBlock(const uint8_t* data, size_t size);

    // Numbers at offsets of the structure, in its byte order; false, reading
    // nothing, for one that does not lie wholly inside it.
    bool Read16(size_t offset, uint16_t& value) const;
    bool Read32(size_t offset, uint32_t& value) const;
    // The `count` bytes at `offset`; null unless they lie wholly inside.
    const uint8_t* Bytes(size_t offset, size_t count) const;

    // The offset of the first directory (IFD0), as the header gives it.
    uint32_t FirstDirectory() const { return firstDirectory; }
    // The entry with the tag in the directory at the given offset; none when
    // the directory does not lie wholly inside the structure or lacks it.
    std::optional<TiffEntry> Find(uint32_t directory, uint16_t tag) const;

private:
    TiffReader(const uint8_t* tiff, size_t size, bool bigEndian)
        : tiff(tiff), size(size), bigEndian(bigEndian) {}
    bool Read(size_t offset, size_t bytes, uint32_t& value) const;

    const uint8_t* tiff;
    size_t size;
    bool bigEndian;
    uint32_t firstDirectory = 0;
};
