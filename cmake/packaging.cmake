# The Debian package: `cpack -G DEB` in a build folder writes
# kestrava_<version>_amd64.deb with everything `cmake --install` puts under
# /usr. Its dependencies are worked out from the programs by dpkg-shlibdeps.
# Debian hardens its programs with full RELRO: every symbol is bound at
# start, so the relocation table can be made read-only.
foreach(program kestrava2 kestrava1 kestrava_sound)
  target_link_options(${program} PRIVATE LINKER:-z,now)
endforeach()

# cpack packages what has been built, as `cmake --install` installs it; it
# does not build first. (The package test runs after the build, and must not
# start a build of its own in a tree that is out of date.)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrava)
set(CPACK_PACKAGE_VENDOR "Kestrava developers")
set(CPACK_PACKAGE_CONTACT "Kestrava developers <kestrava@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The programs are built with debugging information; the package ships them
# stripped.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Sound: Debian 12's Qt Multimedia (6.4) plays through the PulseAudio client
# library it links, so it needs a PulseAudio sound server. The game plays on
# in silence without one, so the server is recommended, not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pipewire-pulse | pulseaudio")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Two to four players share one computer and take turns at the mouse. Each
drives a vehicle across a battlefield seen from the side and fires shells
at the others; the last vehicle standing wins. A turn is spent stepping the
vehicle and firing with a three-press button that sets a far and a high
power while a guide line shows the aim; the shell flies under gravity and
a wind that changes as the mouse moves.

The package holds two programs: kestrava2, the full game with six vehicles
that differ in attack, energy, speed and movement, and kestrava1, the wind
edition with a simpler setup, turns in a fixed order and the wind shown as
text.
.
The game is heard as well as seen, with a chime that tells the next player
it is their turn; sound can be turned off.]=])

include(CPack)
