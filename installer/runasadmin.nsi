; The Windows Installer package's helper: makes the settings shortcuts in the Start-menu folder
; given as its whole command line ask for elevation. Ends with status 1 when one is missing.
Unicode true
Target amd64-unicode
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
