# cmake --install lays the game out Debian's way: the programs in games/, the
# read-only data (the runnable folder's .cfg files and media/) in
# share/games/quillax, and the desktop entry, icons, AppStream metainfo and
# man pages where desktops and man look for them. The programs find their
# data from their own folder, so the same tree works under any prefix.

set(QUILLAX_DATA_DIR share/games/quillax)
set(QUILLAX_APPSTREAM_ID org.example.quillax)
# The project has no public home yet: the metainfo's home page and screenshot
# addresses start here. Set it when the screenshots of docs/screenshots are
# published.
set(QUILLAX_WEB_URL https://example.org/quillax CACHE STRING
  "Web address the AppStream metainfo names for the home page and screenshots/")

install(TARGETS quillax mapscout RUNTIME DESTINATION games)

# The shipped default, not the runnable folder's copy that OGRE's dialog may
# have rewritten.
install(FILES ${RUN_DIR}/plugins.cfg ${RUN_DIR}/resources.cfg ${CMAKE_SOURCE_DIR}/cmake/config.cfg
  DESTINATION ${QUILLAX_DATA_DIR})
# The runnable folder links the committed media; install copies them, and the
# media the build generates beside them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/media/ DESTINATION ${QUILLAX_DATA_DIR}/media)
install(DIRECTORY
  ${RUN_DIR}/media/meshes ${RUN_DIR}/media/gui_textures ${RUN_DIR}/media/previews ${RUN_DIR}/media/audio
  DESTINATION ${QUILLAX_DATA_DIR}/media)
# The fonts stay Debian's (fonts-linuxlibertine): install links to them, as
# the runnable folder does. Relative when installing into the fonts' own
# prefix, as Debian wants links inside /usr; absolute elsewhere.
install(CODE "
  set(font_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUILLAX_DATA_DIR}/media/fonts\")
  file(MAKE_DIRECTORY \"\${font_dir}\")
  file(GLOB fonts \"${RUN_DIR}/media/fonts/*\")
  foreach(font \${fonts})
    file(READ_SYMLINK \"\${font}\" target)
    cmake_path(GET font FILENAME name)
    cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX \"\${target}\" NORMALIZE in_prefix)
    if(in_prefix)
      cmake_path(RELATIVE_PATH target BASE_DIRECTORY \"\${CMAKE_INSTALL_PREFIX}/${QUILLAX_DATA_DIR}/media/fonts\")
    endif()
    message(STATUS \"Linking: \${font_dir}/\${name} -> \${target}\")
    file(REMOVE \"\${font_dir}/\${name}\")
    file(CREATE_LINK \"\${target}\" \"\${font_dir}/\${name}\" SYMBOLIC)
  endforeach()")

# Desktop menu entry, icon, software-centre description. The entry starts the
# game by its installed path, so a prefix outside PATH (such as ~/.local) gets
# a working menu entry too.
install(CODE "
  set(QUILLAX_GAMES_DIR \"\${CMAKE_INSTALL_PREFIX}/games\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/quillax.desktop\")
  configure_file(\"${CMAKE_SOURCE_DIR}/packaging/quillax.desktop.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/quillax.desktop\" @ONLY)")
foreach(size 64 128 256)
  install(FILES ${ICON_DIR}/quillax_${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quillax.png)
endforeach()
install(FILES ${ICON_DIR}/quillax.svg DESTINATION share/icons/hicolor/scalable/apps)
configure_file(${CMAKE_SOURCE_DIR}/packaging/quillax.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${QUILLAX_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${QUILLAX_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)

# Man pages and the package's changelog, compressed as Debian wants them
# (-n: no time stamp, so every build writes the same bytes).
set(GZIPPED "")
foreach(file quillax.6 mapscout.6 changelog)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/${file} > ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${file}
    VERBATIM)
  list(APPEND GZIPPED ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/quillax.6.gz ${CMAKE_BINARY_DIR}/packaging/mapscout.6.gz
  DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
  DESTINATION share/doc/quillax)
