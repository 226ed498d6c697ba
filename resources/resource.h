// Resource and control ids. Included by the .rc templates and the C++ code alike.
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_PAVRA 102
#define IDD_CALC_REF 133
#define IDD_CALC_DATA 136
#define IDD_CALC_PARAM 137
#define IDD_DOS_RESP 139
#define IDD_DOS_PARAM 145
#define IDD_WWW_PARAM 148
#define IDD_PAVRA_PARAM 150

// Icon, bitmaps, strings, menus
#define IDI_PAVRA 5
#define IDS_ABOUTBOX 101
#define IDB_UP 138
#define IDB_DOWN 139
#define IDB_CLOSE 140
#define IDB_MINIMIZE 141
#define IDB_TITLE_ICON 144
#define IDB_PIN_DOWN 146
#define IDB_PIN_SIDE 147
#define IDR_TRAY_MENU 149

// The same bitmaps drawn for 125%, 150% and 200%: the 100% id plus 1000, 2000 and 3000.
#define IDB_SCALE_STEP 1000
#define IDB_UP_125 1138
#define IDB_DOWN_125 1139
#define IDB_CLOSE_125 1140
#define IDB_MINIMIZE_125 1141
#define IDB_TITLE_ICON_125 1144
#define IDB_PIN_DOWN_125 1146
#define IDB_PIN_SIDE_125 1147
#define IDB_UP_150 2138
#define IDB_DOWN_150 2139
#define IDB_CLOSE_150 2140
#define IDB_MINIMIZE_150 2141
#define IDB_TITLE_ICON_150 2144
#define IDB_PIN_DOWN_150 2146
#define IDB_PIN_SIDE_150 2147
#define IDB_UP_200 3138
#define IDB_DOWN_200 3139
#define IDB_CLOSE_200 3140
#define IDB_MINIMIZE_200 3141
#define IDB_TITLE_ICON_200 3144
#define IDB_PIN_DOWN_200 3146
#define IDB_PIN_SIDE_200 3147

// The bar (dialog 102)
#define IDC_INPUT 1000
#define IDC_ANSWER 1001
#define IDC_MD0 1006
#define IDC_MD1 1007
#define IDC_SETTINGS_TOGGLE 1010
#define IDC_TOPMOST 1011
#define IDC_MANUAL 1012
#define IDC_BUTTON0 1013
#define IDC_BUTTON2 1014
#define IDC_BUTTON1 1015
#define IDC_TOPPOS 1016
#define IDC_MODE_LIST 1019
#define IDC_CLOSE 1020
#define IDC_MINIMIZE 1021
#define IDC_TITLE 1024
#define IDC_TITLE_ICON 1026
#define IDC_PIN 1029
#define IDC_TASKTRAY 1037
#define IDC_PAVRA_GROUP 1038
#define IDC_MODE_GROUP 1039
#define IDC_DETAIL 1040

// Calculator reference (dialog 133)
#define IDC_REF_FUNCTIONS 1002
#define IDC_REF_TAB 1003
#define IDC_REF_CONSTANTS 1004
#define IDC_REF_OPERATORS 1005
#define IDC_REF_COMMANDS 1007
#define IDC_REF_OVERVIEW 1008

// Variable list (dialog 136)
#define IDC_DATA_LIST 1017

// Calculator settings (dialog 137)
#define IDC_CALC_COMMA 1011
#define IDC_CALC_FOLLOW 1027

// Command output window (dialog 139) and command-prompt settings (dialog 145)
#define IDC_DOS_OUTPUT 1009
#define IDC_DOS_FOLLOW 1028
#define IDC_DOS_DIRECTORY 1030
#define IDC_DOS_BROWSE_DIRECTORY 1031
#define IDC_DOS_SCRIPT 1032
#define IDC_DOS_BROWSE_SCRIPT 1033

// About box (dialog 100)
#define IDC_ABOUT_VERSION 1034
#define IDC_ABOUT_NOTICE 1035
#define IDC_ABOUT_ICON 1042

// Site chooser (dialog 148)
#define IDC_WWW_SITES 1036

// Detailed settings (dialog 150)
#define IDC_HOTKEY 1041

// Commands
#define IDM_ABOUTBOX 16
#define IDM_QUIT 32
#define IDM_TRAY_QUIT 32772
