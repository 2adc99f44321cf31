; Setup program of Brelkora Fireworks, built by tools/installer/MakeDist.cmake with makensis:
;   makensis -DVERSION=1.0 -DSCR=fireworks.scr -DREADME=ReadMe.txt -DICON=fireworks.ico -DOUTFILE=Setup.exe fireworks.nsi
; Puts fireworks.scr into the system folder, where Screen Saver Settings lists it (the real one on
; 64-bit Windows, not the folder a 32-bit program is redirected to), offers to make it the current
; screen saver, and registers an uninstaller under Add/Remove Programs. /S runs it silently.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Brelkora Fireworks"
!define PUBLISHER "Brelkora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BrelkoraFireworks"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER "fireworks.scr"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The system folder as Screen Saver Settings sees it: on 64-bit Windows this 32-bit setup program must
; switch file-system redirection off to reach it. $SYSDIR names it in both cases.
!macro RealSystemFolder
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
  ${EndIf}
!macroend
!macro RedirectedAgain
  ${If} ${RunningX64}
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

Section "Brelkora Fireworks screen saver" SecSaver
  SectionIn RO
  !insertmacro RealSystemFolder
  SetOutPath "$SYSDIR"
  File "/oname=${SAVER}" "${SCR}"
  !insertmacro RedirectedAgain

  SetOutPath "$INSTDIR"
  File "/oname=ReadMe.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SAVER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecSaver} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Make it the current screen saver" SecSelect
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SAVER}"
SectionEnd

Section "Uninstall"
  ; The saver selection goes only if it still names this saver, by its long or its short name.
  !insertmacro RealSystemFolder
  GetFullPathName /SHORT $1 "$SYSDIR\${SAVER}"
  Delete /REBOOTOK "$SYSDIR\${SAVER}"
  !insertmacro RedirectedAgain
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != ""
  ${AndIf} $0 == "$SYSDIR\${SAVER}"
  ${OrIf} $0 == $1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  ; The user's settings stay unless the user says otherwise (a silent uninstall keeps them).
  MessageBox MB_YESNO|MB_ICONQUESTION "Remove your ${PRODUCT} settings as well?" /SD IDNO IDNO keepSettings
    DeleteRegKey HKCU "Software\Brelkora\Fireworks"
    DeleteRegKey /ifempty HKCU "Software\Brelkora"
  keepSettings:

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
