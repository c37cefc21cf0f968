; Orvane's installer for one user: no administrator rights, the program in the user's own
; programs folder, because the program keeps its statistics and launch list beside itself and
; must be able to write there.
;
; makensis -DARCH=win64|win32 -DVERSION=1.2.3.4 -DBIN=<build>/bin -DREADME=<readme.txt>
;          -DICON=<orvane.ico> -DOUTFILE=<setup.exe> orvane.nsi      (scripts/package.sh does this)

Unicode true
!if "${ARCH}" == "win64"
    ; The 64-bit stub: the installer for the 64-bit program is itself a 64-bit program.
    Target amd64-unicode
!else
    Target x86-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"

Name "Orvane"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Orvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
; The same version block as the program's, which names no copyright holder.
!pragma warning disable 9100
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Orvane"
VIAddVersionKey /LANG=1033 "CompanyName" "Quillon"
VIAddVersionKey /LANG=1033 "FileDescription" "Orvane setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\orvane.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString RemoveStatistics ${LANG_ENGLISH} "Also remove my statistics"
LangString RemoveStatistics ${LANG_RUSSIAN} "Удалить и мою статистику"
LangString StillRunning ${LANG_ENGLISH} "Orvane is running. Close it (tray menu, Exit) and press Retry."
LangString StillRunning ${LANG_RUSSIAN} "Orvane запущен. Закройте его (меню в трее, «Выход») и нажмите «Повтор»."

; A running monitor holds its files, and closing it from here would run its exit sequence,
; which may shut the computer down: the user closes it. A silent run gives up instead.
!macro WaitUntilClosed
    ${Do}
        FindWindow $0 "TForm2" "ORVMainWindow"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +2
        Abort
    ${Loop}
!macroend

Function .onInit
    !insertmacro WaitUntilClosed
FunctionEnd

Function un.onInit
    !insertmacro WaitUntilClosed
FunctionEnd

Section "-Program"
    SetOutPath "$INSTDIR"
    File "${BIN}/orvane.exe"
    File "/oname=readme.txt" "${README}"
    SetOutPath "$INSTDIR\plugins"
    File "${BIN}/plugins/talvex.exe"
    SetOutPath "$INSTDIR\Languages"
    File "${BIN}/Languages/Eng.lang"
    File "${BIN}/Languages/Rus.lang"
    ; The program writes its statistics file here but does not make the folder.
    CreateDirectory "$INSTDIR\statistics"
    SetOutPath "$INSTDIR"

    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetShellVarContext current
    CreateShortcut "$SMPROGRAMS\Orvane.lnk" "$INSTDIR\orvane.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orvane"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quillon"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvane.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the program's own files; what the program wrote beside itself stays.
Section "-un.Program"
    Delete "$INSTDIR\orvane.exe"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\plugins\talvex.exe"
    RMDir "$INSTDIR\plugins"
    Delete "$INSTDIR\Languages\Eng.lang"
    Delete "$INSTDIR\Languages\Rus.lang"
    RMDir "$INSTDIR\Languages"
    Delete "$INSTDIR\uninstall.exe"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Orvane.lnk"
    ; "Автозагрузка" names the program in the machine-wide Run key, or in the user's where the
    ; machine-wide one is refused; an entry naming this copy goes, so none names a missing file
    ; (the machine-wide one only where the uninstaller has the rights).
    ReadRegStr $0 HKLM "${RUN_KEY}" "Orvane"
    ${If} $0 == "$INSTDIR\orvane.exe"
    ${OrIf} $0 == '"$INSTDIR\orvane.exe"'
        DeleteRegValue HKLM "${RUN_KEY}" "Orvane"
    ${EndIf}
    ReadRegStr $0 HKCU "${RUN_KEY}" "Orvane"
    ${If} $0 == "$INSTDIR\orvane.exe"
    ${OrIf} $0 == '"$INSTDIR\orvane.exe"'
        DeleteRegValue HKCU "${RUN_KEY}" "Orvane"
        DeleteRegValue HKCU "${APPROVED_KEY}" "Orvane"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    RMDir "$INSTDIR"
SectionEnd

; Ticked by the user only: the sessions and the launch list. The settings in the registry stay, so
; that a later installation starts as the user left it.
Section /o "un.$(RemoveStatistics)"
    RMDir /r "$INSTDIR\statistics"
    Delete "$INSTDIR\apptoload.orl"
    RMDir "$INSTDIR"
SectionEnd
