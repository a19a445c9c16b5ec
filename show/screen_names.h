// What one draw of a stage shows: a picture alone, or with the partner shown
// beside it (or below it), by their names relative to the show's folder.
#pragma once

#include <string>

struct ScreenNames {
    std::string name;
    std::string partner{}; // empty: the picture is alone
};
