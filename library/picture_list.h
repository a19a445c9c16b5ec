// The names of the picture files of one show, in playing order: a singly linked
// list with a cursor. The order is made by name or shuffled by coin flips
// (library/picture_order.h); a list can grow at its end while it is played.
#pragma once

#include <string>

struct PictureEntry {
    PictureEntry* next = nullptr;
    // The file's name as the directory search returned it, after the folders
    // below the show's folder that lead to it, if any ("2023\Holiday\a.jpg").
    std::string name;
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
    // Moves every entry of `other`, in its order, to the end of this list.
    void Splice(PictureList& other);
    // The first entry (or null); the cursor stays on it.
    PictureEntry* First();
    // The entry after the cursor (or null), which the cursor moves to. At the
    // end of the list the cursor stays on the last entry, so an entry appended
    // later comes next.
    PictureEntry* Next();
    // Relinks the entries in the given order and leaves the cursor before the
    // list, so that Next has nothing and the caller starts again with First.
    void Sort(Order order);
    bool Empty() const { return head == nullptr; }

private:
    PictureEntry* head = nullptr;
    // The last entry, so that filling a list of many files stays linear.
    PictureEntry* tail = nullptr;
    // The entry handed out last, or null before the first.
    PictureEntry* current = nullptr;
};
