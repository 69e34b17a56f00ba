# make package: a Debian package of the system layout (see Install.cmake),
# built with CPack from the Release tree:
#   cpack --config build/CPackConfig.cmake -B build/package
# scripts/check-package runs lintian and appstreamcli on the result.

set(CPACK_PACKAGE_NAME cabinetcool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "CabinetCool developers")
set(CPACK_PACKAGE_CONTACT "${CABINETCOOL_PACKAGE_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "thermal design of electrical control cabinets")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only the system layout goes into the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};CabinetCool;system;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries it links come from dpkg-shlibdeps; what it loads at run
# time is named here: Qt's platform plugins (the window system), the Korean
# font of the fields and the Korean texts of Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-nanum, qt6-translations-l10n")
# Wayland sessions without XWayland, and the browser the web links open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"CabinetCool computes the heat balance of an electrical control cabinet from
its outer dimensions, the design temperatures and the heat of the equipment
inside, and from it the cooling power a cabinet air-conditioner must deliver
or the specific capacity a box fan or heat exchanger must reach, with a
recommended model. Chart windows show the selection as nomograms, a
component window sums the heat of typical parts, calculations are saved to
small .col files, and the main window prints. A detailed climate design
goes further: the effective surface of the installation type (IEC/TR
60890), solar gain, the filter-fan airflow at the site's altitude, heater
power and the dew point. A design report is written as a PDF. The interface
is Korean.")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
