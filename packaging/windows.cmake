# The Windows installer (NSIS, 64-bit) and a portable zip: the program with the DLLs and Qt
# plugins it loads, all in one folder, as Windows finds DLLs beside the program and Qt finds
# its plugins in folders there.
set(sdk ${ORVELL_WINDOWS_SDK})
install(TARGETS orvell RUNTIME DESTINATION .)
install(FILES
    ${sdk}/bin/Qt6Core.dll ${sdk}/bin/Qt6Gui.dll ${sdk}/bin/Qt6Widgets.dll
    ${sdk}/bin/icuuc72.dll ${sdk}/bin/icuin72.dll ${sdk}/bin/icudt72.dll
    ${sdk}/bin/libzip.dll ${sdk}/bin/zlib1.dll ${sdk}/bin/libxml2.dll ${sdk}/bin/sqlite3.dll
    ${sdk}/bin/libQCustomPlotQt6.dll
    ${sdk}/bin/libstdc++-6.dll ${sdk}/bin/libgcc_s_seh-1.dll ${sdk}/bin/libwinpthread-1.dll
    DESTINATION .)
install(FILES ${sdk}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${sdk}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
# Qt's own texts in Russian (context menus, the file dialog, box buttons), which the program
# loads from translations\ beside itself. qtbase_ru.qm names no other catalogue it needs;
# qt_ru.qm would only add those of Qt modules the program does not use.
install(FILES ${sdk}/translations/qtbase_ru.qm DESTINATION translations)
# The licence and the notices of what is shipped, as .txt so that a double click opens them.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/NOTICES.txt DESTINATION .)

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
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

# CPack's own NSIS template, changed where it does not suit: each change fails the
# configuration if that CMake's template no longer holds the text it replaces.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
function(change_template old new)
    string(FIND "${template}" "${old}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "CMake's NSIS template has no \"${old}\"")
    endif()
    string(REPLACE "${old}" "${new}" template "${template}")
    set(template "${template}" PARENT_SCOPE)
endfunction()
# Debian's NSIS makes 32-bit installers by default; a 64-bit Windows program gets a 64-bit
# installer, which also runs where no 32-bit subsystem is. The target comes before anything of
# the script is compiled.
change_template([=[  !include "MUI.nsh"]=] "  Target amd64-unicode\n  !include \"MUI.nsh\"")
# The installer and the uninstaller speak Russian, as the program does, whatever the system's
# language: Russian is their one language. The template lists every language of Modern UI,
# and the one of the system's, else the first (English), would be shown.
string(REGEX REPLACE "  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n" "" template "${template}")
change_template(";Languages\n" ";Languages\n  !insertmacro MUI_LANGUAGE \"Russian\"\n")
# The template's own texts that a user sees.
change_template(
    [=["@CPACK_NSIS_PACKAGE_NAME@ is already installed. $\n$\nDo you want to uninstall the old version before installing the new one?"]=]
    [=["Программа @CPACK_NSIS_PACKAGE_NAME@ уже установлена.$\n$\nУдалить прежнюю версию перед установкой новой?"]=])
change_template([=["Uninstall failed."]=] [=["Не удалось удалить прежнюю версию."]=])
change_template([=["Set install registry entry: '$1' to '$0'"]=] [=["Запись в реестре: $1 = $0"]=])
change_template([=["Install Options" "Choose options for installing @CPACK_NSIS_PACKAGE_NAME@"]=]
                [=["Параметры установки" "Выберите параметры установки @CPACK_NSIS_PACKAGE_NAME@"]=])
# The licence on a page of its own. The GPL asks no acceptance for installing or running the
# program, so the page has a "Далее" button and says what the licence is about instead.
change_template("  @CPACK_NSIS_LICENSE_PAGE@" [=[
  !define MUI_LICENSEPAGE_TEXT_TOP "Orvell распространяется на условиях GNU GPL версии 3 или более поздней."
  !define MUI_LICENSEPAGE_TEXT_BOTTOM "Лицензия не требует согласия, чтобы установить программу и пользоваться ею. Её текст и сведения о библиотеках программы — в LICENSE.txt и NOTICES.txt в папке программы."
  !define MUI_LICENSEPAGE_BUTTON "&Далее >"
  @CPACK_NSIS_LICENSE_PAGE@]=])
# The uninstaller's shortcut in the Start menu, made once and deleted twice.
change_template([=[\Uninstall.lnk"]=] [=[\Удалить @CPACK_NSIS_PACKAGE_NAME@.lnk"]=])
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
