; Makes a shortcut ask for elevation, as its "Run as administrator" box does: bit 0x2000
; (RunAsUser) of LinkFlags, the dword at offset 0x14 of the .lnk, is bit 0x20 of byte 0x15.
; Neither CreateShortcut nor Windows Installer's Shortcut table has a switch for it.
!macro RunAsAdministrator LINK
  ClearErrors
  FileOpen $0 "${LINK}" a
  ${IfNot} ${Errors}
    FileSeek $0 0x15 SET
    FileReadByte $0 $1
    IntOp $1 $1 | 0x20
    FileSeek $0 0x15 SET
    FileWriteByte $0 $1
    FileClose $0
  ${EndIf}
!macroend
