// The control ids of the setup dialog (template 131) and the chooser's path edit
// (template 130), as the templates give them.
#pragma once

enum : int {
    IDC_PATH = 1000,
    IDC_DELAY = 1008,
    IDC_SCATTER = 1010,
    IDC_CENTER = 1011,
    IDC_LARGE = 1012,
    IDC_SMALL = 1013,
    IDC_OVERLAP = 1014,
    IDC_RANDOM = 1015,
    IDC_CHOOSE = 1016,
    IDC_CHOOSER_PATH = 1017,
};

// The longest picture folder the setup dialog accepts.
inline constexpr int MaxPathChars = 250;
