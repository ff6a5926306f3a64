# The Debian packages: `cpack -G DEB` in the build folder, after a build.
# One package per install component (see CMakeLists.txt here).

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "lunomat")
set(CPACK_PACKAGE_VENDOR "Luno-Mat")
set(CPACK_PACKAGE_CONTACT "${LUNOMAT_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Debug information stays in the build; the packages get stripped programs.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program browser)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${LUNOMAT_DEB_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE "lunomat")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${LUNOMAT_WEB_HOST}/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library dependencies come from what the programs and the module link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The module is private: no shlibs entry for other packages to use.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME "lunomat")
set(CPACK_DEBIAN_BROWSER_PACKAGE_NAME "lunomat-browser")
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION "Mondphasen-Rechner für den Desktop
Luno-Mat berechnet für ein Datum zwischen 1900 und 2100 das Mondalter, die
Mondphase, die Entfernung und die ekliptische Position des Mondes, zeigt eine
Jahrestabelle aller Voll-, Neu- und Halbmonde und die Mondfinsternisse
1987-2030 und druckt beide Tabellen. Mit dem Befehlszeilenprogramm
lunomat-cli.")
set(CPACK_COMPONENT_BROWSER_DESCRIPTION "Mondzeichen-Webseite für Luno-Mat
Das Hilfsprogramm zeigt in Luno-Mat die Seite mit dem Mondtier- und
Sonnenstern-Kreiszeichen des Tages in einem eingebetteten Browser (Qt
WebEngine). Ohne dieses Paket meldet Luno-Mat beim Knopf dafür, dass es fehlt.")
# What the linker cannot see, added to the lists from the libraries:
# - qt6-qpa-plugins: Qt loads its X11 platform plugin at run time; without it
#   no window can open.
# - fonts-liberation2, fonts-dejavu-core: the families the windows and the
#   printouts ask for by name.
# - qt6-translations-l10n: the German texts of Qt's own dialogs (print dialog,
#   message box buttons).
# The GIF reader for the phase pictures comes with the Qt GUI library's
# package. libcanberra plays through ALSA by itself; its PulseAudio backend
# (also for PipeWire) is recommended, as is the browser helper.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "lunomat-browser, libcanberra-pulse")
# The helper is part of the program: it depends on lunomat of the same
# version, so it cannot be installed alone and goes when lunomat goes.
set(CPACK_COMPONENT_BROWSER_DEPENDS program)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

include(CPack)
