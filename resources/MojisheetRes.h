// Resource ids of Mojisheet.exe, the code-table printer: resources, controls, commands and
// string-table texts. Only #define lines: the file is read by the resource compiler and by C++.
#ifndef MOJISHEET_RES_H
#define MOJISHEET_RES_H

#include "CoreRes.h"

// ---- resources ------------------------------------------------------------------------
#define IDR_MAINFRAME               128   // menu, accelerators, toolbar, toolbar bitmap, icon
#define IDB_TOOLBAR24               131   // 24x24 toolbar images, mask colour RGB(198,199,198)
#define IDB_TOOLBAR36               132   // the same images at 36x36 (150 %)
#define IDB_TOOLBAR48               133   //   and at 48x48 (200 %)
#define IDD_ABOUTBOX                100
#define IDD_GLYPHSHEET_FORM         101   // the range bar

#define TOOLBAR_IMAGE_SIZE          24
#define TOOLBAR24_MASK_COLOR        0xC6C7C6

// ---- controls -------------------------------------------------------------------------
#define IDC_ABOUT_URL               1003  // about box: link to the web site
#define IDC_ABOUT_VERSION           1004  // about box: "%s Version %s"
#define IDC_ABOUT_COPYRIGHT         1005  // about box: legal copyright
#define IDC_START_CODE              1004  // form 101: start code, 4 hex digits
#define IDC_END_CODE                1005  // form 101: end code, 4 hex digits
#define IDC_RANGE_UNICODE           1039  // form 101: "UNICODE範囲"
#define IDC_RANGE_SJIS              1040  // form 101: "S-JIS範囲"

// ---- commands (each has a prompt string "status prompt\ntooltip" under its id) ---------
#define ID_FILE_PRINT_SETUP         57606 // ﾌﾟﾘﾝﾀの設定
#define ID_FILE_PRINT               57607 // 印刷
#define ID_FILE_PRINT_PREVIEW       57609 // 印刷ﾌﾟﾚﾋﾞｭｰ
#define ID_EDIT_COPY                57634
#define ID_EDIT_CUT                 57635
#define ID_EDIT_PASTE               57637
#define ID_EDIT_UNDO                57643
#define ID_APP_ABOUT                57664
#define ID_APP_EXIT                 57665
#define ID_HELP                     57670
#define ID_NEXT_PANE                57680
#define ID_PREV_PANE                57681
#define ID_GAIJI_MANAGER            32775 // 外字管理ﾂｰﾙ (always disabled)
#define ID_BROWSER_LAUNCH           32786 // ﾕｰｻﾞｰ外字表示: starts Mojiview.exe

// ---- strings ----------------------------------------------------------------------------
#define IDS_PRINTER_TITLE           130   // "%s  [ %s ]"
#define IDS_ABOUT_TITLE             131   // title of the about box
#define IDS_ABOUT_MENU_TEXT         132   // text of ID_APP_ABOUT set at each menu update
#define IDS_APP_TITLE               57344 // "Mojisheet"

// Texts drawn on the printed page.
#define IDS_PAGE_TITLE              150   // "外字一覧表（%s ～ %s）　TTEﾌｧｲﾙ名：%s"
#define IDS_PAGE_DATE               151   // "出力日時：%s　　（%d/%d頁）"
#define IDS_DOCUMENT_NAME           152   // name of the print job

// Numbered messages.
#define IDS_ERR_NOT_NT              2000
#define IDS_ERR_BAD_RANGE           2016
#define IDS_ERR_LAUNCH              2050
#define IDS_ERR_PRINT_LINK          2051
#define IDS_ERR_PRINT_FAILED        2055  // the printer refused the job: printer, error text
#define IDS_ERR_PRINT_FILE_FAILED   2056  // the same, printing to a file: printer, file, error text
#define IDS_ERR_NO_PRINTER          2057  // no printer to lay out a preview for
#define IDS_WARN_TTE_READ           6005

#endif
