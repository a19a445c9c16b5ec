// The two playing orders of a picture list. Both are defined by an unbalanced
// tree sort: the entries are inserted in listing order, each going left past
// every tree entry that goes after it and right past every other, and the tree
// is read in order. The shuffle runs that tree sort; the order by name gets
// its result with an ordinary sort wherever that gives the same.
#pragma once

#include "library/picture_list.h"

#include <string>
#include <vector>

// Reorders entries, given in listing order, by name: the bytes compared as
// signed values, the first difference deciding; names that are equal or of
// which one starts the other are never greater in either direction.
void OrderByName(std::vector<PictureEntry*>& entries);

// Reorders entries, given in listing order, by the tree sort with a coin flip
// of the program's generator (one draw each) in place of every comparison.
void OrderShuffled(std::vector<PictureEntry*>& entries);

// The order by name as a strict order, each name before the longer names it
// starts: for names that are never equal, such as the folders in one folder.
bool NameBefore(const std::string& a, const std::string& b);
