; SPDX-License-Identifier: MIT
; The Windows installer: for the current user only, without administrator rights. It installs
; both programs, a Start-menu entry and an uninstaller, and opens .qzd files with the viewer.
; makensis -DVERSION=... -DSTAGE=folder-with-the-files -DICON=... -DOUTFILE=... installer.nsi
; A 64-bit installer for 64-bit programs; it also runs where Wine has no 32-bit part.
Target amd64-unicode
SetCompressor /SOLID lzma
; The installer is the same bytes from the same files whenever it is made: it records no file's
; date (the installed files take the time of the install).
SetDateSave off
RequestExecutionLevel user

!define PRODUCT "QZ Model Viewer"
!define PROGID "QzdViewer.Model"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\qzd-viewer"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\qzd-viewer"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" "MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\qzd-viewer.exe"
  File "${STAGE}\qzd.exe"
  File "${STAGE}\LICENSE"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\qzd-viewer.exe"

  ; .qzd files open in the viewer, with its icon.
  WriteRegStr HKCU "Software\Classes\.qzd" "" "${PROGID}"
  WriteRegStr HKCU "Software\Classes\.qzd\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "Software\Classes\${PROGID}" "" "Tarnell QZ model file"
  WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\qzd-viewer.exe,0"
  WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\qzd-viewer.exe" "%1"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "qzd-viewer team"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qzd-viewer.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; SHCNE_ASSOCCHANGED: Explorer shows the new icon and open command at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Removes what the installer added, and nothing else: the .qzd key only while it still names
; the viewer, and the install folder only when no file of the user's is left in it.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\qzd-viewer.exe"
  Delete "$INSTDIR\qzd.exe"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  DeleteRegValue HKCU "Software\Classes\.qzd\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "Software\Classes\.qzd\OpenWithProgids"
  ReadRegStr $0 HKCU "Software\Classes\.qzd" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegValue HKCU "Software\Classes\.qzd" ""
  DeleteRegKey /ifempty HKCU "Software\Classes\.qzd"
  DeleteRegKey HKCU "Software\Classes\${PROGID}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
