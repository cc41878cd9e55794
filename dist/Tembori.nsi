; The per-user installer of Tembori. No administrator rights: the program goes into the
; user's own programs folder, where the memo files beside it stay writable, with a Start-menu
; entry, an optional start at logon and an entry in the list of installed programs.
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.63 -DTARGET=amd64-unicode -DSTAGE=dir
;            -DICON=calendar.ico -DREADME=InstalledReadMe.txt -DOUTPUT=setup.exe Tembori.nsi
;
; STAGE holds Tembori.exe and tembori.chm; README is the read-me of an installed copy, which
; goes in as ReadMe.txt (the archive's says that nothing needs installing).
; Command line of the installer: /S silent, /LOGON also start Tembori at logon, /D=dir the folder (last, unquoted).
; Of the uninstaller: /S silent, /PURGE also remove the settings and the memo files (a
; silent uninstall keeps them otherwise; an interactive one asks).

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tembori"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Tembori"

Name "Tembori ${VERSION}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Tembori"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tembori.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Temboriを起動する"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Tembori"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Tembori のインストーラ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"

Section "Tembori 本体とヘルプ" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\Tembori.exe"
  File "${STAGE}\tembori.chm"
  File "/oname=ReadMe.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tembori"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tembori.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "スタートメニューに登録する" SecStartMenu
  CreateShortcut "$SMPROGRAMS\Tembori.lnk" "$INSTDIR\Tembori.exe"
SectionEnd

Section /o "ログオン時に起動" SecLogon
  WriteRegStr HKCU "${RUN_KEY}" "Tembori" '"$INSTDIR\Tembori.exe"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "カレンダーとヘルプファイル。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} "スタートメニューにTemboriを入れます。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecLogon} "Windowsにログオンしたとき、Temboriを起動します。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LOGON" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecLogon}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Tembori.exe"
  Delete "$INSTDIR\tembori.chm"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Tembori.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Tembori"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Temboriの設定とメモ（レジストリと、このフォルダのメモファイル）も削除しますか？" \
      /SD IDNO IDYES purge
    Goto done
  ${EndIf}
  purge:
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    Call un.DeleteMemoFiles
  done:
  ; Only when empty: memo files that were kept keep their folder.
  RMDir "$INSTDIR"
SectionEnd

; The program's memo files only, "tb" and a four-digit year: a wildcard would also take the
; user's own files, such as a tb_backup.mem.
Function un.DeleteMemoFiles
  FindFirst $0 $1 "$INSTDIR\tb*.mem"
  ${DoWhile} $1 != ""
    StrLen $2 $1
    StrCpy $3 $1 2
    StrCpy $4 $1 4 6
    ${If} $2 = 10
    ${AndIf} $3 == "tb"
    ${AndIf} $4 == ".mem"
      StrCpy $5 0  ; digits among the four characters after "tb", each matched exactly
      ${For} $6 2 5
        StrCpy $7 $1 1 $6
        ${For} $8 0 9
          ${If} $7 S== $8
            IntOp $5 $5 + 1
          ${EndIf}
        ${Next}
      ${Next}
      ${If} $5 = 4
        Delete "$INSTDIR\$1"
      ${EndIf}
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
FunctionEnd
