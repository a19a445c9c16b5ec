// Opens a picture's file for reading, by the name the show holds.
#pragma once

#include <cstdio>

// Null when the file cannot be opened.
std::FILE* OpenPictureFile(const char* path);
