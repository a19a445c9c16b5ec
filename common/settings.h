// The user settings: start-up reads them, the show is handed them, the setup
// dialog edits them.
#pragma once

#include <cstdint>
#include <string>

struct Settings {
    int32_t Delay = 0;      // seconds between two pictures
    int32_t Position = 0;   // 0: scatter, otherwise centre
    int32_t Size = 0;       // 0: fit the window, otherwise half the window
    int32_t Random = 0;     // 0: file-name order, otherwise shuffled once per show
    int32_t Overlap = 0;    // 0: clear before each picture, otherwise draw over
    std::string Path;       // the folder whose JPEG files are shown
    int32_t Subfolders = 0; // 0: the folder's own pictures only, otherwise its subfolders' too
    int32_t Fade = 0;       // 0: one picture cuts to the next, otherwise it fades in
    int32_t Fit = 0;        // 0: reduce in fixed steps until it fits, otherwise fit the box exactly
    int32_t Keys = 0;       // 0: every key ends the show, otherwise arrows and Space steer it
    int32_t Captions = 0;   // 0: pictures alone, otherwise each with its date and folder
    int32_t Motion = 0;     // 0: pictures stand still, otherwise they pan and zoom slowly
    int32_t Pairs = 0; // 0: one picture a screen, otherwise pictures of the other shape in pairs
};

// Where the settings live below the application's registry key, and their names.
inline constexpr char SettingsSection[] = "Configuration";
inline constexpr char DelayName[] = "Delay";
inline constexpr char PositionName[] = "Position";
inline constexpr char SizeName[] = "Size";
inline constexpr char RandomName[] = "Random";
inline constexpr char OverlapName[] = "Overlap";
inline constexpr char PathName[] = "Path";
inline constexpr char SubfoldersName[] = "Subfolders";
inline constexpr char FadeName[] = "Fade";
inline constexpr char FitName[] = "Fit";
inline constexpr char KeysName[] = "Keys";
inline constexpr char CaptionsName[] = "Captions";
inline constexpr char MotionName[] = "Motion";
inline constexpr char PairsName[] = "Pairs";
