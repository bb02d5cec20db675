; The Windows installer: per machine under Program Files, a Start menu entry, an uninstaller and an entry in
; Apps & features, in the user's language (the Windows display language; English without a catalogue).
; makensis -DVERSION=1.0.0 -DEXE=calculator.exe -DLICENSE=LICENSE.txt -DLANGUAGES=languages.nsh
;          -DOUTFILE=setup.exe
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; The download is named for what it is; its manifest asks for administrator rights itself.
!pragma warning disable 9000
!include "FileFunc.nsh"
!include "MUI2.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Calculator"
Name "$(ProgramName)"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Calculator"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; Each MUI_LANGUAGE with the program's name in it; Windows' display language chooses one.
!include "${LANGUAGES}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Calculator"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Calculator setup"
VIAddVersionKey "CompanyName" "The Calculator developers"
VIAddVersionKey "LegalCopyright" "Copyright 2026 The Calculator developers"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Calculator needs a 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "/oname=calculator.exe" "${EXE}"
    File "/oname=LICENSE.txt" "${LICENSE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; An earlier install's entry, perhaps in another language, gives way to this one.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayName"
    StrCmp $0 "" +2
    Delete "$SMPROGRAMS\$0.lnk"
    CreateShortcut "$SMPROGRAMS\$(ProgramName).lnk" "$INSTDIR\calculator.exe"
    ; The uninstaller, in whatever language it runs, removes the entry by this name.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProgramName)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Calculator developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\calculator.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Uninstall"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayName"
    StrCmp $0 "" +2
    Delete "$SMPROGRAMS\$0.lnk"
    Delete "$INSTDIR\calculator.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
