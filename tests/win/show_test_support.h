// What the show window tests share: a folder of pictures of their own, the
// settings of one show, the message pump and the colours on screen.
#pragma once

#include "common/settings.h"

#include <windows.h>

#include <string>

// A fresh folder under the temporary directory, removed with its files.
class PictureFolder {
public:
    PictureFolder();
    ~PictureFolder();
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    const std::string& Path() const { return path; }
    // A JPEG file of one colour.
    void AddSolid(const char* name, int width, int height, COLORREF colour) const;
    // A file with a picture's name that is not a JPEG stream.
    void AddText(const char* name) const;
    void AddFolder(const char* name) const;

private:
    std::string path;
};

// The settings of a show of the folder: pictures centred at their size over
// black, in name order, and no tick but the ones a test sends.
Settings ShowSettings(const std::string& folder);

// Handles every message waiting for this thread (the posted ones, then the
// paints), as the message loop would between two ticks, until no show window
// of the thread waits for its worker. A quit message is taken out and its exit
// code returned; -1 when there was none.
int Pump();

// The colour of one pixel of a window, as it is on screen.
COLORREF PixelAt(HWND hwnd, int x, int y);

// Whether two colours are the same up to what JPEG coding changes.
bool Near(COLORREF actual, COLORREF expected);

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(230, 30, 30);
constexpr COLORREF Green = RGB(30, 200, 40);
constexpr COLORREF Blue = RGB(40, 60, 220);
