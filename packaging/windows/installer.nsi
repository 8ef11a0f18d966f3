; The Velloxa installer: for the current user, without administrator
; rights, with the standard pages (which screen readers read) and /S for a
; silent install. Built by package.sh:
;   makensis -DVERSION=V -DSTAGE=FOLDER -DICON=ICO -DOUTFILE=SETUP installer.nsi
; A 64-bit installer for the 64-bit program (Wine in the checks has no
; 32-bit half).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velloxa"

Name "Velloxa"
Caption "Velloxa ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velloxa"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Velloxa ${VERSION}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velloxa.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Velloxa now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Open the player's guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!define MUI_COMPONENTSPAGE_TEXT_TOP "Velloxa is removed. Your progress stays unless you tick the box below."
; The one choice needs no description box, and its label the list's whole width.
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${RC_VERSION}"
VIAddVersionKey "ProductName" "Velloxa"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Velloxa ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "Copyright 2026 the Velloxa developers"

Section "Velloxa"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  ; This copy keeps the player's files in %APPDATA%\Velloxa.
  FileOpen $0 "$INSTDIR\installed-copy.txt" w
  FileWrite $0 "This copy of Velloxa was installed: your progress is in %APPDATA%\Velloxa.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Velloxa.lnk" "$INSTDIR\velloxa.exe" "" "$INSTDIR\velloxa.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velloxa"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Velloxa developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velloxa.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "un.Velloxa" UninstallProgram
  SectionIn RO
  Delete "$SMPROGRAMS\Velloxa.lnk"
  Delete "$INSTDIR\velloxa.exe"
  Delete "$INSTDIR\velloxa-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\language.txt"
  Delete "$INSTDIR\installed-copy.txt"
  RMDir /r "$INSTDIR\sounds"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Also remove my progress and settings" UninstallProgress
  RMDir /r "$APPDATA\Velloxa"
SectionEnd
