; The Windows Installer package's helper: makes the settings shortcuts in the Start-menu folder
; given as its whole command line ask for elevation. Ends with status 1 when one is missing.
; X86 defined: the 32-bit package's.
Unicode true
!ifdef X86
  Target x86-unicode
!else
  Target amd64-unicode
!endif
SilentInstall silent
RequestExecutionLevel user
OutFile "${OUTFILE}"

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "${__FILEDIR__}/runasadmin.nsh"

Section
  ${GetParameters} $2
  ${IfNot} ${FileExists} "$2\Double-Click Settings.lnk"
  ${OrIfNot} ${FileExists} "$2\Auto-Scan Settings.lnk"
    SetErrorLevel 1
    Quit
  ${EndIf}
  !insertmacro RunAsAdministrator "$2\Double-Click Settings.lnk"
  !insertmacro RunAsAdministrator "$2\Auto-Scan Settings.lnk"
SectionEnd
