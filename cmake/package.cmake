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
# Each package's description opens with its synopsis line (CPack would put
# one package-wide summary before both).
set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "3D physics game of skill: roll a ball through obstacle courses
Quillax rolls a ball with W, A, S and D from the start to the target through
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
# Two packages: the game (every install rule without a component) and the
# leaderboard server (component "server", see server/CMakeLists.txt).
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified server)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME quillax)
set(CPACK_DEBIAN_SERVER_PACKAGE_NAME quillax-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SERVER_DESCRIPTION "leaderboard server for Quillax that replays every run
quillax-server keeps the Quillax leaderboard over HTTP with JSON. It ranks
only runs it has played again itself, headless, with the game's own levels
and physics, and keeps players and runs in SQLite or PostgreSQL. A systemd
unit runs it as its own user with its data in /var/lib/quillax-server.")
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "quillax (= ${PROJECT_VERSION}), adduser")
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA
  "${CMAKE_SOURCE_DIR}/packaging/server/postinst;${CMAKE_SOURCE_DIR}/packaging/server/postrm")
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
