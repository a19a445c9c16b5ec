// The listing of one folder, entry by entry, from whatever hands the entries
// out: the system's search, or a test's.
#pragma once

#include "library/folder_walk.h"
#include "library/picture_names.h"

#include <windows.h>

#include <atomic>

// The entries of one folder, one at a time.
class FolderEntries {
public:
    virtual ~FolderEntries() = default;
    // Fills `entry` and gives ERROR_SUCCESS, or gives the error of this
    // entry; ERROR_NO_MORE_FILES once every entry has been handed out.
    virtual DWORD Next(WIN32_FIND_DATAW& entry) = 0;
};

// Takes the entries into the listing: the files with picture names, and the
// folders that are neither hidden nor system folders nor reparse points. An
// entry that fails, or whose name the program's text cannot carry, is skipped;
// the listing ends at the last entry, when `stop` becomes true, or after a run
// of failures that shows the search itself has gone (a drive removed, say).
void ListEntries(FolderEntries& entries, const PictureNames& names, const std::atomic_bool& stop,
                 FolderListing& listing);
