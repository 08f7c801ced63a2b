// Resource ids of Mojiview.exe: resources, controls, commands and string-table texts.
// Only #define lines: the file is read by the resource compiler and by C++.
#ifndef MOJIVIEW_RES_H
#define MOJIVIEW_RES_H

#include "CoreRes.h"

// ---- resources ------------------------------------------------------------------------
#define IDR_MAINFRAME               128   // menu, accelerators, toolbar, toolbar bitmap, icon
#define IDI_TTE_FILE                129   // second icon: TTE files associated with the program
#define IDR_BROWSER_CONTEXT         130   // context menu of the gaiji list ("BROWSER CONTEXT")
#define IDB_TOOLBAR24               284   // 24x24 toolbar images, mask colour RGB(198,199,198)
#define IDB_TOOLBAR36               285   // the same images at 36x36 (150 %)
#define IDB_TOOLBAR48               286   //   and at 48x48 (200 %)
#define IDD_ABOUTBOX                100
#define IDD_GLYPHVIEW_FORM          101
#define IDI_ADDR_JUMP               135   // big icon of the jump-to-code dialog
#define IDD_EUF_MAKE_ANS            139   // "create the EUF?" question (CEufMakeAnsDlg)
#define IDD_TTE_LOAD                141   // TTE file selection (CTTELoadDlg)
#define IDD_ADDR_JUMP               235   // jump to code (CAddrJumpDlg)
#define IDD_YOMI_EDIT               253   // readings of one gaiji (CYomiEditDlg)
#define IDI_YOMI_EDIT               134   // icon of the reading edit dialog
#define IDD_FUKIDASI                251   // the clipboard balloon (CFukidasiDlg), an empty popup
#define IDD_BITMAP_FIND             252   // bitmap match search (CBitmapFindDlg); icon IDI_ADDR_JUMP
#define IDD_YOMI_FIND               254   // find by reading (CYomiFindDlg): IDC_YOMI_INPUT, IDOK 検索, IDCANCEL
#define IDD_EUDC_LINK_LIST          257   // every EUDC link (CEudcLinkListDlg)
#define IDB_BROWSE_DISABLED         171   // browse button of IDD_TTE_LOAD: disabled,
#define IDB_BROWSE_FOCUSED          281   //   focused,
#define IDB_BROWSE_DOWN             282   //   pressed,
#define IDB_BROWSE_UP               283   //   up (drawn by tools/make_dialog_images.py)

// Toolbar geometry and the mask colour of IDB_TOOLBAR24 (0x00BBGGRR).
#define TOOLBAR_IMAGE_SIZE          24
#define TOOLBAR24_MASK_COLOR        0xC6C7C6

// ---- controls -------------------------------------------------------------------------
#define IDC_STATUS_EDIT             1000  // form 101: one-line information field
#define IDC_EUF_PATH                1001  // IDD_EUF_MAKE_ANS: the path being opened
#define IDC_ABOUT_VERSION           1002  // about box: "%s Version %s"
#define IDC_ABOUT_URL               1003  // about box: link to the web site
#define IDC_ABOUT_COPYRIGHT         1004  // about box: legal copyright
#define IDC_GAIJI_LIST              1006  // form 101: the gaiji grid (owner-drawn list box)
#define IDC_FIND_FROM_TOP           1007  // IDD_BITMAP_FIND: radio "先頭から検索" (start 0)
#define IDC_FIND_AFTER_SELECTION    1008  // IDD_BITMAP_FIND: radio "現在選択の次から検索" (start 1)
#define IDC_TTE_FOLDER              1009  // IDD_TTE_LOAD: the folder (read-only)
#define IDC_FIND_SIZE               1010  // IDD_BITMAP_FIND: "%d×%d" of the pattern
#define IDC_FIND_PATTERN            1012  // IDD_BITMAP_FIND: the pattern (CBitmapPict)
#define IDC_JUMP_CODE               1016  // IDD_ADDR_JUMP: the code, 4 hex digits
#define IDC_JUMP_UNICODE            1017  // IDD_ADDR_JUMP: radio "&Unicode" (type 0)
#define IDC_JUMP_SJIS               1018  // IDD_ADDR_JUMP: radio "&S-JIS" (type 1)
#define IDC_EUF_UNICODE             1020  // IDD_EUF_MAKE_ANS: check box "...UNICODEの外字も..."
#define IDC_TTE_LIST                1021  // IDD_TTE_LOAD: the TTE files (sorted)
#define IDC_ABOUT_UPDATE            1048  // about box: "自動更新..."
#define IDC_TTE_BROWSE              1054  // IDD_TTE_LOAD: "..." folder browser (bitmap button)
#define IDC_LINK_LIST               1031  // IDD_EUDC_LINK_LIST: the links (report list view)
#define IDC_LINK_COUNT              1032  // IDD_EUDC_LINK_LIST: "ﾘﾝｸ: %d 件　ﾘﾝｸ切れ: %d 件"
#define IDC_LINK_OPEN               1033  // IDD_EUDC_LINK_LIST: 開く
#define IDC_LINK_DELETE             1034  // IDD_EUDC_LINK_LIST: 削除
#define IDC_LINK_DELETE_BROKEN      1035  // IDD_EUDC_LINK_LIST: ﾘﾝｸ切れを削除
#define IDC_YOMI_ADD                3     // IDD_YOMI_EDIT: "↑追加"
#define IDC_YOMI_DELETE             4     // IDD_YOMI_EDIT: "削除↓"
#define IDC_YOMI_CODE               1006  // IDD_YOMI_EDIT: Unicode code (read-only)
#define IDC_YOMI_SJIS               1007  // IDD_YOMI_EDIT: Shift-JIS code (read-only)
#define IDC_YOMI_LIST               1008  // IDD_YOMI_EDIT: the readings (sorted list box)
#define IDC_YOMI_INPUT              1009  // IDD_YOMI_EDIT: new readings (hiragana)
#define IDC_YOMI_PICTURE            1012  // IDD_YOMI_EDIT: the gaiji's bitmap (CBitmapPict)

// ---- commands (each has a prompt string "status prompt\ntooltip" under its id) ---------
#define ID_FILE_NEW                 57600 // 新規ﾌﾞﾗｳｻﾞ
#define ID_FILE_OPEN                57601 // 外字を開く
#define ID_FILE_MRU_FIRST           57616 // recent files: 57616 .. 57631
#define ID_FILE_MRU_LAST            57631
#define ID_EDIT_COPY                57634 // ﾋﾞｯﾄﾏｯﾌﾟｺﾋﾟｰ
#define ID_APP_ABOUT                57664 // バージョン情報
#define ID_APP_EXIT                 57665 // ｱﾌﾟﾘｹｰｼｮﾝの終了
#define ID_HELP                     57670 // 使い方の説明
#define ID_CODE_PRINT               32771 // 外字一覧表出力
#define ID_GAIJI_MANAGER            32775 // 外字管理ﾂｰﾙ (always disabled)
#define ID_YOMI_EDIT                32776 // 外字の読み編集
#define ID_TTE_ASSOCIATE            32778 // TTEを関連付ける
#define ID_CLIPBOARD_CHECK          32779 // ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容確認
#define ID_BITMAP_FIND              32780 // ﾋﾞｯﾄﾏｯﾌﾟﾏｯﾁ検索
#define ID_IME_UPDATE               32782 // IMの読みを更新
#define ID_LINK_CHANGE              32783 // 外字のﾘﾝｸを変更
#define ID_DATA_RELOAD              32792 // ﾃﾞｰﾀを最新にする
#define ID_JUMP_CODE                32796 // 指定の文字ｺｰﾄﾞへ
#define ID_YOMI_EXPORT              32800 // 読みを辞書ﾌｧｲﾙに出力
#define ID_YOMI_FIND                32801 // 読みで検索 (Ctrl+F)
#define ID_YOMI_FIND_NEXT           32802 // 次の読みを検索 (F3)
#define ID_GLYPH_SAVE_IMAGE         32803 // ﾋﾞｯﾄﾏｯﾌﾟを画像で保存
#define ID_EUDC_LINK_LIST           32806 // 外字ﾘﾝｸの一覧

// ---- strings ----------------------------------------------------------------------------
#define IDS_BROWSER_TITLE           130   // "Mojiview　[ %s ] %d×%d"
#define IDS_ABOUT_TITLE             131   // title of the about box
#define IDS_ABOUT_MENU_TEXT         132   // text of ID_APP_ABOUT set at each menu update
#define IDS_LOG_START               301   // "◆Glyphview　%s起動（OS:Ver=%d:majVer=%d）\n"
#define IDS_LOG_END                 302   // "◇Glyphview　終了\n\n"
#define IDS_TTE_FOLDER_TITLE        304   // folder browser title of the TTE selection
#define IDS_WAIT_A_SEC              505   // drawn in the grid while the frame is moved
#define IDS_STATUS_LINE             506   // "UNICODE=[%s] S-JIS=[%s] 外字数=[%d]"
#define IDS_STATUS_YOMI             507   // " 読み=[%s]" appended to the status line
#define IDS_LINK_COLUMN_FACE        530   // the link list's columns: "書体",
#define IDS_LINK_COLUMN_FILE        531   //   "外字ﾌｧｲﾙ",
#define IDS_LINK_COLUMN_STATE       532   //   "状態"
#define IDS_LINK_ALL_TYPEFACES      533   // the face shown for SystemDefaultEUDCFont
#define IDS_LINK_STATE_OK           534   // states: "OK",
#define IDS_LINK_STATE_NO_FILE      535   //   "ﾌｧｲﾙがありません",
#define IDS_LINK_STATE_NO_EUF       536   //   "EUFがありません"
#define IDS_LINK_COUNT              537   // "ﾘﾝｸ: %d 件　ﾘﾝｸ切れ: %d 件"
#define IDS_LINK_LINE               538   // one link in a question: face, path
#define IDS_APP_TITLE               57344 // "Glyphview"

// Numbered messages (message boxes and log lines).
#define IDS_ERR_NOT_NT              2000
#define IDS_ERR_ASSOCIATE           2002
#define IDS_ERR_EUF_OPEN            2015
#define IDS_ERR_NOT_GAIJI_FILE      2016
#define IDS_ERR_NOT_EUF             2017
#define IDS_ERR_EUF_BLOCK           2018
#define IDS_ERR_EUF_TABLE           2019
#define IDS_ERR_EUF_TEMP_COPY       2023
#define IDS_ERR_DROP_COUNT          2024
#define IDS_ERR_IME_STYLE           2030
#define IDS_ERR_OLD_YOMI_COPY       2031
#define IDS_ERR_YOMI_NOT_HIRAGANA   2032
#define IDS_ERR_YOMI_NOT_SELECTED   2033
#define IDS_ERR_YOMI_EMPTY          2034
#define IDS_WARN_YOMI_DUPLICATE     2035
#define IDS_ERR_BAD_CODE            2036
#define IDS_ERR_PRINT_NEEDS_TTE     2037
#define IDS_ERR_TTE_NOT_SELECTED    2040
#define IDS_ERR_TTE_LINK            2041
#define IDS_ERR_FILE_COPY           2044
#define IDS_ERR_LAUNCH              2050
#define IDS_ERR_PRINTER_RUNNING     2052
#define IDS_ERR_FILE_MISSING        2053
#define IDS_ERR_YOMI_MEMORY         4000
#define IDS_ASK_YOMI_MANAGE         4001
#define IDS_ERR_YOMI_OPEN           4002
#define IDS_ERR_YOMI_FULL           4003
#define IDS_ERR_YOMI_SAVE           4004
#define IDS_ASK_DISCARD_YOMI        5008
#define IDS_ASK_EXCLUDE_PREDEFINED  5023
#define IDS_MSG_NO_MATCH            5024
#define IDS_WAIT_SEARCHING          5030
#define IDS_MSG_SEARCH_ABORTED      5031
#define IDS_ASK_UPDATE              5032
#define IDS_ASK_IME_UPDATE          5040  // question of ID_IME_UPDATE
#define IDS_MSG_IME_UPDATE_STATUS   5041  // result of the input-method registration
#define IDS_ASK_LINK_CHANGE         5042  // question of ID_LINK_CHANGE ("%s" current, "%s" new)
#define IDS_MSG_YOMI_NOT_FOUND      5050  // find by reading: no gaiji has the reading "%s"
#define IDS_ERR_YOMI_FIND_EMPTY     5051  // find by reading: nothing typed
#define IDS_MSG_YOMI_EXPORTED       5052  // dictionary file written ("%s" path, "%d" lines)
#define IDS_ERR_YOMI_EXPORT         5053  // dictionary file not written ("%s" path)
#define IDS_ERR_GLYPH_IMAGE_SAVE    5054  // glyph image not written ("%s" path)
#define IDS_ASK_LINK_DELETE         5070  // remove one face's link ("%s" face, "%s" path)
#define IDS_ASK_BROKEN_LINKS_DELETE 5071  // remove the broken links ("%s" the IDS_LINK_LINE lines)
#define IDS_ERR_LINK_DELETE         5072  // links not removed ("%s" the IDS_LINK_LINE lines)
#define IDS_MSG_EUF_CREATED         6001
#define IDS_ASK_ASSOCIATE           6003
#define IDS_MSG_ASSOCIATED          6004
#define IDS_WARN_TTE_READ           6005
#define IDS_ASK_TTE_READ_CONTINUE   6006

// ---- standard-character candidates (CCandidateCommands, CCandidateDlg, CIndexProgressDlg) --
#define IDD_CANDIDATES              255   // standard-character candidates (CCandidateDlg)
#define IDD_INDEX_PROGRESS          256   // building the reference font's index (CIndexProgressDlg)
#define IDC_CANDIDATE_PICTURE       1060  // IDD_CANDIDATES: the gaiji's bitmap (CBitmapPict)
#define IDC_CANDIDATE_CODE          1061  // IDD_CANDIDATES: the gaiji's code
#define IDC_CANDIDATE_PREV          1062  // IDD_CANDIDATES: "◀" the previous gaiji
#define IDC_CANDIDATE_NEXT          1063  // IDD_CANDIDATES: "▶" the next gaiji
#define IDC_CANDIDATE_FONT          1064  // IDD_CANDIDATES: the reference font's name
#define IDC_CANDIDATE_FONT_CHANGE   1065  // IDD_CANDIDATES: "変更..." another reference font
#define IDC_CANDIDATE_LIST          1066  // IDD_CANDIDATES: the candidates (owner-drawn list box)
#define IDC_CANDIDATE_COPY          1067  // IDD_CANDIDATES: "ｺﾋﾟｰ" the chosen candidate as text
#define IDC_INDEX_PROGRESS          1068  // IDD_INDEX_PROGRESS: the progress bar
#define ID_CANDIDATES               32804 // 標準文字の候補
#define ID_CANDIDATE_TABLE          32805 // 標準文字の対応表を出力
#define IDS_MSG_CANDIDATE_TABLE     5055  // mapping table written ("%s" path, "%d" rows)
#define IDS_ERR_CANDIDATE_TABLE     5056  // mapping table not written ("%s" path)
#define IDS_ERR_CANDIDATE_FONT      5057  // reference font "%s" has no usable character map
#define IDS_CANDIDATE_FILTER        5058  // save dialog filter, pairs separated by "|"
#define IDS_CANDIDATE_LINE          5059  // a candidate's line: "%s" code points, "%.1f" similarity

#endif
