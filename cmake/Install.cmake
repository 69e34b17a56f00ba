# What a user gets beside the executable besides env/ and Cool/: the web
# pages of the program's links, the desktop entry and the icon.

# The web links (home page, air-conditioner page, box-fan page) live under
# one site base. The default is the user guide shipped in www/ beside the
# executable, which works offline. A vendor may point the links at its own
# web site ("https://example.com") or at another folder, relative to the
# executable or absolute.
set(CABINETCOOL_SITE_BASE "www" CACHE STRING
    "Base of the program's web links: a web address, or a folder (relative to the executable)")
target_compile_definitions(cc_windows PRIVATE CABINETCOOL_SITE_BASE="${CABINETCOOL_SITE_BASE}")

# The pages show our artwork, which lives with the rest of it in assets/art.
set(CC_WWW_ART
    ${CMAKE_CURRENT_SOURCE_DIR}/assets/art/cabinetcool-logo.png
    ${CMAKE_CURRENT_SOURCE_DIR}/assets/art/cabinetcool-icon.png)
file(GLOB_RECURSE CC_WWW_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/www/*)

# The build tree runs like an installed folder: www/ beside build/cabinetcool,
# copied again whenever a page changes.
set(CC_WWW_STAMP ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/cc_www.stamp)
add_custom_command(OUTPUT ${CC_WWW_STAMP}
    COMMAND ${CMAKE_COMMAND} -E copy_directory
            ${CMAKE_CURRENT_SOURCE_DIR}/assets/www $<TARGET_FILE_DIR:cabinetcool>/www
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:cabinetcool>/www/img
    COMMAND ${CMAKE_COMMAND} -E copy ${CC_WWW_ART} $<TARGET_FILE_DIR:cabinetcool>/www/img/
    COMMAND ${CMAKE_COMMAND} -E touch ${CC_WWW_STAMP}
    DEPENDS ${CC_WWW_FILES} ${CC_WWW_ART}
    COMMENT "Copying the web pages beside the executable"
    VERBATIM)
add_custom_target(cc_www ALL DEPENDS ${CC_WWW_STAMP})

install(DIRECTORY assets/www/ DESTINATION www)
install(FILES ${CC_WWW_ART} DESTINATION www/img)
install(FILES assets/art/cabinetcool-icon.png
        DESTINATION share/icons/hicolor/32x32/apps RENAME cabinetcool.png)
install(FILES assets/art/cabinetcool-icon-128.png
        DESTINATION share/icons/hicolor/128x128/apps RENAME cabinetcool.png)

# The desktop entry names the executable and the icon by absolute path, so it
# is written at install time, when the prefix (cmake --install --prefix) is
# known. It works from any prefix: copy or link it into
# ~/.local/share/applications to see the program in the desktop's menu.
install(CODE "set(CC_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_SOURCE_DIR}/assets/cabinetcool.desktop\")")
install(CODE [[
    get_filename_component(cc_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
    # Desktop entry quoting: within double quotes, \ " ` $ take a backslash,
    # and the string escaping doubles every backslash once more; % is doubled.
    set(cc_exec "${cc_prefix}/cabinetcool")
    string(REPLACE "\\" "\\\\\\\\" cc_exec "${cc_exec}")
    string(REPLACE "\"" "\\\\\"" cc_exec "${cc_exec}")
    string(REPLACE "`" "\\\\`" cc_exec "${cc_exec}")
    string(REPLACE "$" "\\\\$" cc_exec "${cc_exec}")
    string(REPLACE "%" "%%" cc_exec "${cc_exec}")
    set(CABINETCOOL_DESKTOP_EXEC "\"${cc_exec}\"")
    set(CABINETCOOL_DESKTOP_PATH "${cc_prefix}")
    set(CABINETCOOL_DESKTOP_ICON "${cc_prefix}/share/icons/hicolor/128x128/apps/cabinetcool.png")
    set(cc_desktop "$ENV{DESTDIR}${cc_prefix}/share/applications/cabinetcool.desktop")
    message(STATUS "Installing: ${cc_desktop}")
    configure_file("${CC_DESKTOP_TEMPLATE}" "${cc_desktop}" @ONLY)
]])
