// Resource ids that the core's Win32 code relies on. Every program's resource script
// includes this file and provides these resources (see WaitMessage.rc).
// Only #define lines: the file is read by the resource compiler and by C++.
#ifndef MOJI_CORE_RES_H
#define MOJI_CORE_RES_H

// The program's own icon (each program has its own picture under this id).
#define IDI_PROGRAM                 128

// Wait-message box (CWaitMessage): template and its text.
#define IDD_WAIT_MESSAGE            136
#define IDC_WAIT_MESSAGE_TEXT       1034

// "ﾌﾟﾛｸﾞﾗﾑ起動中です。..." shown in the wait box while a program starts.
#define IDS_STARTING                300

// Label of the About box's link while the build names no web page: it opens the help.
#define IDS_ABOUT_HELP_LINK         310

// "'%s'\r\nﾍﾙﾌﾟﾌｧｲﾙが見つかりません。": the help file (Help.h) is missing.
#define IDS_ERR_HELP_MISSING        2054

// Status-bar text while no prompt is shown ("ﾚﾃﾞｨ"); used by CFrameWindow.
#define IDS_IDLE_MESSAGE            57345

// Print preview (CPrintPreviewWnd): texts of its buttons and of its page number, supplied by
// a program that shows one (PrintPreview.rc).
#define IDS_PREVIEW_PRINT           7000
#define IDS_PREVIEW_NEXT            7001
#define IDS_PREVIEW_PREV            7002
#define IDS_PREVIEW_ONE_PAGE        7003
#define IDS_PREVIEW_TWO_PAGES       7004
#define IDS_PREVIEW_ZOOM_IN         7005
#define IDS_PREVIEW_ZOOM_OUT        7006
#define IDS_PREVIEW_CLOSE           7007
#define IDS_PREVIEW_PAGE            7008
#define IDS_PREVIEW_PAGES           7009

// The box shown while a print job runs (CPrintingDlg): template, the document's name, the
// page being printed ("%d / %d ﾍﾟｰｼﾞを印刷しています"), a cancel button (IDCANCEL).
#define IDD_PRINTING                137
#define IDC_PRINTING_DOCUMENT       1035
#define IDC_PRINTING_PAGE           1036
#define IDS_PRINTING_PAGE           7010

#endif
