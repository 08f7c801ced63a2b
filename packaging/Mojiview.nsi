; The per-user installer of Mojiview and Mojisheet, made by makensis on the build machine
; from the program folder (tools/make_packages.py writes the file lists and passes the
; defines VERSION, PUBLISHER, COPYRIGHT, HOMEPAGE (may be empty), OUTFILE, FILES_NSH, ICON,
; PROGRAM_DIR and SIZE_KB).
;
; It installs without elevation into %LOCALAPPDATA%\Programs\Mojiview, or where an earlier
; install went (the uninstall entry's InstallLocation), where the settings file, the log and
; TEMP\ beside the programs are writable; adds Start-menu shortcuts and an entry in Apps &
; features (HKCU). Over an earlier install it first runs that version's uninstaller with
; /KEEPUSERFILES, which removes the files that version installed and nothing else, so that
; files a newer version no longer ships do not stay.
;
; Installer and uninstaller first end the running browsers and printers of the folder (their
; tagged main windows): asked first, or in silent mode (/S) told to close at once; a program
; still running after 10 seconds stops the work with exit code 2 before any file changed.
; The uninstaller removes what was installed and what the programs write beside themselves,
; and the TTE association when it names this folder's browser; the user's fonts and
; readings stay. The uninstall entry and the shortcuts go only when the program files are
; gone (otherwise exit code 2).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Mojiview"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define TTE_CLASS "Software\Classes\Mojiview"
!define TTE_COMMAND_KEY "${TTE_CLASS}\shell\外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ...\command"
!define TTE_EXTENSION_KEY "Software\Classes\.tte"
!define KEEP_USER_FILES "/KEEPUSERFILES"
!define CLOSE_WAIT_MS 10000
!include "${FILES_NSH}"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails nevershow
ShowUninstDetails nevershow
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${COPYRIGHT}"

LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

;
; Running programs of $INSTDIR. The browser and the printer mark their main window (window
; class "MojiFrame") with the property "_MOJIVIEW_APPLICATION_TAG" or
; "_MOJISHEET_APPLICATION_TAG"; a window counts when its process's program lies in $INSTDIR.
!macro RunningProgramFunctions UN
; $R1 = the number of such windows. With $R0 = "close" each is sent WM_CLOSE and a handle of
; its process is pushed on the stack (the caller pops $R1 handles).
Function ${UN}ScanPrograms
  StrCpy $R1 0
  StrCpy $0 0
  ${Do}
    FindWindow $0 "MojiFrame" "" "" $0
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetPropW(p r0, w "_MOJIVIEW_APPLICATION_TAG") p .r1'
    System::Call 'user32::GetPropW(p r0, w "_MOJISHEET_APPLICATION_TAG") p .r2'
    ${If} $1 = 0
    ${AndIf} $2 = 0
      ${Continue}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1)'
    ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x00101000, i 0, i r1) p .r3'
    ${If} $3 = 0
      ${Continue}
    ${EndIf}
    System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN}) i .r5'
    ${If} $5 = 0
      StrCpy $4 ""
    ${EndIf}
    ${If} "$4" == "$INSTDIR\Mojiview.exe"
    ${OrIf} "$4" == "$INSTDIR\Mojisheet.exe"
      IntOp $R1 $R1 + 1
      ${If} $R0 == "close"
        System::Call 'user32::PostMessageW(p r0, i 0x0010, p 0, p 0)'
        Push $3
        ${Continue}
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r3)'
  ${Loop}
FunctionEnd

; Ends the running programs of $INSTDIR (asking first unless silent). Returns when none runs;
; otherwise stops the installer or uninstaller: a silent one with exit code 2.
Function ${UN}CloseRunningPrograms
  ${Do}
    StrCpy $R0 "count"
    Call ${UN}ScanPrograms
    ${If} $R1 = 0
      Return
    ${EndIf}
    ${IfNot} ${Silent}
      MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "Mojiview または Mojisheet が起動しています。$\r$\n「OK」を押すと終了させてから続けます。" IDOK +2
      Abort
    ${EndIf}
    StrCpy $R0 "close"
    Call ${UN}ScanPrograms
    System::Call 'kernel32::GetTickCount() i .r6'
    IntOp $6 $6 + ${CLOSE_WAIT_MS}
    StrCpy $R2 0
    ${For} $R3 1 $R1
      Pop $3
      System::Call 'kernel32::GetTickCount() i .r7'
      IntOp $7 $6 - $7
      ${If} $7 < 0
        StrCpy $7 0
      ${EndIf}
      System::Call 'kernel32::WaitForSingleObject(p r3, i r7) i .r8'
      ${If} $8 <> 0
        IntOp $R2 $R2 + 1
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r3)'
    ${Next}
    ${If} $R2 = 0
      Return
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel 2
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Mojiview または Mojisheet を終了できませんでした。$\r$\n終了してから「再試行」を押してください。" IDRETRY +2
    Abort
  ${Loop}
FunctionEnd
!macroend
!insertmacro RunningProgramFunctions ""
!insertmacro RunningProgramFunctions "un."

Section "Install"
  SetShellVarContext current
  Call CloseRunningPrograms
  ; An earlier install in this folder: its own uninstaller removes what it installed.
  ${If} ${FileExists} "$INSTDIR\Uninstall.exe"
    ClearErrors
    ExecWait '"$INSTDIR\Uninstall.exe" /S ${KEEP_USER_FILES} _?=$INSTDIR' $0
    ${If} ${Errors}
    ${OrIf} $0 <> 0
      ${IfNot} ${Silent}
        MessageBox MB_OK|MB_ICONSTOP "前にインストールした Mojiview を削除できませんでした。"
      ${EndIf}
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
  SetOutPath "$INSTDIR"
  !insertmacro InstallProgramFolder
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Mojiview 外字ブラウザ.lnk" "$INSTDIR\Mojiview.exe"
  CreateShortcut "${MENU_FOLDER}\Mojisheet 外字一覧表.lnk" "$INSTDIR\Mojisheet.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} 外字ブラウザ"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
!if "${HOMEPAGE}" != ""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
!endif
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Mojiview.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningPrograms
  ClearErrors
  !insertmacro RemoveProgramFiles
  ${If} ${Errors}
    ; A file in use stays: so do the entry and the shortcuts, to uninstall again later.
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONSTOP "削除できないファイルが残りました。もう一度アンインストールしてください。"
    ${EndIf}
    SetErrorLevel 2
    Quit
  ${EndIf}
  !insertmacro RemoveProgramFolders
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "${KEEP_USER_FILES}" $1
  ${IfNot} ${Errors}
    Return  ; an upgrade: the new version puts its files, entry and shortcuts in place
  ${EndIf}

  ; What the programs write beside themselves: settings, log, temporary EUF copies and
  ; the list of readings last registered with the input method.
  Delete "$INSTDIR\Mojiview.ini"
  Delete "$INSTDIR\Mojiview.log"
  Delete "$INSTDIR\Mojiview.log.old"
  Delete "$INSTDIR\_OldEudc.ymi"
  Delete "$INSTDIR\TEMP\_Gvw_*"
  RMDir "$INSTDIR\TEMP"
  ; The uninstaller runs from a copy of itself; the original may take a moment to end.
  ${For} $0 1 50
    Delete "$INSTDIR\Uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
      ${Break}
    ${EndIf}
    Sleep 100
  ${Next}
  ; Not /r: a folder that still holds the user's own files stays.
  RMDir "$INSTDIR"

  ; The browser's TTE association (its command 32778) goes when it opens this browser;
  ; one that names another folder's browser stays.
  ReadRegStr $0 HKCU "${TTE_COMMAND_KEY}" ""
  ${If} $0 == '"$INSTDIR\Mojiview" "%1"'
    DeleteRegKey HKCU "${TTE_CLASS}"
    ReadRegStr $1 HKCU "${TTE_EXTENSION_KEY}" ""
    ${If} $1 == "Mojiview"
      DeleteRegValue HKCU "${TTE_EXTENSION_KEY}" ""
      DeleteRegKey /ifempty HKCU "${TTE_EXTENSION_KEY}"
    ${EndIf}
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
  ${EndIf}

  Delete "${MENU_FOLDER}\Mojiview 外字ブラウザ.lnk"
  Delete "${MENU_FOLDER}\Mojisheet 外字一覧表.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
