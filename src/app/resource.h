#pragma once

// Resource ids shared by Vantrel.rc and the code.
#define IDD_VANTREL_DIALOG 102
#define IDR_MAINFRAME 128

// Menu and window commands.
#define ID_APP_EXIT 32774
