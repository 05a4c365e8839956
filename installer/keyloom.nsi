; Keyloom's Windows installer: both programs, the examples and the documentation for the
; current user (no administrator rights needed), Start-menu shortcuts and an uninstaller that
; removes exactly what was installed and leaves the user's own macros, lists and schedules.
;
; Built by scripts/dist.sh, which runs makensis -NOCD in the folder that holds the staged
; release folder and the generated lists of files:
;   VERSION   the release number, e.g. 1.0.0
;   STAGE     the staged release folder, relative to the current folder
;   OUTFILE   the setup program to write
;   install-files.nsh, uninstall-files.nsh, size.nsh   generated from the staged folder

; A 64-bit installer for the 64-bit programs (Unicode, like every amd64 target).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "size.nsh"

!define PRODUCT "Keyloom"
!define PUBLISHER "Keyloom developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Keyloom"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MENU_FOLDER "$SMPROGRAMS\Keyloom"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Keyloom"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Keyloom ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT License"

!define MUI_ICON "keyloom.ico"
!define MUI_UNICON "keyloom.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Keyloom.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Keyloom"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Files cannot be replaced or removed while a program runs from them; both programs keep a
; window with their own title for their whole run, hidden in the notification area or not. The
; user may close them and retry; a silent run gives up at once.
!define BOTH_RUNNING "Keyloom and Keyloom Scheduler are running. Please close both programs (right-click their icons in the notification area and choose Close Keyloom and Close Keyloom Scheduler), then choose Retry."
!define KEYLOOM_RUNNING "Keyloom is running. Please close it (right-click its icon in the notification area and choose Close Keyloom), then choose Retry."
!define SCHEDULER_RUNNING "Keyloom Scheduler is running. Please close it (right-click its icon in the notification area and choose Close Keyloom Scheduler), then choose Retry."
!macro WaitUntilClosed
  retry:
  FindWindow $0 "" "Keyloom"
  FindWindow $1 "" "Keyloom Scheduler"
  ${If} $0 <> 0
  ${AndIf} $1 <> 0
    StrCpy $2 "${BOTH_RUNNING}"
  ${ElseIf} $0 <> 0
    StrCpy $2 "${KEYLOOM_RUNNING}"
  ${ElseIf} $1 <> 0
    StrCpy $2 "${SCHEDULER_RUNNING}"
  ${Else}
    Goto closed
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$2" /SD IDCANCEL IDRETRY retry
  Abort
  closed:
!macroend

; A start-up entry that starts the program being removed would start nothing: remove it, but
; only when it names this installation.
!macro RemoveStartupEntry NAME PROGRAM
  ReadRegStr $0 HKCU "${RUN_KEY}" "${NAME}"
  ${If} $0 == '"$INSTDIR\${PROGRAM}" /m'
    DeleteRegValue HKCU "${RUN_KEY}" "${NAME}"
  ${EndIf}
!macroend

; A start-up entry left by another copy (one unpacked from the zip, an earlier folder) would
; start that copy: point it at the installed one. An install never adds an entry of its own.
!macro PointStartupEntryHere NAME PROGRAM
  ReadRegStr $0 HKCU "${RUN_KEY}" "${NAME}"
  ${If} $0 != ""
  ${AndIf} $0 != '"$INSTDIR\${PROGRAM}" /m'
    WriteRegStr HKCU "${RUN_KEY}" "${NAME}" '"$INSTDIR\${PROGRAM}" /m'
    DetailPrint "The start-up entry ${NAME} starts $INSTDIR\${PROGRAM} now (it started $0)."
  ${EndIf}
!macroend

Function .onInit
  !insertmacro WaitUntilClosed
FunctionEnd

Function un.onInit
  !insertmacro WaitUntilClosed
FunctionEnd

Section "Keyloom" SectionMain
  SectionIn RO
  !include "install-files.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcuts start the programs in their own folder.
  SetOutPath "$INSTDIR"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Keyloom.lnk" "$INSTDIR\Keyloom.exe"
  CreateShortcut "${MENU_FOLDER}\Keyloom Scheduler.lnk" "$INSTDIR\Keyloom Scheduler.exe"
  CreateShortcut "${MENU_FOLDER}\Example macros.lnk" "$INSTDIR\examples"
  CreateShortcut "${MENU_FOLDER}\Uninstall Keyloom.lnk" "$INSTDIR\Uninstall.exe"

  !insertmacro PointStartupEntryHere "Keyloom" "Keyloom.exe"
  !insertmacro PointStartupEntryHere "Keyloom Scheduler" "Keyloom Scheduler.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Keyloom.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE_KB}
SectionEnd

; Removes what the installer put in place, file by file; folders go only when nothing else is
; left in them, so macros the user saved there stay. The settings under Software\Keyloom and
; Software\Keyloom Scheduler stay too, for a later installation.
Section "Uninstall"
  !insertmacro RemoveStartupEntry "Keyloom" "Keyloom.exe"
  !insertmacro RemoveStartupEntry "Keyloom Scheduler" "Keyloom Scheduler.exe"

  Delete "${MENU_FOLDER}\Keyloom.lnk"
  Delete "${MENU_FOLDER}\Keyloom Scheduler.lnk"
  Delete "${MENU_FOLDER}\Example macros.lnk"
  Delete "${MENU_FOLDER}\Uninstall Keyloom.lnk"
  RMDir "${MENU_FOLDER}"

  !include "uninstall-files.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
