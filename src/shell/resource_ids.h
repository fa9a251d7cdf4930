#pragma once
// Identifiers shared by resources/veilo.rc and the program's code.

#define IDI_VEILO 1  // the program icon: the lowest id, so Explorer shows it for the .exe

// Resource identifiers (menus, accelerators, icons, cursors, dialogs and their controls).
#define IDA_MAIN 100
#define IDM_FRAME 104
#define IDM_DOC 161
#define IDD_OPEN_PREVIEW 114
#define IDI_FRAME 164
#define IDI_PAN_MARKER 174
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
#define IDS_TWAIN_DLL 183
#define IDC_OPEN_PREVIEW_CHECK 1024
#define IDC_OPEN_PREVIEW_AREA 1018
#define IDC_OPEN_PREVIEW_SIZE 1019
