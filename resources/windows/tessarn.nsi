; Tessarn's installer for 64-bit Windows (make package-windows). The build gives the version and
; the paths of the files to install:
;
;   makensis -DVERSION=1.0.0 -DPROGRAM=tessarn.exe -DICON=tessarn.ico -DREADME=README.md
;            -DLICENSE=LICENSE -DOUTFILE=tessarn-1.0.0-win64-setup.exe tessarn.nsi
;
; It installs the program for every user of the machine, and what it adds it takes away again:
; the program's folder, its Start-menu entry, its entry "Hide with Tessarn…" in Explorer's menu
; of files and folders, and its Uninstall key. What the program itself keeps (the register
; C:\Windows\System32\tessarn.dat and its journals, the password under
; HKEY_LOCAL_MACHINE\Software\Tessarn, the hidden items) is the user's data and outlives it.
; The installer therefore never writes under Software\Tessarn: the mere existence of that key
; tells the program that a password has been set.

; makensis builds a 32-bit installer unless told otherwise; a 64-bit one installs into the
; 64-bit Program Files and registry without redirection, and is what runs under a 64-bit-only
; Wine.
Target amd64-unicode

!ifndef VERSION | PROGRAM | ICON | README | LICENSE | OUTFILE
  !error "give VERSION, PROGRAM, ICON, README, LICENSE and OUTFILE with -D"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarn"
; The entry of Explorer's context menu, for every user: one for files, one for folders.
!define FILE_VERBS_KEY "Software\Classes\*\shell"
!define FOLDER_VERBS_KEY "Software\Classes\Directory\shell"
!define FILE_VERB_KEY "${FILE_VERBS_KEY}\HideWithTessarn"
!define FOLDER_VERB_KEY "${FOLDER_VERBS_KEY}\HideWithTessarn"
!define PUBLISHER "Tessarn developers"

Name "Tessarn"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tessarn"
; A new version goes where the user put the last one.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Program Files, the common Start menu and HKEY_LOCAL_MACHINE are the administrators'; so are
; the register's folder and the password key the program writes.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Tessarn"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tessarn ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 The Tessarn developers, MIT licence"

; The system drive (C: on most machines), whose hiding place the installer makes.
Var HidingDrive

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_FINISHPAGE_TITLE "Tessarn is installed"
!define MUI_FINISHPAGE_TEXT "Start Tessarn from the Start menu. Items on drive $HidingDrive are \
hidden into the hidden folder $HidingDrive\recycled.$\r$\n$\r$\nTo hide items on \
another drive, such as a USB stick, give that drive a folder named recycled at its root: \
README.md in Tessarn's folder says how."
!define MUI_UNCONFIRMPAGE_TEXT_TOP "The program, its Start-menu entry, its entry in Explorer's \
menu and its uninstaller will be removed. Your hidden items, the register of them \
(C:\Windows\System32\tessarn.dat) and your password stay, so that Tessarn installed again \
shows and unhides them."

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!macro RequireAdministrator
  ; Elevation may be refused or unavailable (UAC switched off for a standard user): without an
  ; administrator the files would land nowhere useful, so say so and stop.
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "Tessarn is installed and removed by an administrator: start \
this program again with 'Run as administrator'." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro RequireAdministrator
  StrCpy $HidingDrive $WINDIR 2
FunctionEnd

Function un.onInit
  !insertmacro RequireAdministrator
FunctionEnd

; Windows drives have no \recycled\ folder, and the program never makes one: without it, the
; first Hide on the drive fails. The installer makes it on the system drive alone. That is the
; drive the program's own data lives on and the one every machine has; other drives, fixed ones
; included, may be external disks that come and go or volumes the user keeps apart, and get a
; hiding place only when their owner makes one (README.md). Hidden and system, as the Recycle
; Bin's folders are, so that Explorer does not show it. Open to administrators and the system
; alone, as the program is: a folder at the root of C: would otherwise let every user list the
; hidden items and put files of their own under the names H1, H2, ... that an administrator's
; Unhide then moves to the paths the register gives. A folder that is there already (an earlier
; installation, hidden items in it) is left exactly as it is; uninstalling leaves it too.
; Full control for the system and the administrators and none for anyone else: the folder's
; access list no longer follows that of the root. (An item hidden in it keeps its own list, as
; every move within a drive does.) Sets the error flag when the access list could not be set.
Function RestrictToAdministrators
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(\
w "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", i 1, *p .r2, p 0) i .r3'
  ${If} $3 == 0
    SetErrors
    Return
  ${EndIf}
  ; DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION
  System::Call 'advapi32::SetFileSecurityW(w r1, i 0x80000004, p r2) i .r3'
  System::Call 'kernel32::LocalFree(p r2)'
  ${If} $3 == 0
    SetErrors
  ${EndIf}
FunctionEnd

; "Hide with Tessarn…" starts the program with the item's path, which the main window opens on
; once the password is given; the item is hidden only by Hide. Shown for one item alone: for a
; selection of several, Explorer would start a program, each asking for the password, per item.
!macro AddContextMenuEntry KEY
  WriteRegStr HKLM "${KEY}" "" "Hide with Tessarn${U+2026}"
  WriteRegStr HKLM "${KEY}" "Icon" "$INSTDIR\tessarn.exe,0"
  WriteRegStr HKLM "${KEY}" "MultiSelectModel" "Single"
  WriteRegStr HKLM "${KEY}\command" "" '"$INSTDIR\tessarn.exe" "%1"'
!macroend

Function MakeHidingPlace
  StrCpy $1 "$HidingDrive\recycled"
  ${If} ${FileExists} "$1\*.*"
    DetailPrint "The hiding place $1 is there already."
  ${ElseIf} ${FileExists} "$1"
    DetailPrint "$1 is a file, not a folder: Hide on drive $HidingDrive fails until it is a folder."
    MessageBox MB_OK|MB_ICONEXCLAMATION "$1 is a file, not a folder. Tessarn hides items on drive \
$HidingDrive into the folder $1: Hide there fails until that file is moved away and the folder \
made (README.md says how)." /SD IDOK
  ${Else}
    ClearErrors
    CreateDirectory "$1"
    SetFileAttributes "$1" HIDDEN|SYSTEM
    Call RestrictToAdministrators
    ${If} ${Errors}
      DetailPrint "Could not make the hiding place $1."
      MessageBox MB_OK|MB_ICONEXCLAMATION "Could not make the hidden folder $1, Tessarn's hiding \
place on drive $HidingDrive: Hide there fails until it exists (README.md says how to make it)." \
        /SD IDOK
    ${Else}
      DetailPrint "Made the hidden folder $1, the hiding place of drive $HidingDrive."
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Tessarn"
  SetOutPath "$INSTDIR"
  File "/oname=tessarn.exe" "${PROGRAM}"
  File "/oname=README.md" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Started in the user's own folder, as on Linux, not in Program Files: the main window opens
  ; on the folder it starts in, and Hide acts on that folder until the user picks an item. The
  ; shell expands the variable for whoever starts it; a shortcut's working folder is $OUTDIR.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortcut "$SMPROGRAMS\Tessarn.lnk" "$INSTDIR\tessarn.exe" "" "$INSTDIR\tessarn.exe" 0 \
    SW_SHOWNORMAL "" "Hide files and folders from casual view and bring them back"
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tessarn"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessarn.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Readme" "$INSTDIR\README.md"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  !insertmacro AddContextMenuEntry "${FILE_VERB_KEY}"
  !insertmacro AddContextMenuEntry "${FOLDER_VERB_KEY}"

  Call MakeHidingPlace
SectionEnd

; The program only. Not the register and its journals in C:\Windows\System32, not the key
; Software\Tessarn with the password's check value, not the hiding places and the items in
; them: an uninstaller that took them would lose every hidden item for good.
Section "Uninstall"
  ; A running Tessarn holds its program file; removing the rest around it would leave a program
  ; that no uninstaller knows of.
  ClearErrors
  Delete "$INSTDIR\tessarn.exe"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Tessarn is running. Close it, then uninstall again." /SD IDOK
    SetErrorLevel 32 ; ERROR_SHARING_VIOLATION
    Abort
  ${EndIf}
  Delete "$SMPROGRAMS\Tessarn.lnk"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: whatever the user put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${FILE_VERB_KEY}"
  DeleteRegKey HKLM "${FOLDER_VERB_KEY}"
  ; The keys of all the menu's entries, made by the installer where the machine had none; kept
  ; while they hold anything at all.
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "${FILE_VERBS_KEY}"
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "${FOLDER_VERBS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
