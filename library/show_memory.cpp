#include "library/show_memory.h"

#include <algorithm>

uint64_t PictureHash(const std::string& name) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

SeenPictures::SeenPictures(const std::vector<uint64_t>& hashes) {
    for (const uint64_t hash : hashes) {
        AddHash(hash);
    }
}

void SeenPictures::Add(const std::string& name) {
    AddHash(PictureHash(name));
}

void SeenPictures::AddHash(uint64_t hash) {
    if (!set.insert(hash).second) {
        order.erase(std::find(order.begin(), order.end(), hash));
    } else if (order.size() == Capacity) {
        set.erase(order.front());
        order.pop_front();
    }
    order.push_back(hash);
}

void SeenPictures::Clear() {
    order.clear();
    set.clear();
}

StoredMemory EncodeMemory(const ShowMemory& memory) {
    StoredMemory stored{memory.folder, memory.subfolders ? 1 : 0, memory.last, {}};
    for (const uint64_t hash : memory.seen.Hashes()) {
        for (int byte = 0; byte < 8; ++byte) {
            stored.seen.push_back(static_cast<uint8_t>(hash >> (8 * byte)));
        }
    }
    return stored;
}

// A memory that cannot be read whole is a first show's.
ShowMemory DecodeMemory(const StoredMemory& stored) {
    if (stored.folder.empty() || (stored.subfolders != 0 && stored.subfolders != 1) ||
        stored.seen.size() % 8 != 0) {
        return {};
    }
    std::vector<uint64_t> hashes(stored.seen.size() / 8);
    for (std::size_t i = 0; i < stored.seen.size(); ++i) {
        hashes[i / 8] |= uint64_t{stored.seen[i]} << (8 * (i % 8));
    }
    return {stored.folder, stored.subfolders == 1, stored.last, SeenPictures(hashes)};
}

void ShowMemory::Drew(const std::string& picture, const std::string& partner) {
    if (!partner.empty()) {
        seen.Add(partner);
    }
    seen.Add(picture);
    last = picture;
}

ShowMemory MemoryFor(ShowMemory memory, const std::string& folder, bool subfolders) {
    if (memory.folder != folder || memory.subfolders != subfolders) {
        return {folder, subfolders, {}, {}};
    }
    return memory;
}
