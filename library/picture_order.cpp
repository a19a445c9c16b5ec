#include "library/picture_order.h"

#include "common/random.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {
using Entries = std::vector<PictureEntry*>;
// Whether a goes after b.
using Greater = bool (*)(const PictureEntry& a, const PictureEntry& b);

// Where two names first differ, or the length of the shorter one.
std::size_t CommonLength(const std::string& a, const std::string& b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    const auto difference = std::mismatch(a.begin(), a.begin() + shorter, b.begin()).first;
    return static_cast<std::size_t>(difference - a.begin());
}

bool ByteBefore(char a, char b) {
    return static_cast<signed char>(a) < static_cast<signed char>(b);
}

bool GreaterByName(const PictureEntry& a, const PictureEntry& b) {
    const std::size_t i = CommonLength(a.name, b.name);
    return i < a.name.size() && i < b.name.size() && ByteBefore(b.name[i], a.name[i]);
}

// The order by name with every name put before the longer names it starts, a
// strict weak order as sorting needs.
bool SortsBefore(const std::string& a, const std::string& b) {
    const std::size_t i = CommonLength(a, b);
    if (i == a.size() || i == b.size()) {
        return a.size() < b.size();
    }
    return ByteBefore(a[i], b[i]);
}

// Eight bytes of a name, from offset on, as one number that sorts as the name
// does: each byte with its sign bit turned over, so that signed order becomes
// unsigned, and 0 for the bytes past the end of the name. Byte 0x80 gives 0 as
// well, so two different names can give the same number (never numbers in the
// wrong order); equal numbers leave the order to the names.
std::uint64_t SortKey(const std::string& name, std::size_t offset) {
    std::uint64_t key = 0;
    for (std::size_t i = offset; i < offset + 8; ++i) {
        key = key << 8 | (i < name.size() ? static_cast<unsigned char>(name[i]) ^ 0x80u : 0u);
    }
    return key;
}

struct Keyed {
    std::uint64_t key;
    std::size_t position; // in the listing
};

bool StartsWith(const std::string& name, const std::string& start) {
    return name.compare(0, start.size(), start) == 0;
}

bool CoinFlip(const PictureEntry&, const PictureEntry&) {
    return NextRandom() > RandomMax / 2;
}

// The tree sort of the entries from first to last, in place. The tree lives in
// the entries' left and right links. The in-order walk keeps its own stack: a
// tree can be one chain as long as the list.
void TreeSort(Entries::iterator first, Entries::iterator last, Greater greater) {
    if (first == last) {
        return;
    }
    PictureEntry* root = *first;
    root->left = root->right = nullptr;
    for (auto added = first + 1; added != last; ++added) {
        PictureEntry* entry = *added;
        entry->left = entry->right = nullptr;
        for (PictureEntry* node = root;;) {
            PictureEntry*& link = greater(*node, *entry) ? node->left : node->right;
            if (link == nullptr) {
                link = entry;
                break;
            }
            node = link;
        }
    }
    Entries pending;
    PictureEntry* node = root;
    while (node != nullptr || !pending.empty()) {
        for (; node != nullptr; node = node->left) {
            pending.push_back(node);
        }
        node = pending.back();
        pending.pop_back();
        *first++ = node;
        node = node->right;
    }
}
} // namespace

// Where no name starts another, the comparison by name is a strict weak order,
// and the tree sort gives what a stable sort gives. A name that starts others
// sorts right before them, and with them forms a group with which every other
// name compares alike; so the tree sort is the stable sort with each such group
// put in the order of the tree sort of its own entries, in listing order.
void OrderByName(Entries& entries) {
    if (entries.empty()) {
        return;
    }
    const auto name = [&entries](const Keyed& keyed) -> const std::string& {
        return entries[keyed.position]->name;
    };
    // The sort compares eight bytes at a time, from where the names first differ.
    const std::string& first = entries.front()->name;
    std::size_t offset = first.size();
    for (const PictureEntry* entry : entries) {
        offset = std::min(offset, CommonLength(first, entry->name));
    }
    std::vector<Keyed> sorted;
    sorted.reserve(entries.size());
    for (std::size_t position = 0; position < entries.size(); ++position) {
        sorted.push_back({SortKey(entries[position]->name, offset), position});
    }
    // Equal names keep their listing order.
    std::stable_sort(sorted.begin(), sorted.end(), [&name](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : SortsBefore(name(a), name(b));
    });
    Entries ordered;
    ordered.reserve(entries.size());
    for (auto group = sorted.begin(); group != sorted.end();) {
        const std::string& stem = name(*group);
        const auto end = std::find_if(group + 1, sorted.end(),
                                      [&](const Keyed& k) { return !StartsWith(name(k), stem); });
        // The stem sorts before the longer names it starts, so the last one tells.
        const bool startsOthers = name(*(end - 1)).size() > stem.size();
        if (startsOthers) {
            std::sort(group, end,
                      [](const Keyed& a, const Keyed& b) { return a.position < b.position; });
        }
        const std::size_t start = ordered.size();
        for (auto member = group; member != end; ++member) {
            ordered.push_back(entries[member->position]);
        }
        if (startsOthers) {
            TreeSort(ordered.begin() + static_cast<std::ptrdiff_t>(start), ordered.end(),
                     GreaterByName);
        }
        group = end;
    }
    entries.swap(ordered);
}

bool NameBefore(const std::string& a, const std::string& b) {
    return SortsBefore(a, b);
}

void OrderShuffled(Entries& entries) {
    TreeSort(entries.begin(), entries.end(), CoinFlip);
}
