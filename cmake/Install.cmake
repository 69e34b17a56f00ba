# The two install layouts of the one program, each a component:
#
#   portable  the executable with env/app.ini, www/ and an empty Cool/ beside
#             it: one folder that runs from anywhere, for a user's own prefix
#             (cmake --install build --prefix ~/CabinetCool) and for Windows.
#   system    the layout of packages and of /usr, /usr/local: bin/cabinetcool,
#             the shipped tables and pages read-only in share/cabinetcool/,
#             the desktop entry, icons, file type and AppStream data where the
#             desktop looks for them. A user's own tables go in
#             ~/.config/CabinetCool/app.ini, calculations in the user's
#             documents (the program finds both).
#
# A plain `cmake --install` installs the default layout: the portable folder,
# except into /usr or /usr/local, which get the system layout. The option
# CABINETCOOL_SYSTEM_LAYOUT makes the system layout the default everywhere;
# `--component portable` or `--component system` picks one explicitly.
# `make package` builds the .deb from the system layout.

include(GNUInstallDirs)

option(CABINETCOOL_SYSTEM_LAYOUT
       "Install the system layout (bin/, share/cabinetcool/) by default instead of the portable folder" OFF)

set(CC_SYSTEM_DATA_DIR ${CMAKE_INSTALL_DATADIR}/cabinetcool)
set(CC_MIME_TYPE application/x-cabinetcool)
set(CC_MIME_ICON application-x-cabinetcool)
set(CC_PROJECT_MIME_TYPE application/x-cabinetcool-project)
set(CC_PROJECT_MIME_ICON application-x-cabinetcool-project)
# The desktop entry opens both: calculation files and projects.
set(CC_MIME_TYPES "${CC_MIME_TYPE};${CC_PROJECT_MIME_TYPE}")
set(CC_APPSTREAM_ID org.cabinetcool.CabinetCool)
set(CC_ICON_SIZES 16 22 24 32 48 64 128 256)
set(CABINETCOOL_PACKAGE_MAINTAINER "CabinetCool developers <packages@cabinetcool.org>" CACHE STRING
    "Maintainer of the packages, as \"Name <address>\"")

# Where the program looks for share/cabinetcool, relative to its executable.
file(RELATIVE_PATH cc_relative_data_dir
     "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${CC_SYSTEM_DATA_DIR}")
target_compile_definitions(cabinetcool PRIVATE CABINETCOOL_RELATIVE_DATA_DIR="${cc_relative_data_dir}")

if(CABINETCOOL_SYSTEM_LAYOUT)
    set(CC_PORTABLE COMPONENT portable EXCLUDE_FROM_ALL)
    set(CC_SYSTEM COMPONENT system)
else()
    set(CC_PORTABLE COMPONENT portable)
    set(CC_SYSTEM COMPONENT system EXCLUDE_FROM_ALL)
    # Runs first: a plain install into a system prefix takes the system layout.
    install(CODE [[
        if(NOT CMAKE_INSTALL_COMPONENT)
            get_filename_component(cc_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
            if(cc_prefix MATCHES "^/usr(/local)?/?$")
                message(STATUS "${cc_prefix} is a system prefix: installing the system layout "
                               "(--component portable for the portable folder)")
                set(CMAKE_INSTALL_COMPONENT system)
            endif()
        endif()
    ]])
endif()

# The web links (home page, air-conditioner page, box-fan page) live under
# one site base. The default is the user guide shipped in www/ (beside the
# executable, or in share/cabinetcool), which works offline. A vendor may
# point the links at its own web site ("https://example.com") or at another
# folder, relative to that data folder or absolute.
set(CABINETCOOL_SITE_BASE "www" CACHE STRING
    "Base of the program's web links: a web address, or a folder (relative to the program's data folder)")
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

# env/app.ini is the user's to edit (the README says so): an install puts
# the shipped tables there only when the file is missing or unchanged. An
# edited file stays; the shipped one lands beside it as app.ini.new.
function(cc_install_tables destination)
    install(CODE "set(cc_tables_source \"${CMAKE_CURRENT_SOURCE_DIR}/assets/env/app.ini\")
                  set(cc_tables_destination \"${destination}\")" ${ARGN})
    install(CODE [[
        if(IS_ABSOLUTE "${cc_tables_destination}")
            set(cc_dir "${cc_tables_destination}")
        else()
            set(cc_dir "${CMAKE_INSTALL_PREFIX}/${cc_tables_destination}")
        endif()
        # file(INSTALL) puts DESTDIR in front by itself; the check must too.
        set(cc_file "$ENV{DESTDIR}${cc_dir}/app.ini")
        set(cc_rename "")
        if(EXISTS "${cc_file}")
            file(SHA256 "${cc_file}" cc_old)
            file(SHA256 "${cc_tables_source}" cc_new)
            if(NOT cc_old STREQUAL cc_new)
                set(cc_rename RENAME app.ini.new)
                message(STATUS "Keeping the edited ${cc_file}; the shipped tables are in app.ini.new")
            endif()
        endif()
        file(INSTALL DESTINATION "${cc_dir}" TYPE FILE
             PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
             FILES "${cc_tables_source}" ${cc_rename})
    ]] ${ARGN})
endfunction()

# ---- portable folder ------------------------------------------------------

install(TARGETS cabinetcool RUNTIME DESTINATION . ${CC_PORTABLE})
cc_install_tables(env ${CC_PORTABLE})
install(DIRECTORY DESTINATION Cool ${CC_PORTABLE})
install(DIRECTORY assets/www/ DESTINATION www ${CC_PORTABLE})
install(FILES ${CC_WWW_ART} DESTINATION www/img ${CC_PORTABLE})

if(NOT WIN32)
    foreach(size IN LISTS CC_ICON_SIZES)
        install(FILES assets/icons/hicolor/${size}x${size}/apps/cabinetcool.png
                DESTINATION share/icons/hicolor/${size}x${size}/apps ${CC_PORTABLE})
    endforeach()

    # The portable desktop entry names the executable and the icon by
    # absolute path, so it is written at install time, when the prefix
    # (cmake --install --prefix) is known. Link it into
    # ~/.local/share/applications to see the program in the desktop's menu.
    install(CODE "set(CC_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_SOURCE_DIR}/assets/cabinetcool.desktop\")
                  set(CABINETCOOL_MIME_TYPE \"${CC_MIME_TYPES}\")" ${CC_PORTABLE})
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
        set(CABINETCOOL_DESKTOP_ICON "${cc_prefix}/share/icons/hicolor/128x128/apps/cabinetcool.png")
        set(cc_desktop "$ENV{DESTDIR}${cc_prefix}/share/applications/cabinetcool.desktop")
        message(STATUS "Installing: ${cc_desktop}")
        configure_file("${CC_DESKTOP_TEMPLATE}" "${cc_desktop}" @ONLY)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${cc_desktop}")
    ]] ${CC_PORTABLE})
endif()

# ---- system layout --------------------------------------------------------

install(TARGETS cabinetcool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} ${CC_SYSTEM})
cc_install_tables(${CC_SYSTEM_DATA_DIR}/env ${CC_SYSTEM})
install(DIRECTORY assets/www/ DESTINATION ${CC_SYSTEM_DATA_DIR}/www ${CC_SYSTEM})
install(FILES ${CC_WWW_ART} DESTINATION ${CC_SYSTEM_DATA_DIR}/www/img ${CC_SYSTEM})

if(NOT WIN32)
    foreach(size IN LISTS CC_ICON_SIZES)
        set(cc_icon assets/icons/hicolor/${size}x${size}/apps/cabinetcool.png)
        install(FILES ${cc_icon}
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps ${CC_SYSTEM})
        # Calculation files and projects show the program's icon in file
        # managers, each under its own icon name.
        foreach(mime_icon ${CC_MIME_ICON} ${CC_PROJECT_MIME_ICON})
            install(FILES ${cc_icon}
                    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
                    RENAME ${mime_icon}.png ${CC_SYSTEM})
        endforeach()
    endforeach()

    # The menu entry starts the program by name from the PATH and opens a
    # calculation file handed to it.
    set(CABINETCOOL_DESKTOP_EXEC cabinetcool)
    set(CABINETCOOL_DESKTOP_ICON cabinetcool)
    set(CABINETCOOL_MIME_TYPE "${CC_MIME_TYPE};${CC_PROJECT_MIME_TYPE}")
    configure_file(assets/cabinetcool.desktop ${CMAKE_CURRENT_BINARY_DIR}/system/cabinetcool.desktop @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/cabinetcool.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications ${CC_SYSTEM})

    install(FILES assets/linux/cabinetcool-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME cabinetcool.xml ${CC_SYSTEM})
    install(FILES assets/linux/${CC_APPSTREAM_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo ${CC_SYSTEM})

    # The manual page and the changelog, compressed the reproducible way
    # (no name, no time stamp) as packages want them.
    find_program(CC_GZIP gzip)
    if(CC_GZIP)
        set(cc_man_gz ${CMAKE_CURRENT_BINARY_DIR}/system/cabinetcool.1.gz)
        set(cc_changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/system/changelog.gz)
        add_custom_command(OUTPUT ${cc_man_gz}
            COMMAND ${CC_GZIP} -9nc ${CMAKE_CURRENT_SOURCE_DIR}/assets/linux/cabinetcool.1 > ${cc_man_gz}
            DEPENDS assets/linux/cabinetcool.1)
        configure_file(assets/linux/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/system/changelog @ONLY)
        add_custom_command(OUTPUT ${cc_changelog_gz}
            COMMAND ${CC_GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/system/changelog > ${cc_changelog_gz}
            DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/system/changelog)
        add_custom_target(cc_system_docs ALL DEPENDS ${cc_man_gz} ${cc_changelog_gz})
        install(FILES ${cc_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 ${CC_SYSTEM})
        install(FILES ${cc_changelog_gz} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/cabinetcool ${CC_SYSTEM})
    endif()
    install(FILES assets/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/cabinetcool ${CC_SYSTEM})
endif()
