// The Exif block: "Exif", two zero bytes, then a TIFF structure whose offsets
// count from its own start. The TIFF header gives the byte order, the number
// 42 and the offset of the first directory: a count of 12-byte entries (tag,
// type, count, value field). Every read is checked against the block's length
// first.
#include "decode/tiff_reader.h"

#include <cstring>

namespace {
constexpr uint8_t ExifHeader[ExifHeaderSize] = {'E', 'x', 'i', 'f', 0, 0};
constexpr size_t TiffHeaderSize = 8;
constexpr size_t EntrySize = 12;
constexpr uint16_t TiffMagic = 42;
} // namespace

bool StartsExifBlock(const uint8_t* data, size_t size) {
    return data != nullptr && size >= sizeof ExifHeader &&
           std::memcmp(data, ExifHeader, sizeof ExifHeader) == 0;
}

std::optional<TiffReader> TiffReader::OfExifBlock(const uint8_t* data, size_t size) {
    if (!StartsExifBlock(data, size) || size - ExifHeaderSize < TiffHeaderSize) {
        return std::nullopt;
    }
    const uint8_t* tiff = data + ExifHeaderSize;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    const bool big = tiff[0] == 'M' && tiff[1] == 'M';
    if (!little && !big) {
        return std::nullopt;
    }
    TiffReader reader(tiff, size - ExifHeaderSize, big);
    uint16_t magic = 0;
    reader.Read16(2, magic);
    reader.Read32(4, reader.firstDirectory);
    if (magic != TiffMagic) {
        return std::nullopt;
    }
    return reader;
}

bool TiffReader::Read16(size_t offset, uint16_t& value) const {
    uint32_t wide = 0;
    if (!Read(offset, 2, wide)) {
        return false;
    }
    value = static_cast<uint16_t>(wide);
    return true;
}

bool TiffReader::Read32(size_t offset, uint32_t& value) const {
    return Read(offset, 4, value);
}

const uint8_t* TiffReader::Bytes(size_t offset, size_t count) const {
    return offset > size || size - offset < count ? nullptr : tiff + offset;
}

// A directory's entries are looked at once each, and there are no more of
// them than fit in the structure.
std::optional<TiffEntry> TiffReader::Find(uint32_t directory, uint16_t tag) const {
    uint16_t count = 0;
    if (!Read16(directory, count)) {
        return std::nullopt;
    }
    const size_t first = size_t{directory} + 2;
    if ((size - first) / EntrySize < count) {
        return std::nullopt;
    }
    for (size_t entry = first; entry < first + count * EntrySize; entry += EntrySize) {
        uint16_t entryTag = 0;
        Read16(entry, entryTag);
        if (entryTag == tag) {
            TiffEntry found;
            Read16(entry + 2, found.type);
            Read32(entry + 4, found.count);
            found.valueField = entry + 8;
            return found;
        }
    }
    return std::nullopt;
}

bool TiffReader::Read(size_t offset, size_t bytes, uint32_t& value) const {
    if (Bytes(offset, bytes) == nullptr) {
        return false;
    }
    value = 0;
    for (size_t i = 0; i < bytes; ++i) {
        const uint32_t byte = tiff[offset + (bigEndian ? i : bytes - 1 - i)];
        value = value << 8 | byte;
    }
    return true;
}
