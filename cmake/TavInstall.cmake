# Installation the usual Unix way. cmake --install <build> --prefix P puts
#   P/bin/Tavrel              the program; it finds the weather library through its RUNPATH
#                             $ORIGIN/../lib/tavrel
#   P/lib/tavrel/libKlimgen1_1.so
#                             the weather library, private to the program
#   P/share/tavrel/           the delivered files: the language files (the help pages are
#                             compiled into the program)
#   P/share/applications/, P/share/icons/hicolor/scalable/apps/, P/share/metainfo/
#                             the desktop entry, the icon and the AppStream metadata
# The installed program keeps its data in the user's data folder (~/.local/share/Tavrel),
# never in its installation (foundation/Folders.h).
include(GNUInstallDirs)

# The program names its desktop entry, so that the desktop shows the entry's icon and name for its windows.
target_compile_definitions(Tavrel PRIVATE TAV_APP_ID="${TAV_APP_ID}")
set(tav_install_datadir ${CMAKE_INSTALL_DATADIR}/tavrel)

# The program looks for its delivered files relative to its own folder (foundation/Folders.cpp).
file(RELATIVE_PATH tav_liefer_relativ ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/tavrel)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/foundation/Folders.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS TAV_LIEFER_RELATIV="${tav_liefer_relativ}")

# The weather library is loaded by the program alone: it goes to the program's own library
# folder, not to the public one, where an unversioned SONAME without header or pkg-config
# file would offer other programs an interface nobody keeps stable. The program finds it
# through its RUNPATH, relative to its own folder, so the installation can be moved; in the
# build folder it keeps the build RPATH to the library's build folder.
set(tav_install_libdir ${CMAKE_INSTALL_LIBDIR}/tavrel)
file(RELATIVE_PATH tav_lib_relativ ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/tavrel)
set_target_properties(Tavrel PROPERTIES INSTALL_RPATH "$ORIGIN/${tav_lib_relativ}")
install(TARGETS Tavrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
get_target_property(tav_klimgen_typ Klimgen1_1 TYPE)
if(tav_klimgen_typ STREQUAL "SHARED_LIBRARY")
  install(TARGETS Klimgen1_1 LIBRARY DESTINATION ${tav_install_libdir})
endif()

file(GLOB tav_install_languages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/lang/*.dat)
install(FILES ${tav_install_languages} DESTINATION ${tav_install_datadir})

# The desktop entry, the icon (drawn by scripts/draw_pictures.py) and the AppStream metadata,
# named by the application's id; the metadata carries the project's version and its release
# date. The entry's StartupWMClass is the program's X11 window class, its application name.
set(tav_desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
configure_file(${tav_desktop}/${TAV_APP_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/${TAV_APP_ID}.metainfo.xml @ONLY)
install(FILES ${tav_desktop}/${TAV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tav_desktop}/${TAV_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/${TAV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
