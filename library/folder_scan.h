// The platform's side of a show's walk: its folder's full name, the listing of
// one folder, and the full names of the pictures found.
#pragma once

#include "library/folder_walk.h"
#include "library/picture_names.h"

#include <atomic>
#include <string>

// The full name of the show's folder, as the process's current directory makes
// it (of any length); empty when it cannot be made (an empty setting, say), which counts as a
// folder without pictures.
std::string ShowFolderPath(const std::string& setting);

// The pictures of one folder of the walk (`folder` below `root`, "" for `root`
// itself) and the subfolders worth walking into: files with picture names, and
// folders that are neither hidden nor system folders nor reparse points
// (junctions and symbolic links, which can lead round in a circle or onto
// another drive). A folder that cannot be listed holds nothing. The listing
// stops with what it has when `stop` becomes true or memory runs out.
FolderListing ListFolder(const std::string& root, const std::string& folder,
                         const PictureNames& names, const std::atomic_bool& stop);

// The full name of a picture or folder of the show.
std::string PicturePath(const std::string& root, const std::string& name);
