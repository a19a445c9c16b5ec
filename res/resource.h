// Resource ids of the program.
#pragma once

#define IDS_DESCRIPTION 1
#define IDR_MAINICON 128
#define IDC_TRANSPARENT 129
#define IDD_SELECT_DIR 130
#define IDD_SETUP 131
