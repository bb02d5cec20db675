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
!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "WinMessages.nsh"
!include "x64.nsh"

; The entry is the program's own id: "Calculator" may be another program's. A reinstall or an upgrade goes
; where the last one went, and replaces that one copy; the pages are sharp at any scale.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\io.github.calculatordevs.Calculator"
!define OLD_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Calculator"
!define PUBLISHER "The Calculator developers"
Name "$(ProgramName)"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Calculator"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ManifestDPIAware true
; A file that cannot be replaced stops the run (Abort or Retry), never skipped into a mixed copy.
AllowSkipFiles off
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
    ; An upgrade from a release whose entry was named "Calculator": its folder, if that entry is ours.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKLM "${OLD_UNINSTALL_KEY}" "Publisher"
    ${If} $0 == ""
    ${AndIf} $1 == "${PUBLISHER}"
        ReadRegStr $0 HKLM "${OLD_UNINSTALL_KEY}" "InstallLocation"
        StrCmp $0 "" +2
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

; ---- A running calculator ----
; Windows keeps a running program's file: the calculator is closed first (once the user agrees; a silent run
; closes it), and a run that still cannot replace or remove the file ends with status 2, nothing changed.
!macro CLOSE_CALCULATOR un
Function ${un}CloseCalculator ; $0: the folder of the copy to replace or remove
    FindWindow $1 "frmCalc"
    ${If} $1 <> 0
        MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "Calculator is running: it will be closed." /SD IDOK IDOK agreed
        SetErrorLevel 2
        Quit
    ${EndIf}
  agreed:
    StrCpy $2 0
    ${Do}
        FindWindow $1 "frmCalc"
        ${If} $1 <> 0
            SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=100
        ${ElseIfNot} ${FileExists} "$0\calculator.exe"
            Return
        ${Else}
            ClearErrors
            FileOpen $3 "$0\calculator.exe" a
            ${IfNot} ${Errors}
                FileClose $3
                Return
            ${EndIf}
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${LoopUntil} $2 >= 50 ; 5 to 10 s
    MessageBox MB_ICONSTOP "Calculator could not be closed: $0\calculator.exe is in use." /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd
!macroend
!insertmacro CLOSE_CALCULATOR ""
!insertmacro CLOSE_CALCULATOR "un."
; ---- end of a running calculator ----

Section
    ; The copy that the entry names, if elsewhere: replaced by this one, so there is only ever one.
    ReadRegStr $4 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $4 == ""
        ReadRegStr $1 HKLM "${OLD_UNINSTALL_KEY}" "Publisher"
        StrCmp $1 "${PUBLISHER}" 0 +2
        ReadRegStr $4 HKLM "${OLD_UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    StrCpy $0 "$INSTDIR"
    Call CloseCalculator
    ${If} $4 != ""
    ${AndIf} $4 != "$INSTDIR"
        StrCpy $0 $4
        Call CloseCalculator
        Delete "$4\calculator.exe"
        ${If} ${FileExists} "$4\calculator.exe" ; kept, with its entry, rather than a copy nothing removes
            SetErrorLevel 2
            Quit
        ${EndIf}
        Delete "$4\LICENSE.txt"
        Delete "$4\uninstall.exe"
        RMDir "$4"
    ${EndIf}
    ReadRegStr $1 HKLM "${OLD_UNINSTALL_KEY}" "Publisher"
    StrCmp $1 "${PUBLISHER}" 0 +2
    DeleteRegKey HKLM "${OLD_UNINSTALL_KEY}"
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
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
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
    StrCpy $0 "$INSTDIR"
    Call un.CloseCalculator
    ; The entry and the Start menu entry go only with the program.
    Delete "$INSTDIR\calculator.exe"
    ${If} ${FileExists} "$INSTDIR\calculator.exe"
        SetErrorLevel 2
        Quit
    ${EndIf}
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ; The entry's name is the link's, in whatever language it was installed.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayName"
    StrCmp $0 "" +2
    Delete "$SMPROGRAMS\$0.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
