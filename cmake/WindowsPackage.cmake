# The Windows window program as installers get it: one folder holding kvt3310.exe, the Qt and SDL DLLs that
# windeployqt and vcpkg put beside it, the language and help files. CPack makes a ZIP of the folder and an
# installer that installs it for the current user only, into a folder the user may write: the program keeps
# its settings file and instance marker beside itself.
install(TARGETS kvt3310 RUNTIME DESTINATION .)
install(FILES $<TARGET_RUNTIME_DLLS:kvt3310> DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/ DESTINATION . FILES_MATCHING PATTERN "*.lng" PATTERN "*.TXT")

# windeployqt adds the Qt plugins (platform, styles, image formats) that no link line names.
get_target_property(KVT_QMAKE Qt6::qmake IMPORTED_LOCATION)
get_filename_component(KVT_QT_BIN "${KVT_QMAKE}" DIRECTORY)
find_program(KVT_WINDEPLOYQT windeployqt HINTS "${KVT_QT_BIN}" "${KVT_QT_BIN}/../tools/Qt6/bin" REQUIRED)
install(CODE "
    execute_process(COMMAND \"${KVT_WINDEPLOYQT}\" --release --no-translations --no-compiler-runtime
                            --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/kvt3310.exe\"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR \"windeployqt failed\")
    endif()")
# The Visual C++ runtime goes with the program, as the laptops it goes to need not have it.
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
include(InstallRequiredSystemLibraries)

set(CPACK_PACKAGE_NAME "KVT3310")
set(CPACK_PACKAGE_VENDOR "Norvik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "KVT3310 message manager set-up")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "KVT3310")
set(CPACK_PACKAGE_EXECUTABLES "kvt3310" "KVT3310 set-up")
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_NSIS_DISPLAY_NAME "KVT3310 set-up")
set(CPACK_NSIS_PACKAGE_NAME "KVT3310 set-up")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN "kvt3310.exe")
# Per user, not under Program Files: no administrator rights, and the folder stays writable.
set(CPACK_NSIS_DEFINES "RequestExecutionLevel user")
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
