# cpack -G DEB in the release build makes quillax_VERSION_ARCH.deb from the
# install rules. dpkg-shlibdeps finds the libraries the programs link; what
# they load by name at run time is listed by hand: OGRE's GL render system and
# image codec plug-ins (RenderSystem_GL.so.1.12.10, Codec_STBI.so.1.12.10) and
# the shadow programs resources.cfg names come with libogre1.12.10, the fonts
# with fonts-linuxlibertine, and Mesa's software GL with libgl1-mesa-dri.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillax)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillax developers")
set(CPACK_PACKAGE_CONTACT "Quillax developers <quillax@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D physics game of skill: roll a ball through obstacle courses")
# The summary above is the synopsis line; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillax rolls a ball with W, A, S and D from the start to the target through
courses built from blocks, moving platforms, coloured doors and switches,
teleporters, coins, checkpoints and info boxes, while the camera circles the
ball with the mouse. Two campaigns of twelve levels rise in difficulty.
.
The package also holds mapscout, which flies a free probe through one level
for level authors.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libogre1.12.10, fonts-linuxlibertine, libgl1-mesa-dri")
# The install rules see the real prefix (/usr) under DESTDIR, so the font
# links come out relative.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Debian wants directories 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
