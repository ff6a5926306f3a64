# The Debian package: `cpack -G DEB` in the build folder, after a build.

set(LUNOMAT_PACKAGE_CONTACT "Luno-Mat <support@${LUNOMAT_WEB_HOST}>" CACHE STRING
    "Maintainer named in the Debian package")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "lunomat")
set(CPACK_PACKAGE_VENDOR "Luno-Mat")
set(CPACK_PACKAGE_CONTACT "${LUNOMAT_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mondphasen-Rechner für den Desktop")
set(CPACK_PACKAGE_DESCRIPTION
  "Luno-Mat berechnet für ein Datum zwischen 1900 und 2100 das Mondalter, die
Mondphase, die Entfernung und die ekliptische Position des Mondes, zeigt eine
Jahrestabelle aller Voll-, Neu- und Halbmonde und die Mondfinsternisse
1987-2030 und druckt beide Tabellen. Mit dem Befehlszeilenprogramm lunomat-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Debug information stays in the build; the package gets stripped programs.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${LUNOMAT_WEB_HOST}/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library dependencies come from what the programs and the module link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker cannot see, added to the list above:
# - qt6-qpa-plugins: Qt loads its X11 platform plugin at run time; without it
#   no window can open.
# - fonts-liberation2, fonts-dejavu-core: the families the windows and the
#   printouts ask for by name.
# Sound needs nothing more: the pulse audio client is part of the multimedia
# library (and so of its own dependencies), and the GIF reader for the phase
# pictures comes with the Qt GUI library's package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core")

include(CPack)
