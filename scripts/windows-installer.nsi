; The Windows installer of Corvalen, made by scripts/package-windows with NSIS (makensis), which
; defines VERSION, STAGE (the folder to install), UNINSTALL_LIST (the Delete lines of its files)
; and OUTFILE. It installs into Program Files for all users with a Start-menu entry and an
; uninstaller, and has .g3m and .15m files opened by the editor. /S installs or uninstalls
; without asking anything.
; A 64-bit installer, as the programs are: it runs where they run, Wine without 32-bit support included.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "Corvalen ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Corvalen"
InstallDirRegKey HKLM "Software\Corvalen" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvalen"
!define FILE_TYPE "Corvalen.MemoryFile"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Corvalen"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Corvalen.lnk" "$INSTDIR\corvalen.exe"

    WriteRegStr HKLM "Software\Corvalen" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "Software\Classes\.g3m" "" "${FILE_TYPE}"
    WriteRegStr HKLM "Software\Classes\.15m" "" "${FILE_TYPE}"
    WriteRegStr HKLM "Software\Classes\${FILE_TYPE}" "" "Winradio memory file"
    WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\corvalen.exe,0"
    WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\shell\open\command" "" \
        '"$INSTDIR\corvalen.exe" "%1"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Corvalen"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvalen.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; Tells Explorer the file types changed.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
!include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\Uninstall.exe"
    ; Settings the editor kept beside itself stay, and so does the folder that holds them.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Corvalen.lnk"

    ; The file types only while they are still the editor's.
    ReadRegStr $0 HKLM "Software\Classes\.g3m" ""
    StrCmp $0 "${FILE_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.g3m"
    ReadRegStr $0 HKLM "Software\Classes\.15m" ""
    StrCmp $0 "${FILE_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.15m"
    DeleteRegKey HKLM "Software\Classes\${FILE_TYPE}"
    DeleteRegKey HKLM "Software\Corvalen"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
