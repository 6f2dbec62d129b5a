# The Windows installer (NSIS, 64-bit) and a portable zip: the program with the DLLs and Qt
# plugins it loads, all in one folder, as Windows finds DLLs beside the program and Qt finds
# its plugins in folders there.
set(sdk ${ORVELL_WINDOWS_SDK})
install(TARGETS orvell RUNTIME DESTINATION .)
install(FILES
    ${sdk}/bin/Qt6Core.dll ${sdk}/bin/Qt6Gui.dll ${sdk}/bin/Qt6Widgets.dll
    ${sdk}/bin/icuuc72.dll ${sdk}/bin/icuin72.dll ${sdk}/bin/icudt72.dll
    ${sdk}/bin/libzip.dll ${sdk}/bin/zlib1.dll ${sdk}/bin/libxml2.dll
    ${sdk}/bin/libstdc++-6.dll ${sdk}/bin/libgcc_s_seh-1.dll ${sdk}/bin/libwinpthread-1.dll
    DESTINATION .)
install(FILES ${sdk}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${sdk}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)

set(CPACK_GENERATOR NSIS ZIP)
# The NSIS lines below reach the script as they stand, quotes and all.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Orvell)
set(CPACK_PACKAGE_VENDOR Orvell)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Speed reader: one word at a time with a fixed focus letter")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Orvell)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Orvell)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_PACKAGE_FILE_NAME Orvell-${PROJECT_VERSION}-win64)
set(CPACK_ZIP_COMPONENT_INSTALL OFF)
set(CPACK_NSIS_PACKAGE_NAME Orvell)
set(CPACK_NSIS_DISPLAY_NAME Orvell)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME orvell.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)

# Debian's NSIS makes 32-bit installers by default; a 64-bit Windows program gets a 64-bit
# installer, which also runs where no 32-bit subsystem is. CPack's template gets the target
# before anything of it is compiled.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
string(REPLACE "  !include \"MUI.nsh\"" "  Target amd64-unicode\n  !include \"MUI.nsh\""
       template "${template}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${template}")
file(COPY ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.InstallOptions.ini.in
     DESTINATION ${CMAKE_BINARY_DIR}/nsis)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
set(CPACK_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)

# The Start-menu shortcut starts the program in %APPDATA%\Orvell, where each user may write
# library.txt: the install folder under Program Files is read-only. The folder is made for the
# installing user now; the shortcut names it unexpanded, so that it is each user's own.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [=[
  SetShellVarContext current
  CreateDirectory "$APPDATA\Orvell"
  StrCmp $SV_ALLUSERS "AllUsers" 0 +2
    SetShellVarContext all
  StrCpy $OUTDIR "%APPDATA%\Orvell"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Orvell.lnk" "$INSTDIR\orvell.exe"
  SetOutPath "$INSTDIR"
]=])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [=[
  Delete "$SMPROGRAMS\$MUI_TEMP\Orvell.lnk"
]=])

# "Open with" for the book formats, through the program's application key.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr SHCTX "Software\Classes\Applications\orvell.exe" "FriendlyAppName" "Orvell"
  WriteRegStr SHCTX "Software\Classes\Applications\orvell.exe\shell\open\command" "" '"$INSTDIR\orvell.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\orvell.exe\SupportedTypes" ".txt" ""
  WriteRegStr SHCTX "Software\Classes\Applications\orvell.exe\SupportedTypes" ".fb2" ""
  WriteRegStr SHCTX "Software\Classes\Applications\orvell.exe\SupportedTypes" ".epub" ""
  WriteRegStr SHCTX "Software\Classes\Applications\orvell.exe\SupportedTypes" ".zip" ""
  WriteRegStr SHCTX "Software\Classes\.txt\OpenWithList\orvell.exe" "" ""
  WriteRegStr SHCTX "Software\Classes\.fb2\OpenWithList\orvell.exe" "" ""
  WriteRegStr SHCTX "Software\Classes\.epub\OpenWithList\orvell.exe" "" ""
  WriteRegStr SHCTX "Software\Classes\.zip\OpenWithList\orvell.exe" "" ""
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey SHCTX "Software\Classes\Applications\orvell.exe"
  DeleteRegKey SHCTX "Software\Classes\.txt\OpenWithList\orvell.exe"
  DeleteRegKey SHCTX "Software\Classes\.fb2\OpenWithList\orvell.exe"
  DeleteRegKey SHCTX "Software\Classes\.epub\OpenWithList\orvell.exe"
  DeleteRegKey SHCTX "Software\Classes\.zip\OpenWithList\orvell.exe"
]=])
include(CPack)
