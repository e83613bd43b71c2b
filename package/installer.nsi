; Windows installer of the keyboard configuration program.
; Built by the Windows build (package/CMakeLists.txt) from the run folder:
;   makensis -DSTAGE_DIR=<run folder> -DOUT_FILE=<installer> -DVERSION=<a.b.c.d> installer.nsi
; Silent install for tests: setup.exe /S [/SIMULATOR] [/LANG=<code>] [/D=<folder>]
; The program's texts come from lang.dll; the installer puts the chosen language's
; library there (de, en, es, fr, it, pl, pt-BR, ru) and remembers it. Offered first is
; the remembered language, else the user's display language. Running the installer
; again (Modify) changes the language and keeps the user's data folder, which it never
; touches. An unknown /LANG code, or the program or tavrelctl of this installation
; running, stops a silent run with an error status before it changes anything.
Unicode true
; A 64-bit installer for a 64-bit program (and no 32-bit layer needed to run it); it
; runs on 64-bit Windows only, so its registry view is always the 64-bit one.
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
; The installed language's code, under the uninstall key.
!define LANGUAGE_VALUE "Language"
; Exit statuses of a silent run that stopped before changing anything.
!define EXIT_UNKNOWN_LANGUAGE 2
!define EXIT_PROGRAM_RUNNING 3

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

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

Section "!Configuration program" SecProgram
  SectionIn RO
  Call WaitUntilProgramClosed
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

; The language of a code (/LANG= or the remembered one) in $LANGUAGE; the error flag
; set, and $LANGUAGE left, for an unknown code.
Function LanguageOfCode
  Exch $1
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
    ${CaseElse}
      SetErrors
  ${EndSelect}
  Pop $1
FunctionEnd

; $LANGUAGE starts as the user's display language where the installer has it. The
; remembered language replaces it, so a reinstall or Modify keeps the user's choice;
; /LANG=<code> replaces both. An unknown code stops a silent run before it changes
; anything; a person is told and chooses from the list.
Function ChooseStartLanguage
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "${LANGUAGE_VALUE}"
  ${If} $0 != ""
    Push $0
    Call LanguageOfCode
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LANG=" $1
  ${If} ${Errors}
    Return
  ${EndIf}
  Push $1
  Call LanguageOfCode
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONEXCLAMATION '/LANG=$1: unknown language code (the codes are en de fr es it pt-BR pl ru). Choose the language from the list.' /SD IDOK
    ${If} ${Silent}
      SetErrorLevel ${EXIT_UNKNOWN_LANGUAGE}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; The code the chosen language is remembered by, in $0.
Function InstalledLanguageCode
  ${Select} $LANGUAGE
    ${Case} ${LANG_GERMAN}
      StrCpy $0 "de"
    ${Case} ${LANG_FRENCH}
      StrCpy $0 "fr"
    ${Case} ${LANG_SPANISH}
      StrCpy $0 "es"
    ${Case} ${LANG_ITALIAN}
      StrCpy $0 "it"
    ${Case} ${LANG_PORTUGUESEBR}
      StrCpy $0 "pt-BR"
    ${Case} ${LANG_POLISH}
      StrCpy $0 "pl"
    ${Case} ${LANG_RUSSIAN}
      StrCpy $0 "ru"
    ${CaseElse}
      StrCpy $0 "en"
  ${EndSelect}
FunctionEnd

; The chosen language's library becomes the program's lang.dll, and its code is kept
; for the next run of the installer.
Function InstallLanguageLibrary
  Call InstalledLanguageCode
  ${Select} $0
    ${Case} "de"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_de.dll"
    ${Case} "fr"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_fr.dll"
    ${Case} "es"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_es.dll"
    ${Case} "it"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_it.dll"
    ${Case} "pt-BR"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_pt_BR.dll"
    ${Case} "pl"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_pl.dll"
    ${Case} "ru"
      File "/oname=lang.dll" "${STAGE_DIR}\Languages\lang_ru.dll"
    ${CaseElse}
      File "${STAGE_DIR}\lang.dll"
  ${EndSelect}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "${LANGUAGE_VALUE}" $0
FunctionEnd

; Replacing or removing files under a running program leaves it reading half-copied
; skin pictures later. Windows lets nobody open a running program's file for writing,
; so a file that cannot be opened so is in use; the check changes nothing.
!macro PROGRAM_CLOSED_CHECK UN
Function ${UN}FileInUse
  Exch $1
  ${If} ${FileExists} $1
    ClearErrors
    FileOpen $1 $1 a
    ${If} ${Errors}
      StrCpy $1 1
    ${Else}
      FileClose $1
      StrCpy $1 0
    ${EndIf}
  ${Else}
    StrCpy $1 0
  ${EndIf}
  Exch $1
FunctionEnd

; Asks the user to close the program (or tavrelctl) until it is closed; Cancel, and a
; silent run, stop here.
Function ${UN}WaitUntilProgramClosed
  ${Do}
    StrCpy $0 "${PROGRAM}"
    Push "$INSTDIR\${PROGRAM}"
    Call ${UN}FileInUse
    Pop $1
    ${If} $1 == 0
      StrCpy $0 "tavrelctl.exe"
      Push "$INSTDIR\tavrelctl.exe"
      Call ${UN}FileInUse
      Pop $1
    ${EndIf}
    ${If} $1 == 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} ($0) is running from $INSTDIR. Close it, then choose Retry, or choose Cancel to stop without changing anything." /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro PROGRAM_CLOSED_CHECK ""
!insertmacro PROGRAM_CLOSED_CHECK "un."

Function .onInit
  ; Installed for every user of the machine, like its Program Files folder.
  SetShellVarContext all
  SetRegView 64
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SIMULATOR" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecSimulator} ${SF_SELECTED}
  ${EndIf}
  Call ChooseStartLanguage
  ${IfNot} ${Silent}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilProgramClosed
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
