; The per-user installer of Mojiview and Mojisheet, made by makensis on the build machine
; from the program folder (tools/make_packages.py writes the file lists and passes the
; defines VERSION, PUBLISHER, OUTFILE, FILES_NSH, ICON and SIZE_KB).
;
; It installs without elevation into %LOCALAPPDATA%\Programs\Mojiview, where the settings
; file, the log and TEMP\ beside the programs are writable; adds Start-menu shortcuts and
; an entry in Apps & features (HKCU); its uninstaller removes what it installed and what
; the programs write beside themselves, and leaves the user's fonts and readings alone.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Mojiview"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!include "${FILES_NSH}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
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

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !insertmacro InstallProgramFolder
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Mojiview 外字ブラウザ.lnk" "$INSTDIR\Mojiview.exe"
  CreateShortcut "${MENU_FOLDER}\Mojisheet 外字一覧表.lnk" "$INSTDIR\Mojisheet.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} 外字ブラウザ"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
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
  !insertmacro RemoveProgramFolder
  ; What the programs write beside themselves: settings, log, temporary EUF copies and
  ; the list of readings last registered with the input method.
  Delete "$INSTDIR\Mojiview.ini"
  Delete "$INSTDIR\Mojiview.log"
  Delete "$INSTDIR\Mojiview.log.old"
  Delete "$INSTDIR\_OldEudc.ymi"
  Delete "$INSTDIR\TEMP\_Gvw_*"
  RMDir "$INSTDIR\TEMP"
  Delete "$INSTDIR\Uninstall.exe"
  ; Not /r: a folder that still holds the user's own files stays.
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\Mojiview 外字ブラウザ.lnk"
  Delete "${MENU_FOLDER}\Mojisheet 外字一覧表.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
