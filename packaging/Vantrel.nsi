; The per-user installer of Vantrel. scripts/package compiles it with makensis
; and defines:
;   VERSION    MAJOR.MINOR.PATCH, from the version resource of Vantrel.exe
;   PUBLISHER  the CompanyName of that resource
;   FILES      a script with the macros VantrelInstallFiles and
;              VantrelUninstallFiles, made from the folder as it ships
;   ICON       the program's icon
;   LICENSE    the licence shown before installing
;   OUTFILE    the installer to write
; It installs for the user who runs it, under the user's own programs folder,
; and asks for no elevation. An installation of any version is replaced in
; place: the same folder, the same entry in the installed-programs list. The
; user's settings live in the user's application-data folder, which neither
; installing nor uninstalling touches.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Vantrel"
!define PROGRAM "Vantrel.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's single-instance mutex, its tray window's title and the tray
; menu's Exit command.
!define INSTANCE_MUTEX "{7D2F2F60-6985-4FF8-8124-55D43E83ECA4}"
!define TRAY_WINDOW "Vantrel Tray"
!define EXIT_COMMAND 32774

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An earlier installation, wherever its user put it, is replaced where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The installer speaks the user's language where it can, as the program does.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) ${PUBLISHER}"

!include "${FILES}"

; A running Vantrel holds its program file open. It is asked to leave through
; its tray menu's Exit, which saves the user's settings first, and waited for
; until its single-instance mutex is gone (at most ten seconds).
!macro CloseRunningProgram un
Function ${un}CloseRunningProgram
    FindWindow $0 "" "${TRAY_WINDOW}"
    ${If} $0 = 0
        Return
    ${EndIf}
    SendMessage $0 ${WM_COMMAND} ${EXIT_COMMAND} 0 /TIMEOUT=5000
    StrCpy $1 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p.r2'
        ${If} $2 = 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r2)'
        IntOp $1 $1 + 1
        ${If} $1 >= 100
            ${Break}
        ${EndIf}
        Sleep 100
    ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunningProgram ""
!insertmacro CloseRunningProgram "un."

LangString CannotReplace ${LANG_ENGLISH} "Vantrel could not replace its files in $INSTDIR, because another program holds one of them. Nothing has been changed beyond what the list above shows. Close the other program and run the setup again."
LangString CannotReplace ${LANG_GERMAN} "Vantrel konnte seine Dateien in $INSTDIR nicht ersetzen, weil ein anderes Programm eine davon festhält. Außer dem, was die Liste oben zeigt, wurde nichts geändert. Schließen Sie das andere Programm und starten Sie die Installation erneut."

Section
    Call CloseRunningProgram
    ClearErrors
    !insertmacro VantrelInstallFiles
    ; A file another program holds is left as it was (a silent installation
    ; ignores it): the installation fails rather than leave two versions
    ; mixed behind an entry that names the new one.
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "$(CannotReplace)" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE_KB}
SectionEnd

Section "Uninstall"
    Call un.CloseRunningProgram
    !insertmacro VantrelUninstallFiles
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Left in place when it holds anything of the user's (a translation of
    ; their own, or the Data folder of portable mode).
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    ; Start with Windows goes only when it starts this installation's
    ; program (the text the program writes there); a portable copy's stays.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == '"$INSTDIR\${PROGRAM}" -autorun'
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
