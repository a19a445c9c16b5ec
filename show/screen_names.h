// What one draw of a stage shows: a picture alone, or with the partner shown
// beside it (or below it), by their names relative to the show's folder.
#pragma once

#include <string>

// How a stage shows a pair: side by side on a stage wider than tall, one above
// the other on a stage taller than wide; a square stage shows no pairs.
enum class Pairing { None, SideBySide, TopAndBottom };

struct ScreenNames {
    std::string name;
    std::string partner{}; // empty: the picture is alone
};
