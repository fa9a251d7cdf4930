; Veilo's installer, made by scripts/package with makensis. One setup.exe for both builds: it
; installs the 64-bit program on 64-bit Windows and the 32-bit program otherwise.
;
; Defines given by scripts/package:
;   VERSION     the release, e.g. 2.02
;   NUMERIC_VERSION  the same as four numbers, e.g. 2.2.0.0
;   OUTFILE     where setup.exe goes
;   WIN64_DIR   the 64-bit program folder (veilo.exe, veilo.scr when built)
;   WIN32_DIR   the 32-bit program folder
;   COMMON_DIR  what both share: README.txt, licences\
;   FILES_NSH   the generated list that removes exactly COMMON_DIR's files again
;   HAVE_SCR    defined when both builds have veilo.scr
;   LANG_FILE   the English language file veilolng.ini, when there is one
;   TARGET_AMD64  defined: a 64-bit setup.exe (for trying it where 32-bit programs cannot run)
;
; Command line: /S silent, /AllUsers or /CurrentUser (per-user is the default), /D=folder.
; What it registers never takes a file type away from another program: Veilo is added to the
; "Open with" choices of every type it reads, and the default program of a type stays as it is.

!ifdef TARGET_AMD64
  ; Only for trying the installer where 32-bit programs cannot run (the release is x86).
  Target amd64-unicode
!else
  Unicode true
!endif
SetCompressor /SOLID lzma
ManifestDPIAware true

!define APP_NAME "Veilo"
!define APP_KEY "Software\Veilo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veilo"
!define PROGID "Veilo.Picture"
!define APP_EXE "veilo.exe"

Name "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "Veilo"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_FUNCTION InstallModeChosen
!define MULTIUSER_INSTALLMODE_UNFUNCTION un.InstallModeChosen

!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

VIProductVersion "${NUMERIC_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_NAME} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Veilo developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Veilo developers"

!define MUI_ABORTWARNING
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APP_EXE}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; Every file type the program reads (anything else opens as BMP, so .dib too).
!macro ForEachType MACRO
  !insertmacro ${MACRO} ".bmp"
  !insertmacro ${MACRO} ".dib"
  !insertmacro ${MACRO} ".jpg"
  !insertmacro ${MACRO} ".jpeg"
  !insertmacro ${MACRO} ".jpe"
  !insertmacro ${MACRO} ".jfif"
  !insertmacro ${MACRO} ".png"
  !insertmacro ${MACRO} ".gif"
  !insertmacro ${MACRO} ".tif"
  !insertmacro ${MACRO} ".tiff"
  !insertmacro ${MACRO} ".jp2"
  !insertmacro ${MACRO} ".jpc"
!macroend

; The 64-bit program is seen by Windows through the 64-bit registry and folders.
Function UseNativeViews
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd
Function un.UseNativeViews
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Function InstallModeChosen
  ; All users on 64-bit Windows: the 64-bit Program Files, unless an earlier install chose.
  ${If} $MultiUser.InstallMode == "AllUsers"
  ${AndIf} ${RunningX64}
  ${AndIf} $MultiUser.InstDir == ""
    StrCpy $INSTDIR "$PROGRAMFILES64\${MULTIUSER_INSTALLMODE_INSTDIR}"
  ${EndIf}
FunctionEnd
Function un.InstallModeChosen
FunctionEnd

Function .onInit
  Call UseNativeViews
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  Call un.UseNativeViews
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; ---- the program -------------------------------------------------------------------------------
Section "Veilo" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${WIN64_DIR}\${APP_EXE}"
  ${Else}
    File "${WIN32_DIR}\${APP_EXE}"
  ${EndIf}
  File /r "${COMMON_DIR}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr SHCTX "${APP_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${APP_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Veilo developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP_EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ; Started from the Start menu the program runs in its own folder, where the language file is.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}"
SectionEnd

; ---- "Open with Veilo" -------------------------------------------------------------------------
!macro AddOpenWith EXT
  WriteRegStr SHCTX "Software\Classes\Applications\${APP_EXE}\SupportedTypes" "${EXT}" ""
  WriteRegStr SHCTX "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "${APP_KEY}\Capabilities\FileAssociations" "${EXT}" "${PROGID}"
!macroend

Section "Open with Veilo" SecOpenWith
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Veilo picture"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${APP_EXE},0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${APP_EXE}" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\${APP_EXE}" "FriendlyAppName" "${APP_NAME}"
  WriteRegStr SHCTX "Software\Classes\Applications\${APP_EXE}\shell\open\command" "" '"$INSTDIR\${APP_EXE}" "%1"'
  WriteRegStr SHCTX "${APP_KEY}\Capabilities" "ApplicationName" "${APP_NAME}"
  WriteRegStr SHCTX "${APP_KEY}\Capabilities" "ApplicationDescription" "Picture viewer and masking tool"
  !insertmacro ForEachType AddOpenWith
  WriteRegStr SHCTX "Software\RegisteredApplications" "${APP_NAME}" "${APP_KEY}\Capabilities"
SectionEnd

; ---- the screen saver --------------------------------------------------------------------------
!ifdef HAVE_SCR
Function ScreenSaverPath
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $0 "$WINDIR\System32\veilo.scr"
  ${Else}
    StrCpy $0 "$INSTDIR\veilo.scr"
  ${EndIf}
FunctionEnd

; For all users it goes where the Screen Saver settings list it (the system folder of the
; program's own bitness). A user without rights over that folder gets it beside the program:
; Windows does not list it there, and "Make it my screen saver" selects it directly.
Section "Screen saver" SecScreenSaver
  ${If} $MultiUser.InstallMode == "AllUsers"
    ${If} ${RunningX64}
      ${DisableX64FSRedirection}
      SetOutPath "$WINDIR\System32"
      File "${WIN64_DIR}\veilo.scr"
      ${EnableX64FSRedirection}
    ${Else}
      SetOutPath "$SYSDIR"
      File "${WIN32_DIR}\veilo.scr"
    ${EndIf}
  ${Else}
    SetOutPath "$INSTDIR"
    ${If} ${RunningX64}
      File "${WIN64_DIR}\veilo.scr"
    ${Else}
      File "${WIN32_DIR}\veilo.scr"
    ${EndIf}
  ${EndIf}
  Call ScreenSaverPath
  WriteRegStr SHCTX "${APP_KEY}" "ScreenSaver" "$0"
  SetOutPath "$INSTDIR"
SectionEnd

; Off unless asked for: the installing user's screen saver becomes Veilo's; the one it replaces
; is remembered and comes back at uninstall.
Section /o "Make it my screen saver" SecUseScreenSaver
  Call ScreenSaverPath
  ReadRegStr $1 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  WriteRegStr SHCTX "${APP_KEY}" "PreviousScreenSaver" "$1"
  WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$0"
SectionEnd
!endif

; ---- the English language file -----------------------------------------------------------------
!ifdef LANG_FILE
Section "English texts" SecEnglish
  SetOutPath "$INSTDIR"
  File "/oname=veilolng.ini" "${LANG_FILE}"
  WriteRegDWORD SHCTX "${APP_KEY}" "LanguageFile" 1
SectionEnd
!endif

LangString DESC_Program ${LANG_ENGLISH} "The program, its Start-menu shortcut and its uninstaller."
LangString DESC_Program ${LANG_JAPANESE} "The program, its Start-menu shortcut and its uninstaller."
LangString DESC_OpenWith ${LANG_ENGLISH} "Veilo in the Open with list of BMP, JPEG, PNG, GIF, TIFF and JPEG 2000 files. The default program of each type stays as it is."
LangString DESC_OpenWith ${LANG_JAPANESE} "Veilo in the Open with list of BMP, JPEG, PNG, GIF, TIFF and JPEG 2000 files. The default program of each type stays as it is."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecOpenWith} $(DESC_OpenWith)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; ---- uninstalling: exactly what was added; the user's pictures and settings stay ---------------
; A key goes only when nothing is left in it: neither subkeys nor values (another program's
; entries in the same key must stay).
!macro DeleteKeyIfEmpty KEY
  Push $R0
  Push $R1
  EnumRegKey $R0 SHCTX "${KEY}" 0
  EnumRegValue $R1 SHCTX "${KEY}" 0
  ${If} $R0 == ""
  ${AndIf} $R1 == ""
    DeleteRegKey SHCTX "${KEY}"
  ${EndIf}
  Pop $R1
  Pop $R0
!macroend

!macro RemoveOpenWith EXT
  DeleteRegValue SHCTX "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}"
  !insertmacro DeleteKeyIfEmpty "Software\Classes\${EXT}\OpenWithProgids"
  !insertmacro DeleteKeyIfEmpty "Software\Classes\${EXT}"
!macroend

Section "Uninstall"
  ; Only the files of the parts that were installed: a file of the same name that the user put
  ; there is theirs.
  ReadRegStr $0 SHCTX "${APP_KEY}" "ScreenSaver"
  ${If} $0 != ""
    ${DisableX64FSRedirection}
    Delete "$0"
    ${EnableX64FSRedirection}
    ; The user's own screen saver comes back if the installer had replaced it.
    ReadRegStr $1 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
    ${If} $1 == $0
      ReadRegStr $2 SHCTX "${APP_KEY}" "PreviousScreenSaver"
      ${If} $2 == ""
        DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
      ${Else}
        WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$2"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ReadRegDWORD $0 SHCTX "${APP_KEY}" "LanguageFile"
  ${If} $0 == 1
    Delete "$INSTDIR\veilolng.ini"
  ${EndIf}

  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  Delete "$INSTDIR\${APP_EXE}"
  !include "${FILES_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  ; Settings the program wrote here (a folder the user may write) keep the folder.
  RMDir "$INSTDIR"

  !insertmacro ForEachType RemoveOpenWith
  DeleteRegKey SHCTX "Software\Classes\Applications\${APP_EXE}"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegValue SHCTX "Software\RegisteredApplications" "${APP_NAME}"
  !insertmacro DeleteKeyIfEmpty "Software\RegisteredApplications"
  DeleteRegKey SHCTX "${APP_KEY}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
