#pragma once

// Resource ids shared by Vantrel.rc and the code. The numbers are fixed:
// language files, the settings and the other instance's commands rely on
// them. Several controls of different dialogs share a number.

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_VANTREL_DIALOG 102
#define IDD_PROFILE_NAME 129
#define IDD_SETTINGS_HOTKEYS 130
#define IDD_HOTKEY_ACTION 131
#define IDD_SETTINGS_APPLICATIONS 133
#define IDD_APPLICATION_ACTION 135
#define IDD_USER_ACTION 136
#define IDD_UA_ADJUST_BRIGHTNESS 137
#define IDD_SETTINGS_GENERAL 140
#define IDD_UA_SET_PROFILE 144

// Menus.
#define IDR_TRAY_MENU 109
#define IDR_BROWSE_APPS_MENU 138

// Icons: the program's, and the one shown for an application without its own.
#define IDR_MAINFRAME 128
#define IDI_DEFAULT_APPLICATION 139

// Main window (102).
#define IDC_PROFILE_LIST 1000
#define IDC_MONITOR_LIST 1001
#define IDC_BRIGHTNESS_VALUE 1004
#define IDC_BRIGHTNESS_SLIDER 1005
#define IDC_CONTRAST_SLIDER 1007
#define IDC_RED_SLIDER 1008
#define IDC_GREEN_SLIDER 1009
#define IDC_BLUE_SLIDER 1010
#define IDC_CONTRAST_VALUE 1012
#define IDC_RED_VALUE 1013
#define IDC_GREEN_VALUE 1014
#define IDC_BLUE_VALUE 1015
#define IDC_PROFILE_CAPTION 1016
#define IDC_MONITOR_GROUP 1017
#define IDC_BRIGHTNESS_CAPTION 1018
#define IDC_CONTRAST_CAPTION 1019
#define IDC_RED_CAPTION 1020
#define IDC_GREEN_CAPTION 1021
#define IDC_BLUE_CAPTION 1022
#define IDC_PROFILE_TOOLBAR_PLACE 1054
#define IDC_LOWER_TOOLBAR_PLACE 1055
// The toolbars made in code at those places.
#define IDC_PROFILE_TOOLBAR 1154
#define IDC_LOWER_TOOLBAR 1155
// Its toolbar buttons' commands.
#define ID_SAVE_PROFILE 1006
#define ID_RESTORE_ORIGINALS 1011
#define ID_OPEN_SETTINGS 1023
#define ID_DELETE_PROFILE 1028

// Profile name dialog (129).
#define IDC_PROFILE_NAME 1023

// About box (100).
#define IDC_ABOUT_TEXT 1024
#define IDC_WEBSITE_LINK 1027
#define IDC_DOWNLOAD_LINK 1028
#define IDC_VERSION 1031
#define IDC_PRODUCT_NAME 1123
#define IDC_CONTACT_LINK 1170

// Settings pages: General (140), Global Hot Keys (130), Applications (133).
#define IDC_TRAY_PROFILES_CHECK 1003
#define IDC_LANGUAGE_LIST 1043
#define IDC_AUTORUN_CHECK 1044
#define IDC_TRANSLATE_LINK 1045
#define IDC_HOTKEY_LIST 1026
#define IDC_ADD 1027
#define IDC_REMOVE 1028
#define IDC_EDIT 1031
#define IDC_RULE_LIST 1038
#define IDC_ENABLE_CHECK 1048
#define IDC_PAGE_DESCRIPTION 1050

// Hotkey dialog (131) and application rule dialog (135); 1040 marks where
// the action editor goes.
#define IDC_BROWSE 3
#define IDC_HOTKEY 1025
#define IDC_ACTION_PLACE 1040
#define IDC_APPLICATION_NAME 1041
#define IDC_APPLICATION_ICON 1042
#define IDC_HOTKEY_CAPTION 1046
#define IDC_APPLICATION_CAPTION 1053

// Action editor (136) and its kind editors: steps (137), profile (144).
#define IDC_ACTION_KIND 1028
#define IDC_ACTION_GROUP 1032
#define IDC_BRIGHTNESS_STEP_CHECK 1005
#define IDC_CONTRAST_STEP_CHECK 1007
#define IDC_BRIGHTNESS_STEP 1023
#define IDC_CONTRAST_STEP 1024
#define IDC_BRIGHTNESS_SIGN 1031
#define IDC_CONTRAST_SIGN 1033
#define IDC_BRIGHTNESS_PERCENT 1034
#define IDC_CONTRAST_PERCENT 1035
#define IDC_SET_PROFILE_CAPTION 1057
#define IDC_SET_PROFILE_LIST 1058

// Menu and window commands.
#define ID_APP_EXIT 32774
#define ID_LOAD_ON_STARTUP 32775
#define ID_APP_ABOUT 32777
#define ID_VISIT_FORUM 32780
#define ID_FEATURE_REQUEST 32781
#define ID_SHOW_MAIN_WINDOW 32786
#define ID_RUNNING_APPLICATION_FIRST 35784
