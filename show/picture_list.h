// The names of the picture files of one show, in playing order: a singly linked
// list with a cursor. The order is made once, either by name or shuffled by
// coin flips (show/picture_order.h).
#pragma once

#include <string>

struct PictureEntry {
    PictureEntry* next = nullptr;
    std::string name; // the bare file name, as the directory search returned it
    // Tree links, meaningful only while the list is being sorted.
    PictureEntry* left = nullptr;
    PictureEntry* right = nullptr;
};

class PictureList {
public:
    enum Order { ByName, Shuffled };

    PictureList() = default;
    PictureList(const PictureList&) = delete;
    PictureList& operator=(const PictureList&) = delete;
    ~PictureList() { Clear(); }

    // Deletes every entry.
    void Clear();
    // A new entry with an empty name, linked after the last one.
    PictureEntry* Append();
    // The first entry (or null); the cursor moves to the one after it.
    PictureEntry* First();
    // The entry at the cursor (or null); the cursor moves on.
    PictureEntry* Next();
    // Relinks the entries in the given order and leaves the cursor null, so the
    // caller starts again with First.
    void Sort(Order order);

private:
    PictureEntry* head = nullptr;
    // The last entry, so that filling a list of many files stays linear.
    PictureEntry* tail = nullptr;
    PictureEntry* cursor = nullptr;
};
