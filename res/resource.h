#pragma once

// Resource ids of brelt: dialog templates, icon, string and controls.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_BRELT_DIALOG 102
#define IDR_MAINFRAME 132
#define IDD_MSG_DIALOG 135

// Main dialog
#define IDC_IMAGE_PICTURE 1006
#define IDC_OPEN_SOURCE 1002
#define IDC_LOAD_IMAGE 1003
#define IDC_SOURCE_GOTO 1008
#define IDC_SOURCE_GOTO_BOX 1009
#define IDC_OPEN_TARGET 1011
#define IDC_TARGET_GOTO 1012
#define IDC_TARGET_GOTO_BOX 1013
#define IDC_MOVE_IMAGE 1014
#define IDC_MOVE_TO_COLLECTION 1015
#define IDC_SOURCE_SLOT1 1016
#define IDC_TARGET_SLOT1 1017
#define IDC_SOURCE_PREV 1018
#define IDC_SOURCE_NEXT 1019
#define IDC_TARGET_PREV 1020
#define IDC_TARGET_NEXT 1021
#define IDC_SOURCE_SLOT2 1022
#define IDC_SOURCE_SLOT3 1023
#define IDC_SOURCE_SLOT4 1024
#define IDC_SOURCE_SLOT5 1025
#define IDC_TARGET_SLOT2 1026
#define IDC_TARGET_SLOT3 1027
#define IDC_TARGET_SLOT4 1028
#define IDC_TARGET_SLOT5 1029
#define IDC_IMAGE_NAME 1030
#define IDC_SOURCE_NAME 1031
#define IDC_TARGET_NAME 1032
#define IDC_TARGET_GROUP 1033
#define IDC_SOURCE_GROUP 1034
#define IDC_SHIFT_COLLECTION 1035
#define IDC_GENERATE_COLLECTION 1036
#define IDC_EXIT 1037

// Confirmation dialog
#define IDC_PREVIEW 1038

// Picture conversion dialog
#define IDD_CONVERT_DIALOG 136
#define IDC_CONVERT_ORIGINAL 1040
#define IDC_CONVERT_STAMP_LARGE 1041
#define IDC_CONVERT_STAMP 1042
#define IDC_CONVERT_FIT 1043
#define IDC_CONVERT_CROP 1044
#define IDC_CONVERT_DITHER 1045
#define IDC_CONVERT_TRIM 1047

// A question with "SI" and "NO"
#define IDD_QUESTION_DIALOG 138
#define IDC_QUESTION_TEXT 1046

// Overview of a collection
#define IDD_OVERVIEW_DIALOG 137

// Context menu of a collection slot
#define ID_SHOW_OVERVIEW 32771
#define ID_SAVE_IMAGE_PNG 32772
#define ID_EXPORT_COLLECTION_PNG 32773
#define ID_IMPORT_PICTURES_HERE 32774
#define ID_UNDO 32775
#define ID_REDO 32776

// System menu
#define IDM_ABOUTBOX 0x0010

// The stamp editor
#define IDD_EDITOR_DIALOG 139
#define IDC_EDITOR_CANVAS 1100
#define IDC_EDITOR_PREVIEW1 1101
#define IDC_EDITOR_PREVIEW2 1102
#define IDC_EDITOR_PENCIL 1103
#define IDC_EDITOR_LINE 1104
#define IDC_EDITOR_RECTANGLE 1105
#define IDC_EDITOR_FILL 1106
#define IDC_EDITOR_PICKER 1107
#define IDC_EDITOR_ERASER 1108
#define IDC_EDITOR_FLIP_H 1110
#define IDC_EDITOR_FLIP_V 1111
#define IDC_EDITOR_ROTATE_LEFT 1112
#define IDC_EDITOR_ROTATE_RIGHT 1113
#define IDC_EDITOR_REPLACE 1114
#define IDC_EDITOR_CLEAR 1115
#define IDC_EDITOR_UNDO 1116
#define IDC_EDITOR_REDO 1117
#define IDC_EDITOR_SHIFT_LEFT 1118
#define IDC_EDITOR_SHIFT_RIGHT 1119
#define IDC_EDITOR_SHIFT_UP 1120
#define IDC_EDITOR_SHIFT_DOWN 1121
#define IDC_EDITOR_CURRENT 1123
#define IDC_EDITOR_PALETTE 1124
#define IDC_EDITOR_OWN 1125
#define IDC_EDITOR_MORE 1126
#define IDC_EDITOR_GRID 1127
#define IDC_EDITOR_STATUS 1128
#define ID_EDIT_IMAGE 32777

// Importing a sheet of stamps
#define IDD_SHEET_DIALOG 140
#define IDC_SHEET_PREVIEW 1130
#define IDC_SHEET_COLUMNS 1131
#define IDC_SHEET_ROWS 1132
#define IDC_SHEET_CELL_WIDTH 1133
#define IDC_SHEET_CELL_HEIGHT 1134
#define IDC_SHEET_MARGIN 1135
#define IDC_SHEET_SPACING 1136
#define IDC_SHEET_SKIP_BLANK 1137
#define IDC_SHEET_SUMMARY 1138
#define IDC_SHEET_FIRST_IMAGE 1139

// Context menu commands of the clipboard and sheets
#define ID_COPY_IMAGE 32778
#define ID_PASTE_HERE 32779
#define ID_IMPORT_SHEET 32780
#define ID_COPY_LOADED_IMAGE 32781

// The program's own messages
#define WM_APP_OPEN_START_FILES (WM_APP + 1)
// The status bar brought up to date once the command that changed it has finished
#define WM_APP_UPDATE_STATUS (WM_APP + 2)
// Collections left with a change cut short, settled once the window shows
#define WM_APP_RECOVER_AT_START (WM_APP + 3)

// The overview's menu, and the target's "Fes lloc aquí..."
#define ID_OVERVIEW_REMOVE 32782
#define ID_OVERVIEW_INSERT 32783
#define ID_OVERVIEW_SWAP 32784
#define ID_OVERVIEW_COPY_TO_TARGET 32785
#define ID_OVERVIEW_EXPORT 32786
#define ID_OVERVIEW_SELECT_REPEATS 32787
#define ID_OVERVIEW_SELECT_ALL 32788
#define ID_MAKE_ROOM 32789

// The menu bar's own commands; the others are those of the panes' menus above
#define ID_FILE_OPEN_SOURCE 32790
#define ID_FILE_OPEN_TARGET 32791
#define ID_FILE_NEW_COLLECTION 32792
#define ID_FILE_EXIT 32793
#define ID_LOAD_IMAGE 32794
#define ID_HELP_GUIDE 32795
#define ID_HELP_ABOUT 32796
// The collections opened last, "Col·leccions recents": one id each, the newest first
#define ID_RECENT_FIRST 32800
#define ID_RECENT_LAST 32807

// The status bar of the main window
#define IDC_STATUS_BAR 1200
