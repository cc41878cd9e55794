/* Every resource, command and control identifier of the program, grouped by kind.
   Included by the resource script as well as by C++, so it holds only #defines. */
#ifndef TEMBORI_RES_RESOURCEIDS_H
#define TEMBORI_RES_RESOURCEIDS_H

/* Menus and accelerators */
#define IDR_CONTEXTMENU 101
/* The accelerator table is named, not numbered: "IDR_TEMBORIACCEL". */

/* Dialogs */
#define IDD_ABOUT 100
#define IDD_PROPGEN1 103
#define IDD_PROPFONT 104
#define IDD_PROPCOLOR 134
#define IDD_MEMO 139
#define IDD_PROPGEN2 143

/* Icons */
#define IDI_MAIN 144
#define IDI_TRAY 145

/* Bitmaps: the padlock of the holiday-setting button and its masks */
#define IDB_PADLOCK_CLOSED 137
#define IDB_PADLOCK_OPEN 138
#define IDB_PADLOCK_CLOSED_MASK 140
#define IDB_PADLOCK_OPEN_MASK 141

/* Commands (menu items, accelerators and child buttons share these) */
#define ID_MODE_BUTTON 105
#define ID_NEXT_MONTH 106
#define ID_PREV_MONTH 107
#define ID_FRAME_TOGGLE 1055
#define ID_PROPERTIES 32771
#define ID_NEXT_YEAR 32772
#define ID_PREV_YEAR 32774
#define ID_THIS_MONTH 32775
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_FINDER 57667
#define ID_HELP 57670
#define ID_DEFAULT_HELP 57671

/* Child controls of the calendar window (105 to 107 are the buttons above) */
#define IDC_YEAR_FIELD 108
#define IDC_YEAR_SPIN 109

/* Controls of the memo dialog */
#define IDC_MEMO_DELETE 1050
#define IDC_MEMO_TEXT 1051
#define IDC_MEMO_DATE 1052

/* Strings */
#define IDS_SHEET_CAPTION 102
#define IDS_APP_NAME 57344
#define IDS_FONT_FIXED_RASTER 57675
#define IDS_FONT_PROPORTIONAL_RASTER 57676
#define IDS_FONT_FIXED_TRUETYPE 57677
#define IDS_FONT_PROPORTIONAL_TRUETYPE 57678
#define IDS_NEW_YEARS_DAY 57679
#define IDS_COMING_OF_AGE_DAY 57680
#define IDS_NATIONAL_FOUNDATION_DAY 57681
#define IDS_VERNAL_EQUINOX_DAY 57682
#define IDS_GREENERY_DAY 57683
#define IDS_CONSTITUTION_DAY 57684
#define IDS_CHILDRENS_DAY 57685
#define IDS_MARINE_DAY 57686
#define IDS_RESPECT_FOR_THE_AGED_DAY 57687
#define IDS_AUTUMNAL_EQUINOX_DAY 57688
#define IDS_HEALTH_SPORTS_DAY 57689
#define IDS_CULTURE_DAY 57690
#define IDS_LABOUR_THANKSGIVING_DAY 57691
#define IDS_EMPERORS_BIRTHDAY 57692
#define IDS_CHRISTMAS 57693
#define IDS_MAIN_WINDOW_FAILED 57694
#define IDS_OUT_OF_MEMORY 57695
#define IDS_REGISTRY_OPEN_FAILED 57696
#define IDS_REGISTRY_READ_FAILED 57697
#define IDS_REGISTRY_WRITE_FAILED 57698
#define IDS_NATIONAL_HOLIDAY 57699
#define IDS_MEMO_NOT_SAVED 57720
#define IDS_OUT_OF_TIMER 57721
#define IDS_SORRY_OUT_OF_TIMER 57722

#endif
