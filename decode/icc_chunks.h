// An ICC profile embedded in a JPEG file, which carries it in APP2 markers of
// at most 64 KB each: every chunk numbered from 1 and naming how many there are.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes an APP2 marker's data starts with when it is a chunk of a profile:
// "ICC_PROFILE", a zero, the chunk's number and the number of chunks.
constexpr size_t IccChunkHeaderSize = 14;
// Whether an APP2 marker's data, of which `size` bytes are given, starts as a
// chunk does.
bool StartsIccChunk(const uint8_t* data, size_t size);

class IccChunks {
public:
    // Whether the chunk that the header (IccChunkHeaderSize bytes) starts, with
    // `size` bytes of the profile after it, is to be kept: a chunk whose number
    // is 0, beyond the count, met before, or whose count differs from the
    // first chunk's breaks the profile, as do more bytes than a profile may
    // have (ColourProfile::MostIccBytes); nothing is kept after that.
    bool Expect(const uint8_t* header, size_t size);
    // Keeps the bytes of the chunk that Expect accepted last; they must stay
    // until Assemble.
    void Keep(const uint8_t* bytes);
    // The profile: the chunks in the order of their numbers; nothing when there
    // were none, a chunk is missing, or they broke it.
    std::vector<uint8_t> Assemble() const;

private:
    struct Chunk {
        const uint8_t* bytes = nullptr;
        size_t size = 0;
    };
    std::array<Chunk, 255> chunks{};
    int count = 0; // as the first chunk gave it; 0 before
    int last = 0;  // the number of the chunk Expect accepted last
    size_t total = 0;
    bool broken = false;
};
