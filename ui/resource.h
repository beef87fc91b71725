// Resource identifiers, kept by hand.
#pragma once

// Menus
#define IDR_MAINMENU 101

// Icons
#define IDI_APP 102

// Dialogs
#define IDD_OPTION 103

// Menu commands
#define IDM_OPTION 40001
#define IDM_OPEN 40002
#define IDM_SAVE 40003
#define IDM_VERSION 40004

// Controls of IDD_OPTION, in the order of the option buttons
#define IDC_MSB_FORWARD 1000
#define IDC_MSB_REVERSE 1001
#define IDC_BIT_HORZ 1002
#define IDC_BIT_VERT 1003
#define IDC_BYTE_HORZ 1004
#define IDC_BYTE_VERT 1005
#define IDC_FILL_ZERO 1006
#define IDC_FILL_ONE 1007
