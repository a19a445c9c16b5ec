// What full-screen shows remember from one to the next, for one folder: the
// last picture drawn, after which a show in name order goes on, and which
// pictures recent shows drew, which a shuffled show keeps for after all the
// others. The pictures are named relative to the show's folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

// A picture's relative name as a 64-bit FNV-1a hash of its bytes: the same on
// every build and every machine.
uint64_t PictureHash(const std::string& name);

// The pictures recent shows drew, as hashes of their names: the last
// `Capacity` different ones, the oldest forgotten first.
class SeenPictures {
public:
    static constexpr std::size_t Capacity = 4096;

    SeenPictures() = default;
    // The hashes oldest first, as Hashes gives them; beyond Capacity the
    // oldest are dropped.
    explicit SeenPictures(const std::vector<uint64_t>& hashes);

    bool Contains(const std::string& name) const { return set.count(PictureHash(name)) != 0; }
    // The picture was drawn: it is the newest, whether or not it was there.
    void Add(const std::string& name);
    void Clear();
    std::vector<uint64_t> Hashes() const { return {order.begin(), order.end()}; }
    bool Empty() const { return order.empty(); }

private:
    void AddHash(uint64_t hash);

    std::deque<uint64_t> order; // oldest first
    std::unordered_set<uint64_t> set;
};

struct ShowMemory {
    std::string folder; // the show's folder in full
    bool subfolders = false;
    std::string last; // the last picture drawn; empty when none was
    SeenPictures seen;

    // A screen was drawn: a picture, and its partner when it has one (empty
    // when alone). Both are seen; in name order the show goes on after the
    // first, so that nothing the partner was brought forward over is passed over.
    void Drew(const std::string& picture, const std::string& partner);
};

// The memory as the registry keeps it: texts, a number and bytes, each of
// which may be missing or unreadable (read as empty, or -1 for the number).
struct StoredMemory {
    std::string folder;
    int32_t subfolders = -1;
    std::string last;
    std::vector<uint8_t> seen; // eight bytes a hash, little-endian

    // The most bytes of `seen` that EncodeMemory writes: a longer stored value
    // was never the program's, and is read as none.
    static constexpr std::size_t MostSeenBytes = SeenPictures::Capacity * 8;
};

StoredMemory EncodeMemory(const ShowMemory& memory);
ShowMemory DecodeMemory(const StoredMemory& stored);

// What a show of `folder` starts with: the memory, when it is that folder's
// with the same choice of subfolders; otherwise a first show's, that
// folder's, with nothing drawn and nothing seen.
ShowMemory MemoryFor(ShowMemory memory, const std::string& folder, bool subfolders);

// Where a full-screen show keeps its memory for the next one. A failed write
// is the keeper's own business: the show goes on either way.
class MemoryKeeper {
public:
    virtual ~MemoryKeeper() = default;
    virtual void Keep(const ShowMemory& memory) = 0;
};
