# cmake --install build --prefix PREFIX lays the game out as
#   PREFIX/lib/quillmark/quillmark        the program; it finds data/ beside itself
#   PREFIX/lib/quillmark/data/            the generated data with ready-made ".rle" caches
#   PREFIX/bin/quillmark                  a relative link to the program (resolved at start)
#   PREFIX/share/applications/, share/icons/hicolor/<n>x<n>/apps/, share/metainfo/
# The data stay beside the program, as it expects them, so they share its directory below lib/.
# Run from there the program finds data/ read-only and writes its own files per user
# (files/UserFileLocations).
if(NOT TARGET quillmark)
  return()
endif()

include(GNUInstallDirs)
set(QM_APP_ID de.quillmark.DasQuillmark)
set(QM_PROGRAM_NAME quillmark)
set(QM_INSTALL_HOME lib/quillmark)
set(QM_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

# The caches the game writes at its first start, built once here by a headless start; they are
# made again when the data or the cache format change.
set(QM_RLE_CACHE_DIR ${CMAKE_BINARY_DIR}/rle-cache)
add_custom_command(OUTPUT ${QM_RLE_CACHE_DIR}/.built
  COMMAND ${CMAKE_SOURCE_DIR}/packaging/build-rle-cache.sh $<TARGET_FILE:quillmark> ${CMAKE_BINARY_DIR}/data
          ${QM_RLE_CACHE_DIR}
  DEPENDS ${CMAKE_BINARY_DIR}/data/.forged ${CMAKE_SOURCE_DIR}/packaging/build-rle-cache.sh
          ${CMAKE_SOURCE_DIR}/DO3Framework/sprites/RleFile.cpp ${CMAKE_SOURCE_DIR}/DO3Framework/sprites/RleFile.h
  COMMENT "Building the .rle sprite caches to install")
add_custom_target(rle_cache ALL DEPENDS ${QM_RLE_CACHE_DIR}/.built)
add_dependencies(rle_cache quillmark forge_data)

set(QM_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(OUTPUT ${QM_ICON_DIR}/.painted
  COMMAND qmicons ${QM_ICON_DIR} ${QM_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${QM_ICON_DIR}/.painted
  DEPENDS qmicons
  COMMENT "Painting the desktop icons")
add_custom_target(app_icons ALL DEPENDS ${QM_ICON_DIR}/.painted)

configure_file(${CMAKE_SOURCE_DIR}/packaging/quillmark.desktop.in ${QM_PACKAGING_DIR}/${QM_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/quillmark.metainfo.xml.in
               ${QM_PACKAGING_DIR}/${QM_APP_ID}.metainfo.xml @ONLY)

install(TARGETS quillmark RUNTIME DESTINATION ${QM_INSTALL_HOME})
# What the game writes at run time stays out, as do the caches of the build's own runs.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${QM_INSTALL_HOME}/data
  PATTERN .forged EXCLUDE
  PATTERN debug.txt EXCLUDE
  PATTERN crash.txt EXCLUDE
  PATTERN highscores.dat* EXCLUDE
  PATTERN editor-windows.ini EXCLUDE
  PATTERN *.tmp EXCLUDE
  PATTERN settings2*.txt EXCLUDE
  PATTERN *.rle EXCLUDE)
install(DIRECTORY ${QM_RLE_CACHE_DIR}/data/ DESTINATION ${QM_INSTALL_HOME}/data OPTIONAL
  FILES_MATCHING PATTERN *.rle)

file(RELATIVE_PATH QM_PROGRAM_LINK /${CMAKE_INSTALL_BINDIR} /${QM_INSTALL_HOME}/${QM_PROGRAM_NAME})
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  message(STATUS \"Linking: \${bin}/${QM_PROGRAM_NAME} -> ${QM_PROGRAM_LINK}\")
  file(CREATE_LINK ${QM_PROGRAM_LINK} \"\${bin}/${QM_PROGRAM_NAME}\" SYMBOLIC)
")

install(FILES ${QM_PACKAGING_DIR}/${QM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QM_PACKAGING_DIR}/${QM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${QM_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
