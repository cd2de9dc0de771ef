# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer (`make package-windows`), made by CPack's NSIS
# generator with Debian's makensis: quartet.exe in Program Files\Quartet (or,
# for a user who is no administrator, in that user's own folders), an entry
# in the Start menu, and an uninstaller listed among the installed programs.
# The uninstaller removes exactly the files the installer wrote, and the
# folder only when it is empty; the player's setting under
# HKEY_CURRENT_USER\Software\Quartet\General is not the installer's and stays.
install(TARGETS quartet RUNTIME DESTINATION .)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Quartet)
set(CPACK_PACKAGE_VENDOR Quartet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME quartet-${PROJECT_VERSION}-windows-x64)
# Where `cpack` writes it, for the test that installs it.
set(QUARTET_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.exe PARENT_SCOPE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quartet)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quartet)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_NSIS_PACKAGE_NAME Quartet)
set(CPACK_NSIS_DISPLAY_NAME Quartet)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/quartet.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/quartet.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME quartet.exe)
# The Start-menu entry "Quartet", for quartet.exe at the folder's top.
set(CPACK_PACKAGE_EXECUTABLES quartet Quartet)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# A 64-bit installer, in Unicode, like the program: Wine without its 32-bit
# half (Debian's wine64 alone) runs it too.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# An installation over an earlier one runs its uninstaller first.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
