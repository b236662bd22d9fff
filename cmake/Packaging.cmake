# The Debian package (cpack -G DEB; scripts/package runs it): everything `cmake --install`
# puts under the prefix, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME channeltool)
set(CPACK_PACKAGE_VENDOR "Channel tool maintainers")
set(CPACK_PACKAGE_CONTACT "Seed a6714bb8 maintainers <maintainers@users.noreply.c-seed-a6714bb8.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "edit the channel lists of a satellite set-top box")
# The extended description, one control-file line each (CPack indents them and marks the
# blank line between the paragraphs).
set(CPACK_PACKAGE_DESCRIPTION [[
Channel tool works with a DVB-S/DVB-S2 satellite set-top box on the local
network. It downloads the box's channel database, shows it in linked lists,
lets you edit satellites, transponders, channels and ten favourite lists, and
sends everything back. It keeps backup files, copies files between a folder
of the computer and the box's USB storage, and starts live streaming in VLC.

The package holds the desktop program channeltool, channeltool-cli for the
same work on the command line, and stbsim, a simulated box to try them
without hardware.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # channeltool_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps. The toolkit's platform plugins are only
# recommended by its libraries, yet no window opens without them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(WITH_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
# Live streaming plays in VLC; everything else works without it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS vlc)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
