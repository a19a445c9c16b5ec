#include "decode/icc_chunks.h"

#include "picture/colour_profile.h"

#include <cstring>

bool StartsIccChunk(const uint8_t* data, size_t size) {
    return size >= IccChunkHeaderSize && std::memcmp(data, "ICC_PROFILE", 12) == 0;
}

bool IccChunks::Expect(const uint8_t* header, size_t size) {
    const int number = header[12];
    const int claimed = header[13];
    if (count == 0) {
        count = claimed;
    }
    broken = broken || number == 0 || number > count || claimed != count ||
             chunks[size_t(number - 1)].bytes != nullptr ||
             size > ColourProfile::MostIccBytes - total;
    if (broken) {
        return false;
    }
    last = number;
    total += size;
    chunks[size_t(number - 1)].size = size;
    return true;
}

void IccChunks::Keep(const uint8_t* bytes) {
    chunks[size_t(last - 1)].bytes = bytes;
}

std::vector<uint8_t> IccChunks::Assemble() const {
    std::vector<uint8_t> profile;
    if (broken || count == 0) {
        return profile;
    }
    for (int number = 1; number <= count; ++number) {
        if (chunks[size_t(number - 1)].bytes == nullptr) {
            return {};
        }
    }
    profile.reserve(total);
    for (int number = 1; number <= count; ++number) {
        const Chunk& chunk = chunks[size_t(number - 1)];
        profile.insert(profile.end(), chunk.bytes, chunk.bytes + chunk.size);
    }
    return profile;
}
