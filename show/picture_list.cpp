#include "show/picture_list.h"

#include "common/random.h"

#include <cstddef>

void PictureList::Clear() {
    while (head != nullptr) {
        PictureEntry* following = head->next;
        delete head;
        head = following;
    }
    tail = nullptr;
    cursor = nullptr;
}

PictureEntry* PictureList::Append() {
    auto* entry = new PictureEntry;
    if (tail == nullptr) {
        head = entry;
    } else {
        tail->next = entry;
    }
    tail = entry;
    return entry;
}

PictureEntry* PictureList::First() {
    cursor = head != nullptr ? head->next : nullptr;
    return head;
}

PictureEntry* PictureList::Next() {
    PictureEntry* entry = cursor;
    if (entry != nullptr) {
        cursor = entry->next;
    }
    return entry;
}

void PictureList::Sort(Order order) {
    PictureEntry* entry = First();
    if (entry == nullptr) {
        return;
    }
    entry->left = entry->right = nullptr;
    root = entry;
    // The next links still hold the old order while the tree is built.
    while ((entry = Next()) != nullptr) {
        Insert(entry, order);
    }
    PictureEntry* last = nullptr;
    while (root != nullptr) {
        PictureEntry* smallest = TakeLeftmost();
        if (last == nullptr) {
            head = smallest;
        } else {
            last->next = smallest;
        }
        last = smallest;
        smallest->next = nullptr;
    }
    tail = last;
}

bool PictureList::Greater(const PictureEntry& a, const PictureEntry& b, Order order) {
    if (order == Shuffled) {
        return NextRandom() > RandomMax / 2;
    }
    // Byte-wise and case-sensitive, bytes as signed values; when one name runs
    // out first (equal names, or one a prefix of the other) neither is greater.
    const std::size_t common = a.name.size() < b.name.size() ? a.name.size() : b.name.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto byteA = static_cast<signed char>(a.name[i]);
        const auto byteB = static_cast<signed char>(b.name[i]);
        if (byteA != byteB) {
            return byteA > byteB;
        }
    }
    return false;
}

// Walks down from the root: left past every entry that goes after the new one,
// right past every other, so entries that compare equal keep their old order.
void PictureList::Insert(PictureEntry* entry, Order order) {
    entry->left = entry->right = nullptr;
    PictureEntry* node = root;
    for (;;) {
        PictureEntry*& link = Greater(*node, *entry, order) ? node->left : node->right;
        if (link == nullptr) {
            link = entry;
            return;
        }
        node = link;
    }
}

PictureEntry* PictureList::TakeLeftmost() {
    PictureEntry* smallest = root;
    PictureEntry* parent = nullptr;
    while (smallest->left != nullptr) {
        parent = smallest;
        smallest = smallest->left;
    }
    if (parent == nullptr) {
        root = smallest->right;
    } else {
        parent->left = smallest->right;
    }
    return smallest;
}
