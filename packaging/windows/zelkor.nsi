; The Windows installer, for every supported Windows: a 32-bit installer that runs on
; 32- and 64-bit Windows 7 SP1 and later, installs the 64-bit drill on x64 Windows and
; the 32-bit one elsewhere (x86 and Arm), and refuses older Windows with a message. It installs for all
; users (Program Files, the all-users Start menu, HKLM) where it can elevate, or for the
; current user alone without administrator rights (the user's own programs folder, the
; user's Start menu, HKCU): asked on a page, or said on the command line with /AllUsers
; or /CurrentUser beside /S. makensis gets VERSION, PROGRAM64 and PROGRAM32 (the built
; zelkor.exe of each), ICON, DISPLAY_NAME, PUBLISHER and OUTFILE from the build
; (windows/CMakeLists.txt).
Unicode true
ManifestDPIAware true
ManifestSupportedOS Win7 Win8 Win8.1 Win10
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelkor"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Zelkor"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION modeChosen
!define MULTIUSER_INSTALLMODE_UNFUNCTION un.modeChosen

!include "x64.nsh"
!include "WinVer.nsh"
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
BrandingText "${DISPLAY_NAME} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey /LANG=2052 "FileDescription" "${DISPLAY_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The installer may run elevated, under the administrator whose password was typed:
; the drill it starts runs as the user who logged in, through the shell.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION runAsTheUser
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "您的帐户没有为这台计算机的所有用户安装的权限。"

; The 64-bit registry view on 64-bit Windows, where the 64-bit drill is registered.
!macro useRegistryView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function modeChosen
  !insertmacro useRegistryView
FunctionEnd

Function un.modeChosen
  !insertmacro useRegistryView
FunctionEnd

Function .onInit
  StrCpy $0 "too old"
  ${If} ${AtLeastWin8}
    StrCpy $0 ""
  ${ElseIf} ${IsWin7}
  ${AndIf} ${AtLeastServicePack} 1
    StrCpy $0 ""
  ${EndIf}
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONSTOP "${DISPLAY_NAME} 需要 Windows 7 SP1 或更高版本的 Windows。" /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  !insertmacro useRegistryView
  !insertmacro MULTIUSER_INIT
FunctionEnd

; The drill holds this mutex while it runs (windows/main.cpp), in the global namespace
; or, where Windows refused that, in its session's.
!define RUNNING_MUTEX "Zelkor.Drill.Running"
!define SYNCHRONIZE 0x00100000

Function un.onInit
  ; A running program's file cannot be removed: uninstalling now would leave it and its
  ; folder behind without an uninstall entry. Exit code 4 says so to a silent caller.
  System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "Global\${RUNNING_MUTEX}") p.r0'
  ${If} $0 = 0
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "Local\${RUNNING_MUTEX}") p.r0'
  ${EndIf}
  ${If} $0 <> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OK|MB_ICONSTOP "${DISPLAY_NAME} 正在运行。请先关闭它，再卸载。" /SD IDOK
    SetErrorLevel 4
    Quit
  ${EndIf}
  !insertmacro useRegistryView
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Function runAsTheUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\zelkor.exe"'
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  ; The x64 program only on x64 Windows: Windows 10 on Arm runs no x64 programs (11
  ; emulates them), and runs the x86 one as every Arm Windows does.
  ${If} ${IsNativeAMD64}
    File "/oname=zelkor.exe" "${PROGRAM64}"
  ${Else}
    File "/oname=zelkor.exe" "${PROGRAM32}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${DISPLAY_NAME}.lnk" "$INSTDIR\zelkor.exe"

  ; SHCTX: HKLM for all users, HKCU for the current user (MultiUser's choice).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelkor.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /S /$MultiUser.InstallMode'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${DISPLAY_NAME}.lnk"
  Delete "$INSTDIR\zelkor.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
