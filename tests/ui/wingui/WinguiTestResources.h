#pragma once

// Dialog templates of the window layer's tests; numbers apart from the
// program's own resources, which the test executable carries too.
#define IDD_TEST_FORM 900
#define IDC_TEST_EDIT 901
#define IDC_TEST_CHECK 902
#define IDC_TEST_COMBO 903
#define IDC_TEST_SLIDER 904
#define IDC_TEST_LINK 905
#define IDC_TEST_TOOLBAR_PLACE 906
#define IDC_TEST_LIST 907
#define IDC_TEST_HOTKEY 908
#define IDC_TEST_LABEL 909
#define IDC_TEST_PUSH 910

#define IDD_TEST_PAGE_ONE 920
#define IDD_TEST_PAGE_TWO 921
#define IDC_TEST_PAGE_CHECK 922
#define IDC_TEST_PAGE_EDIT 923
