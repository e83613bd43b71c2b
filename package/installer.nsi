; Windows installer of the keyboard configuration program.
; Built by the Windows build (package/CMakeLists.txt) from the run folder:
;   makensis -DSTAGE_DIR=<run folder> -DOUT_FILE=<installer> -DVERSION=<a.b.c.d> installer.nsi
; Silent install for tests: setup.exe /S [/SIMULATOR] [/LANG=<code>] [/D=<folder>]
; The program's texts come from lang.dll; the installer puts the chosen language's
; library there (de, en, es, fr, it, pl, pt-BR, ru), by default the user's display
; language. Running the installer again (Modify) changes the language and keeps the
; user's data folder, which it never touches.
Unicode true
; A 64-bit installer for a 64-bit program (and no 32-bit layer needed to run it).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef STAGE_DIR
  !error "STAGE_DIR must name the run folder"
!endif
!ifndef OUT_FILE
  !define OUT_FILE "OrvaneGamingKeyboardSetup.exe"
!endif
!ifndef VERSION
  !define VERSION "1.0.0.0"
!endif

!define PRODUCT "Orvane Gaming Keyboard"
!define PROGRAM "Tavrel.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PRODUCT}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The language asked for first is also the program's; English first, it is the default
; where the display language is none of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "Russian"
!define MUI_LANGDLL_ALWAYSSHOW

Section "!Configuration program" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}\${PROGRAM}"
  Call InstallLanguageLibrary
  File "${STAGE_DIR}\tavrelctl.exe"
  SetOutPath "$INSTDIR\Skins"
  File /r "${STAGE_DIR}\Skins\*.*"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  ; Modify reruns a copy of this installer kept beside the program.
  ${If} $EXEPATH != "$INSTDIR\setup.exe"
    CopyFiles /SILENT "$EXEPATH" "$INSTDIR\setup.exe"
  ${EndIf}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "ModifyPath" '"$INSTDIR\setup.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The keyboard's own monitor normally lives in this folder; the simulator stands in
; for it on machines without the keyboard and must never replace the real one.
Section /o "Keyboard monitor simulator (for testing without the keyboard)" SecSimulator
  ${If} ${FileExists} "$INSTDIR\Pondrel.exe"
    DetailPrint "A keyboard monitor is already installed; the simulator is not installed over it."
  ${Else}
    SetOutPath "$INSTDIR"
    File "${STAGE_DIR}\Pondrel.exe"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "SimulatorInstalled" 1
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The configuration program, its skin and its texts."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSimulator} "A simulator of the keyboard's monitor process, for trying the program without the keyboard. Never installed over an existing monitor."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; $LANGUAGE starts as the user's display language where the installer has it.
; /LANG=<code> overrides it; an unknown code leaves it.
Function ApplyLanguageOption
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LANG=" $1
  ${If} ${Errors}
    Return
  ${EndIf}
  ${Select} $1
    ${Case} "en"
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${Case} "de"
      StrCpy $LANGUAGE ${LANG_GERMAN}
    ${Case} "fr"
      StrCpy $LANGUAGE ${LANG_FRENCH}
    ${Case} "es"
      StrCpy $LANGUAGE ${LANG_SPANISH}
    ${Case} "it"
      StrCpy $LANGUAGE ${LANG_ITALIAN}
    ${Case3} "pt-BR" "pt_BR" "pt"
      StrCpy $LANGUAGE ${LANG_PORTUGUESEBR}
    ${Case} "pl"
      StrCpy $LANGUAGE ${LANG_POLISH}
    ${Case} "ru"
      StrCpy $LANGUAGE ${LANG_RUSSIAN}
  ${EndSelect}
FunctionEnd

; The chosen language's library becomes the program's lang.dll.
Function InstallLanguageLibrary
  ${Select} $LANGUAGE
    ${Case} ${LANG_GERMAN}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_de.dll"
    ${Case} ${LANG_FRENCH}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_fr.dll"
    ${Case} ${LANG_SPANISH}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_es.dll"
    ${Case} ${LANG_ITALIAN}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_it.dll"
    ${Case} ${LANG_PORTUGUESEBR}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_pt_BR.dll"
    ${Case} ${LANG_POLISH}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_pl.dll"
    ${Case} ${LANG_RUSSIAN}
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_ru.dll"
    ${CaseElse}
      File "${STAGE_DIR}\lang.dll"
  ${EndSelect}
FunctionEnd

Function .onInit
  ; Installed for every user of the machine, like its Program Files folder.
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SIMULATOR" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecSimulator} ${SF_SELECTED}
  ${EndIf}
  Call ApplyLanguageOption
  ${IfNot} ${Silent}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "SimulatorInstalled"
  ${If} $0 == 1
    Delete "$INSTDIR\Pondrel.exe"
  ${EndIf}
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\lang.dll"
  Delete "$INSTDIR\tavrelctl.exe"
  Delete "$INSTDIR\setup.exe"
  RMDir /r "$INSTDIR\Skins"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
