// Page templates of the tab control tests (GxTabCtrlTest.rc).
#pragma once

#define IDD_TEST_PAGE_A 9701
#define IDD_TEST_PAGE_B 9702
#define IDD_TEST_PAGE_C 9703
// No template of this id exists.
#define IDD_TEST_NO_TEMPLATE 9799
