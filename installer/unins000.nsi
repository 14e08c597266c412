; The installation's uninstaller, unins000.exe in the install folder. It is a plain program
; rather than an NSIS uninstaller: those copy themselves to a temporary folder, start the copy
; and end at once, and the removal program waits for the process it started to end only once
; the work is done. /SILENT (the removal program's switch) or /S run it without a window.
; X86 defined: the 32-bit package's, for 32-bit Windows, where the one registry view is used.
Unicode true
!ifdef X86
  Target x86-unicode
!else
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define SETTINGS_KEY "SOFTWARE\Lumivane\TouchScreen\Velorix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KesmaTouchScreen"
!define PRODUCT "${VENDER_NAME} TouchScreen"

Name "${PRODUCT}"
Caption "Remove ${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
BrandingText "${PRODUCT}"
ShowInstDetails show
Page instfiles

Function .onInit
!ifndef X86
  SetRegView 64
!endif
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SILENT" $1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
FunctionEnd

!ifdef PRODUCT_CODE
; In the Windows Installer package, it has Windows Installer remove the product, its
; registration included, and ends with msiexec's status; 3010 (a restart needed) counts as
; done, since the removal program restarts Windows. Its own file, in use meanwhile, and the
; folder then go at that restart.
Section "Remove"
  ExecWait '"$SYSDIR\msiexec.exe" /x ${PRODUCT_CODE} /qn REBOOT=ReallySuppress' $0
  ${If} $0 == 3010
    StrCpy $0 0
  ${EndIf}
  Delete /REBOOTOK "$EXEDIR\unins000.exe"
  RMDir /REBOOTOK "$EXEDIR"
  ${GetParent} "$EXEDIR" $1
  RMDir /REBOOTOK "$1"
  SetErrorLevel $0
SectionEnd
!else
Section "Remove"
  ; The uninstaller runs from the install folder it removes.
  StrCpy $INSTDIR "$EXEDIR"
  Delete "$INSTDIR\Kesmapan.exe"
  Delete "$INSTDIR\Kesmaboot.exe"
  Delete "$INSTDIR\Kesmarbtn.exe"
  Delete "$INSTDIR\Kesmainst.exe"
  Delete "$INSTDIR\Kesmasmi.exe"
  Delete "$INSTDIR\setup.ini"
  Delete "$INSTDIR\setup.oem"
  Delete "$INSTDIR\TSLogo.Bmp"
  Delete "$INSTDIR\TSVender.Bmp"
  Delete "$INSTDIR\TSVender.Cut"
  ; Its own file and the folder go at the restart that the removal program makes. So does
  ; the removal program's file, in use while this one runs: the removal program schedules
  ; that itself only when this one ends within its ten-second wait.
  Delete /REBOOTOK "$INSTDIR\unins000.exe"
  Delete /REBOOTOK "$WINDIR\Kesmawipe.exe"
  RMDir /REBOOTOK "$INSTDIR"
  ${GetParent} "$INSTDIR" $0
  RMDir /REBOOTOK "$0"

  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\${PRODUCT}"
  DeleteRegValue HKLM "${RUN_KEY}" "Kesmaboot"
  DeleteRegKey HKLM "${ARP_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Lumivane\TouchScreen"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Lumivane"
SectionEnd
!endif
