# The Windows build of the same program: a windowed executable (no console)
# with our icon and version resource, installed as the portable folder
# (cabinetcool.exe with env\, www\ and Cool\ beside it) together with the
# Qt libraries, plugins and translations it needs, which windeployqt gathers
# at install time:
#   cmake --install build --prefix C:/CabinetCool
# An installer (Inno Setup, NSIS or WiX) then packs that folder; a folder
# under "Program Files" is read-only for users, and the program then starts
# its file dialogs in Documents\CabinetCool.
# Only the standard-library layers are built and tested for Windows here
# (MinGW-w64 and Wine, scripts/check-windows); this file is not.

if(NOT WIN32)
    return()
endif()

set_target_properties(cabinetcool PROPERTIES WIN32_EXECUTABLE ON)
set(CC_WINDOWS_ICON ${CMAKE_CURRENT_SOURCE_DIR}/assets/windows/cabinetcool.ico)
configure_file(assets/windows/cabinetcool.rc.in ${CMAKE_CURRENT_BINARY_DIR}/cabinetcool.rc @ONLY)
target_sources(cabinetcool PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/cabinetcool.rc)

# windeployqt through Qt's deployment support (Qt 6.3 and later): the Qt
# DLLs beside the executable, the plugins (platforms\qwindows.dll, styles,
# image formats, print support) under plugins\, Qt's translations (the
# Korean texts of its dialogs) under translations\, and a qt.conf that says
# where they are.
if(DEFINED QT_DEPLOY_SUPPORT)
    set(cc_deploy_script ${CMAKE_CURRENT_BINARY_DIR}/deploy-cabinetcool.cmake)
    file(GENERATE OUTPUT ${cc_deploy_script} CONTENT "
include(\"${QT_DEPLOY_SUPPORT}\")
qt_deploy_runtime_dependencies(
    EXECUTABLE \"$<TARGET_FILE_NAME:cabinetcool>\"
    BIN_DIR .
    PLUGINS_DIR plugins
    GENERATE_QT_CONF)
")
    install(SCRIPT ${cc_deploy_script} COMPONENT portable)
else()
    message(WARNING "Qt's deployment support is missing: run windeployqt on the installed "
                    "cabinetcool.exe yourself")
endif()
