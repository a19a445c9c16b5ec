#include "show/picture_list.h"

#include "show/picture_order.h"

#include <cstddef>
#include <vector>

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
    cursor = nullptr;
    std::vector<PictureEntry*> entries;
    for (PictureEntry* entry = head; entry != nullptr; entry = entry->next) {
        entries.push_back(entry);
    }
    if (entries.empty()) {
        return;
    }
    if (order == ByName) {
        OrderByName(entries);
    } else {
        OrderShuffled(entries);
    }
    head = entries.front();
    for (std::size_t i = 1; i < entries.size(); ++i) {
        entries[i - 1]->next = entries[i];
    }
    tail = entries.back();
    tail->next = nullptr;
}
