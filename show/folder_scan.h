// The one scan of the picture folder at the start of a show.
#pragma once

#include "show/picture_list.h"

#include <string>

// Makes the folder the current directory (the list holds bare names, so it has
// to stay current) and appends every file in it that matches "*.jpg", in the
// order the directory search delivers them. A folder that cannot be made
// current counts as empty: whatever directory was current is not scanned. When
// memory runs out the list keeps the names appended so far.
void ScanFolder(const std::string& folder, PictureList& pictures);
