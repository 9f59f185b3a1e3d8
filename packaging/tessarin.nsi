; The setup program: installs Tessarin for the current user alone, without administrator rights,
; into %LOCALAPPDATA%\Programs\Tessarin (or a folder the user picks, /D= when silent), with a
; Start menu shortcut, an optional desktop shortcut and an entry in "Apps & features"; running it
; again upgrades in place. Made by make_setup.cmake, which defines VERSION, PLATFORM (win64 or
; win32), PUBLISHER, ICON, OUTFILE, PROGRAM_FILES (the staged files, listed) and maybe LICENSE.
Unicode true
; Each setup is a program of the architecture it installs, so the 64-bit one needs no 32-bit
; part of Windows.
!if ${PLATFORM} == win64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
; No file times in the setup: its bytes then depend on the files' contents alone.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include "${PROGRAM_FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarin"
!define SHORTCUT "Tessarin.lnk"

Name "Tessarin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessarin"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" InstallLocation
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Tessarin ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 ProductName "Tessarin"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileDescription "Tessarin ${VERSION} Setup"
VIAddVersionKey /LANG=1033 LegalCopyright "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(TessarinWelcome)"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessarin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tessarin"

!insertmacro MUI_PAGE_WELCOME
!ifdef LICENSE
  !insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!endif
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

LangString TessarinWelcome ${LANG_ENGLISH} "Setup will install Tessarin ${VERSION} for you alone, in a folder of your own. No administrator rights are needed.$\r$\n$\r$\nWhen you install over an earlier version, your settings and the layouts you saved stay as they are.$\r$\n$\r$\nClick Next to continue."
LangString TessarinProgramText ${LANG_ENGLISH} "The program, its layout files and a short guide, with a shortcut in the Start menu."
LangString TessarinDesktopText ${LANG_ENGLISH} "A shortcut to Tessarin on the desktop."
LangString TessarinRunning ${LANG_ENGLISH} "Tessarin is running. Close it, then click Retry.$\r$\n$\r$\nCancel stops here without changing anything."
LangString TessarinKeepSettings ${LANG_ENGLISH} "Keep your Tessarin settings (tsnconfig.ini) for a later install?"

; WaitUntilClosed: Windows refuses to open a running program's file for writing, so a refusal on
; tessarin.exe means that copy runs. Asks the user to close it (a running program is never
; ended from here); a silent run cannot ask and stops with exit code 2, changing nothing.
!macro WAIT_UNTIL_CLOSED un
Function ${un}WaitUntilClosed
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\tessarin.exe"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\tessarin.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      Return
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(TessarinRunning)" /SD IDCANCEL IDCANCEL`
      Abort
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

Section "Tessarin" SecProgram
  SectionIn RO
  Call WaitUntilClosed
  !insertmacro InstallProgramFiles
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\tessarin.exe"
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\tessarin.exe"
SectionEnd

Section "-Register"
  ${IfNot} ${SectionIsSelected} ${SecDesktop}
    Delete "$DESKTOP\${SHORTCUT}"
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayName "Tessarin"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\tessarin.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\Uninstall.exe" /S'
  ; In KB, as "Apps & features" shows it.
  ${GetSize} "$INSTDIR" "/S=0K /G=1" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" EstimatedSize $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Function .onInit
  ; The page shows whether the desktop shortcut is there, so leaving it ticked keeps it.
  ${If} ${FileExists} "$DESKTOP\${SHORTCUT}"
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(TessarinProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(TessarinDesktopText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Call un.WaitUntilClosed
  ${If} ${FileExists} "$INSTDIR\tsnconfig.ini"
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "$(TessarinKeepSettings)" /SD IDYES IDNO`
      Delete "$INSTDIR\tsnconfig.ini"
    ${EndIf}
  ${EndIf}
  !insertmacro RemoveProgramFiles
  Delete "$INSTDIR\Uninstall.exe"
  ; The shortcuts and the entry belong to the install the entry names: another copy installed
  ; into another folder since then keeps them.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" InstallLocation
  ${If} $0 == $INSTDIR
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
  ; Only once nothing of the user's is left in it.
  RMDir "$INSTDIR"
SectionEnd
