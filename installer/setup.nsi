; The touch-screen utilities' installer, branded from a vendor folder: the 64-bit package, or
; with X86 defined the 32-bit package for 32-bit Windows (x86 stub, the 32-bit programs).
; tools/package defines BUILD (the programs to pack), VENDOR (the vendor folder),
; OUTFILE, VENDER_NAME, VENDER_STYLE, HARDWARE_ID, UNINSTALLER (the built unins000.exe) and
; UPGRADE_CODE (that of the Windows Installer package of the same architecture).
Unicode true
!ifdef X86
  Target x86-unicode
  !define MSI_PACKAGE "TouchScreenSetup32.msi"
!else
  Target amd64-unicode
  !define MSI_PACKAGE "TouchScreenSetup.msi"
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "WordFunc.nsh"

!define PRODUCT "${VENDER_NAME} TouchScreen"
!define SETTINGS_KEY "SOFTWARE\Lumivane\TouchScreen\Velorix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KesmaTouchScreen"

!include "${__FILEDIR__}/runasadmin.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef X86
  InstallDir "$PROGRAMFILES\Lumivane\TouchScreen"
!else
  InstallDir "$PROGRAMFILES64\Lumivane\TouchScreen"
!endif
BrandingText "${PRODUCT}"
ShowInstDetails show

!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!if /FileExists "${VENDOR}\license.txt"
  !insertmacro MUI_PAGE_LICENSE "${VENDOR}\license.txt"
!else if /FileExists "${VENDOR}\readme.txt"
  !define MUI_LICENSEPAGE_TEXT_TOP "Please read the following before you install ${PRODUCT}."
  !define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
  !define MUI_LICENSEPAGE_TEXT_BOTTOM " "
  !insertmacro MUI_PAGE_LICENSE "${VENDOR}\readme.txt"
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been installed. The setup program now imports the factory settings and asks to restart Windows."
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
!ifdef X86
  ; On 64-bit Windows the 64-bit package is the one to install: this one would put the 32-bit
  ; programs into Program Files (x86) and their values into the 32-bit registry view, beside
  ; what the 64-bit package installs. On 32-bit Windows the one registry view is the programs'.
  ${If} ${RunningX64}
    MessageBox MB_ICONSTOP "This package of ${PRODUCT} is for 32-bit Windows. On 64-bit Windows install the 64-bit package, TouchScreenSetup.exe." /SD IDOK
    Abort
  ${EndIf}
!else
  SetRegView 64
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${PRODUCT} needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
!endif
  Call RefuseOtherInstallations
FunctionEnd

; One installation per machine: none over the Windows Installer package's, and none older than
; the one installed. An installation of this package that is not newer is upgraded in place
; ($Upgrade 1), keeping the settings key as it is: the factory settings are imported only once.
Var Upgrade
Function RefuseOtherInstallations
  System::Call 'msi::MsiEnumRelatedProductsW(w "${UPGRADE_CODE}", i 0, i 0, w .r1) i .r0'
  ${If} $0 == 0
    MessageBox MB_ICONSTOP "${PRODUCT} is installed on this computer by its Windows Installer package (${MSI_PACKAGE}). Remove it first (Add/Remove Programs, or msiexec /x $1), then run this setup program." /SD IDOK
    Abort
  ${EndIf}
  ReadRegStr $0 HKLM "${ARP_KEY}" "DisplayVersion"
  StrCpy $Upgrade 0
  ${If} $0 != ""
    ${VersionCompare} $0 "${VERSION}" $1
    ${If} $1 == 1
      MessageBox MB_ICONSTOP "A newer version ($0) of ${PRODUCT} is installed on this computer: this setup program changes nothing." /SD IDOK
      Abort
    ${EndIf}
    StrCpy $Upgrade 1
  ${EndIf}
FunctionEnd

Section "Programs"
  SetOutPath "$INSTDIR"
  File "${BUILD}\Kesmapan.exe"
  File "${BUILD}\Kesmaboot.exe"
  File "${BUILD}\Kesmarbtn.exe"
  File "${BUILD}\Kesmainst.exe"
  File "${UNINSTALLER}"
  File "${VENDOR}\setup.ini"
  File "${VENDOR}\setup.oem"
  !if /FileExists "${VENDOR}\TSLogo.Bmp"
    File "${VENDOR}\TSLogo.Bmp"
  !endif
  !if /FileExists "${VENDOR}\TSVender.Bmp"
    File "${VENDOR}\TSVender.Bmp"
  !endif
  !if /FileExists "${VENDOR}\TSVender.Cut"
    File "${VENDOR}\TSVender.Cut"
  !endif
  ; The vendor's Kesmasmi.exe, as tools/package put it beside the programs (signed with them).
  !if /FileExists "${BUILD}\Kesmasmi.exe"
    File "${BUILD}\Kesmasmi.exe"
  !endif
  ; The removal program lies in the Windows folder, where it deletes itself at the restart.
  SetOutPath "$WINDIR"
  File "${BUILD}\Kesmawipe.exe"

  WriteRegStr HKLM "${SETTINGS_KEY}" "VenderName" "${VENDER_NAME}"
  WriteRegStr HKLM "${SETTINGS_KEY}" "VenderStyle" "${VENDER_STYLE}"
  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallPath" "$INSTDIR"
  WriteRegStr HKLM "${SETTINGS_KEY}" "WindowsPath" "$WINDIR"
  WriteRegStr HKLM "${SETTINGS_KEY}" "SystemPath" "$SYSDIR"
  WriteRegStr HKLM "${SETTINGS_KEY}" "HardwareID" "${HARDWARE_ID}"
  ; Quoted: the install folder has blanks in it.
  WriteRegStr HKLM "${RUN_KEY}" "Kesmaboot" '"$INSTDIR\Kesmaboot.exe"'

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\TouchScreen Control Panel.lnk" "$INSTDIR\Kesmapan.exe"
  ; Their Apply stores machine-wide values; the start-up program itself runs as its user,
  ; since Windows starts no program that asks for elevation from the Run key.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Double-Click Settings.lnk" "$INSTDIR\Kesmaboot.exe" "/SDC"
  !insertmacro RunAsAdministrator "$SMPROGRAMS\${PRODUCT}\Double-Click Settings.lnk"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Auto-Scan Settings.lnk" "$INSTDIR\Kesmaboot.exe" "/SAM"
  !insertmacro RunAsAdministrator "$SMPROGRAMS\${PRODUCT}\Auto-Scan Settings.lnk"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Remove ${PRODUCT}.lnk" "$WINDIR\Kesmawipe.exe"

  WriteRegStr HKLM "${ARP_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${ARP_KEY}" "Publisher" "${VENDER_NAME}"
  WriteRegStr HKLM "${ARP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${ARP_KEY}" "DisplayIcon" '"$INSTDIR\Kesmapan.exe"'
  WriteRegStr HKLM "${ARP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${ARP_KEY}" "UninstallString" '"$WINDIR\Kesmawipe.exe"'
  WriteRegDWORD HKLM "${ARP_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${ARP_KEY}" "NoRepair" 1

  ; A silent install imports the factory settings silently; an interactive one runs the
  ; setup program in its normal mode when the installer closes (.onInstSuccess). A silent
  ; import that failed ends the install with the setup program's exit status, so that an
  ; unattended deployment sees it.
  ${If} ${Silent}
  ${AndIf} $Upgrade == 0
    StrCpy $0 0
    ExecWait '"$INSTDIR\Kesmainst.exe" /XPEFBASETUP' $0
    ${If} $0 != 0
      SetErrorLevel $0
    ${EndIf}
  ${EndIf}
SectionEnd

Function .onInstSuccess
  ${IfNot} ${Silent}
  ${AndIf} $Upgrade == 0
    Exec '"$INSTDIR\Kesmainst.exe"'
  ${EndIf}
FunctionEnd
