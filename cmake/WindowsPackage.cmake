# The Windows download, made on Debian from the MinGW-w64 cross build (scripts/windows-package): one folder
# holding the window program kvt3310.exe (when the build has it), kvt3310-cli.exe, the language and help files.
# The programs carry the compiler's runtime (cmake/mingw-w64.cmake), so no DLL goes with them. CPack makes a ZIP
# of the folder and a per-user installer (packaging/windows/NSIS.template.in, with Debian's makensis).
set(KVT_PACKAGED_PROGRAMS kvt3310-cli)
set(CPACK_KVT_WINDOW_PROGRAM "")
if(TARGET kvt3310)
    list(PREPEND KVT_PACKAGED_PROGRAMS kvt3310)
    set(CPACK_KVT_WINDOW_PROGRAM kvt3310.exe)
endif()
install(TARGETS ${KVT_PACKAGED_PROGRAMS} RUNTIME DESTINATION .)
file(GLOB KVT_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*.TXT)
install(FILES ${KVT_HELP_SOURCES} DESTINATION .)
get_property(KVT_LANGUAGE_FILES GLOBAL PROPERTY KVT_LANGUAGE_FILES)
if(NOT KVT_LANGUAGE_FILES)
    message(WARNING "The Windows package will have no language files: a cross build makes them only with "
                    "KVT_HOST_LNGGEN, the lnggen of a native build")
endif()
install(FILES ${KVT_LANGUAGE_FILES} DESTINATION .)

set(CPACK_PACKAGE_NAME "KVT3310")
set(CPACK_PACKAGE_VENDOR "Norvik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "KVT3310 message manager set-up")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "KVT3310-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "KVT3310")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "KVT3310")
set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_DISPLAY_NAME "KVT3310 message manager set-up")
set(CPACK_NSIS_PACKAGE_NAME "${CPACK_NSIS_DISPLAY_NAME}")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The installer's version resource wants four numbers.
set(CPACK_KVT_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(CPACK_KVT_ICON "")
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/windows/kvt3310.ico)
    set(CPACK_KVT_ICON ${CMAKE_SOURCE_DIR}/resources/windows/kvt3310.ico)
endif()
# The project's installer script replaces CPack's, which installs for all users under Program Files.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging/windows)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/windows/CPackOptions.cmake)
include(CPack)
