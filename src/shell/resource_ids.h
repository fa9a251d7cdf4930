#pragma once
// Identifiers shared by resources/veilo.rc and the program's code. Only #defines, so that the
// resource compiler reads this file as well as C++ does. Dialogs with names ("AboutBox",
// "AREA_OPT", "RGB_OPT", "Q0_OPT", "CP_MASK", "TWAbort") and the toolbar bitmaps ("IDB_BMP_OPEN_T",
// "IDB_BMP_OPEN_T_2X", ...) are found by their string names; IDOK and IDCANCEL are the
// platform's 1 and 2.

// Accelerator table, menus and the open dialog's preview template.
#define IDA_MAIN 100
#define IDM_FRAME 104  // shown while no document is active
#define IDM_DOC 161    // shown while a document is active
#define IDD_OPEN_PREVIEW 114

// Icons. Icon and cursor numbers are separate name spaces: icon 164 and cursor 164 differ.
#define IDI_VEILO 1  // the program icon: the lowest id, so Explorer shows it for the .exe
#define IDI_FRAME 164  // the frame's and the spoit windows' class icon (the program icon)
#define IDI_PAN_MARKER 174  // painted by the marker window of the middle-button pan

// Cursors: the selection frame's edges, corners and inside, the pan directions, the spoit.
#define IDC_CUR_SPOIT 103
#define IDC_CUR_RESIZE_LR 156
#define IDC_CUR_RESIZE_UD 157
#define IDC_CUR_RESIZE_NWSE 158
#define IDC_CUR_RESIZE_NESW 159
#define IDC_CUR_MOVE 160
#define IDC_CUR_PAN 164
#define IDC_CUR_PAN_N 165
#define IDC_CUR_PAN_E 167
#define IDC_CUR_PAN_S 168
#define IDC_CUR_PAN_W 169
#define IDC_CUR_PAN_NE 170
#define IDC_CUR_PAN_SE 171
#define IDC_CUR_PAN_SW 172
#define IDC_CUR_PAN_NW 173

// Strings.
#define IDS_TWAIN_DLL 183  // file name of the TWAIN source manager

// "AboutBox": the version line (the project's version).
#define IDC_ABOUT_VERSION 1001

// "AREA_OPT": units of the selection, FL colour reversal, glass box size.
#define IDC_AREA_START_FREE 1006
#define IDC_AREA_START_8 1007
#define IDC_AREA_START_16 1008
#define IDC_AREA_SIZE_FREE 1009
#define IDC_AREA_SIZE_8 1010
#define IDC_AREA_SIZE_16 1011
#define IDC_AREA_FL_INVERT 1012
#define IDC_AREA_GLASS_EDIT 1015
#define IDC_AREA_GLASS_SCROLL 1017
#define IDC_AREA_START_GROUP 1022
#define IDC_AREA_SIZE_GROUP 1023
#define IDC_AREA_GLASS_LABEL 1024

// "RGB_OPT": channels of the negative and of XOR 0x80, the RGB exchange mode.
#define IDC_RGB_NEG_RED 1024
#define IDC_RGB_XOR_RED 1025
#define IDC_RGB_NEG_GREEN 1030
#define IDC_RGB_NEG_BLUE 1031
#define IDC_RGB_XOR_GREEN 1032
#define IDC_RGB_XOR_BLUE 1033
#define IDC_RGB_NEG_GROUP 1034
#define IDC_RGB_XOR_GROUP 1035
#define IDC_RGB_MODE_ROTATE 1036
#define IDC_RGB_MODE_RG 1037
#define IDC_RGB_MODE_GB 1038
#define IDC_RGB_MODE_RB 1039
#define IDC_RGB_MODE_GROUP 1040

// "Q0_OPT": the six steps of the Q0 mask.
#define IDC_Q0_VGLASS 1024
#define IDC_Q0_HGLASS 1025
#define IDC_Q0_NEGPOS 1026
#define IDC_Q0_UPDOWN 1027
#define IDC_Q0_LEFTRIGHT 1028
#define IDC_Q0_XOR 1029

// "CP_MASK": the typed code, the three remembered codes and their buttons.
#define IDC_CP_EDIT 1042
#define IDC_CP_SLOT1_OK 1043
#define IDC_CP_SLOT2_OK 1044
#define IDC_CP_SLOT3_OK 1045
#define IDC_CP_SLOT1 1046
#define IDC_CP_SLOT2 1047
#define IDC_CP_SLOT3 1048
#define IDC_CP_CLEAR 1049

// Open dialog preview (template IDD_OPEN_PREVIEW, which also holds the common dialog's own
// placeholder stc32, 1119, where the standard controls go).
#define IDC_OPEN_PREVIEW_AREA 1018
#define IDC_OPEN_PREVIEW_SIZE 1019
#define IDC_OPEN_PREVIEW_CHECK 1024

// ---- the save option dialogs (JPEGOPTION, 102, PNG_OPT, BMP_OPT, JP2_OPT) -------------------

// GIF option dialog 102: the palette size, interlace and this save's transparent colour.
#define IDD_GIF_OPTIONS 102
#define IDC_GIF_COLOURS_8 1002
#define IDC_GIF_COLOURS_16 1003
#define IDC_GIF_COLOURS_32 1004
#define IDC_GIF_COLOURS_64 1005
#define IDC_GIF_COLOURS_128 1006
#define IDC_GIF_COLOURS_256 1007
#define IDC_GIF_INTERLACE 1011
#define IDC_GIF_COLOURS_GROUP 1013
#define IDC_GIF_TRANSPARENT 1024
#define IDC_GIF_SWATCH 1050
#define IDC_GIF_SWATCH_LABEL 1051

// "PNG_OPT": the colour reduction, interlace, the transparent colour and the text entries.
#define IDC_PNG_INTERLACE 1011
#define IDC_PNG_TRANSPARENT 1024
#define IDC_PNG_SWATCH 1050
#define IDC_PNG_SWATCH_LABEL 1051
#define IDC_PNG_REDUCTION_GROUP 1053
#define IDC_PNG_REDUCE_NONE 1054
#define IDC_PNG_REDUCE_256 1055
#define IDC_PNG_REDUCE_16 1056
#define IDC_PNG_TEXT_GROUP 1066
#define IDC_PNG_KEY_LIST 1067
#define IDC_PNG_KEY_LABEL 1068
#define IDC_PNG_NEW_KEY 1069
#define IDC_PNG_ADD 1070
#define IDC_PNG_DELETE 1071
#define IDC_PNG_TEXT 1072
#define IDC_PNG_TEXT_FRAME 1073
#define IDC_PNG_NEW_KEY_LABEL 1074
#define IDC_PNG_REDUCE_128 1077
#define IDC_PNG_REDUCE_64 1078
#define IDC_PNG_REDUCE_32 1079

// "JPEGOPTION": the JPEG reading and writing options.
#define IDC_JPEG_NO_SMOOTH 1000
#define IDC_JPEG_QUALITY 1001
#define IDC_JPEG_SMOOTHING_SET 1002
#define IDC_JPEG_FACTOR 1003
#define IDC_JPEG_PROGRESSIVE 1004
#define IDC_JPEG_FACTOR_LABEL 1005
#define IDC_JPEG_SAMPLING_1X1 1020
#define IDC_JPEG_DEFAULT 1021
#define IDC_JPEG_OPTIMIZE 1024

// "BMP_OPT": the reduction before a BMP save.
#define IDC_BMP_REDUCE_256 1055
#define IDC_BMP_REDUCE_16 1056
#define IDC_BMP_NO_REDUCTION 1082
#define IDC_BMP_REDUCTION_GROUP 1101

// "JP2_OPT": lossless or a rate, and the codec library's name.
#define IDC_JP2_LOSSLESS 1103
#define IDC_JP2_RATE_CHOICE 1104
#define IDC_JP2_RATE 1106
#define IDC_JP2_LIBRARY 1107

// ---- the picture tools (PROP_DLG, RESIZE_DLG) -----------------------------------------------
// "PROP_DLG": path, size, colour count and its exact-count button, the PNG text entries.
#define IDC_PROP_PATH 1081
#define IDC_PROP_SIZE 1074
#define IDC_PROP_COLOURS 1075
#define IDC_PROP_EXACT 1080
#define IDC_PROP_KEYS 1067
#define IDC_PROP_TEXT_GROUP 1073
#define IDC_PROP_TEXT 1072

// "RESIZE_DLG": current and new size, the aspect tie, the four stretch modes.
#define IDC_RESIZE_WIDTH_NOW 1111
#define IDC_RESIZE_HEIGHT_NOW 1112
#define IDC_RESIZE_WIDTH 1114
#define IDC_RESIZE_WIDTH_ARROWS 1108
#define IDC_RESIZE_HEIGHT 1001
#define IDC_RESIZE_HEIGHT_ARROWS 1109
#define IDC_RESIZE_KEEP_ASPECT 1113
#define IDC_RESIZE_DELETE_SCANS 1117
#define IDC_RESIZE_HALF_TONE 1118
#define IDC_RESIZE_AND_SCANS 1115
#define IDC_RESIZE_OR_SCANS 1116

// The slide show: "SH_OPT" (the folder chooser's option panel), "WAIT_DLG" (the interval and the
// info line), "SS_HELP" (the keys: key texts and their comments in two columns).
#define IDC_SLIDE_SUBFOLDERS 12345
#define IDC_SLIDE_KEYS_BUTTON 12346
#define IDC_SLIDE_INTERVAL 1000
#define IDC_SLIDE_INTERVAL_LABEL 1001
#define IDC_SLIDE_SHOW_INFO 1024
#define IDC_SLIDE_HELP_KEY1 1200
#define IDC_SLIDE_HELP_COMMENT1 1210
// "SC_OPT": the screen saver's folder and the seconds each picture stays.
#define IDC_SCREEN_SAVER_SECONDS 1052
#define IDC_SCREEN_SAVER_FOLDER 1053
