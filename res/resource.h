// Resource ids of the program, and the control ids of its dialog templates (the
// setup dialog 131 and the chooser's path edit in 130).
#pragma once

#define IDS_DESCRIPTION 1
#define IDR_MAINICON 128
#define IDC_TRANSPARENT 129
#define IDD_SELECT_DIR 130
#define IDD_SETUP 131

#define IDC_PATH 1000
#define IDC_DELAY 1008
#define IDC_SCATTER 1010
#define IDC_CENTER 1011
#define IDC_LARGE 1012
#define IDC_SMALL 1013
#define IDC_OVERLAP 1014
#define IDC_RANDOM 1015
#define IDC_CHOOSE 1016
#define IDC_CHOOSER_PATH 1017
#define IDC_SUBFOLDERS 1018
#define IDC_FADE 1019
#define IDC_FIT 1020
#define IDC_KEYS 1021
#define IDC_CAPTIONS 1022
#define IDC_MOTION 1023
#define IDC_PAIRS 1024
