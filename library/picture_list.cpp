#include "library/picture_list.h"

#include "library/picture_order.h"

#include <cstddef>
#include <vector>

void PictureList::Clear() {
    while (head != nullptr) {
        PictureEntry* following = head->next;
        delete head;
        head = following;
    }
    tail = nullptr;
    current = nullptr;
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

void PictureList::Splice(PictureList& other) {
    if (other.head == nullptr) {
        return;
    }
    if (tail == nullptr) {
        head = other.head;
    } else {
        tail->next = other.head;
    }
    tail = other.tail;
    other.head = other.tail = other.current = nullptr;
}

PictureEntry* PictureList::First() {
    current = head;
    return head;
}

PictureEntry* PictureList::Next() {
    PictureEntry* following = current != nullptr ? current->next : nullptr;
    if (following != nullptr) {
        current = following;
    }
    return following;
}

void PictureList::Sort(Order order) {
    current = nullptr;
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
