// Where a show looks for pictures when no folder has been chosen.
#pragma once

#include <string>

// The user's Pictures folder, as the shell knows it (in the program's code
// page), or "C:\images" when the shell names none.
std::string DefaultPictureFolder();
