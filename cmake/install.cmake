# `cmake --install`: the game in <prefix>/ZARN_INSTALL_BINDIR, every data file
# it reads in <prefix>/ZARN_INSTALL_DATADIR (the game finds that folder from
# its executable's, so any prefix works and the player's working folder is
# left alone), a desktop entry, icons from 16 to 256 pixels and a scalable
# one drawn by our own tool from the window icon resource, AppStream metadata
# and the manual page. The Debian package (cmake/package.cmake) puts the game
# in games/ and its data in share/games/zarn, as Debian keeps games.
include(GNUInstallDirs)
set(ZARN_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where the game is installed, below the prefix")
set(ZARN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zarn CACHE STRING "Where its data is installed, below the prefix")
set(zarn_app_id org.zarngame.zarn)
set(zarn_generated ${CMAKE_BINARY_DIR}/generated)

file(RELATIVE_PATH zarn_bin_to_data /${ZARN_INSTALL_BINDIR} /${ZARN_INSTALL_DATADIR})
configure_file(${CMAKE_SOURCE_DIR}/cmake/install/install_layout.h.in ${zarn_generated}/platform/os/install_layout.h
               @ONLY)
target_include_directories(platform_os PRIVATE ${zarn_generated})

add_executable(zarn_make_icon ${CMAKE_SOURCE_DIR}/tools/icon/main.cpp)
target_include_directories(zarn_make_icon PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(zarn_make_icon PRIVATE platform_os)
set(zarn_icons ${zarn_generated}/icons)
add_custom_command(OUTPUT ${zarn_icons}/scalable/apps/${zarn_app_id}.svg
                   COMMAND ${CMAKE_COMMAND} -E rm -rf ${zarn_icons}
                   COMMAND zarn_make_icon ${zarn_icons} ${zarn_app_id} DEPENDS zarn_make_icon
                   COMMENT "Drawing the desktop icons" VERBATIM)
add_custom_target(zarn_desktop_icon ALL DEPENDS ${zarn_icons}/scalable/apps/${zarn_app_id}.svg)

# The manual page, compressed without a time stamp so that two builds agree.
set(ZARN_DATA_FOLDER ${CMAKE_INSTALL_PREFIX}/${ZARN_INSTALL_DATADIR})
configure_file(${CMAKE_SOURCE_DIR}/cmake/install/zarn.6 ${zarn_generated}/zarn.6 @ONLY)
add_custom_command(OUTPUT ${zarn_generated}/zarn.6.gz
                   COMMAND gzip -9nf -k ${zarn_generated}/zarn.6 DEPENDS ${zarn_generated}/zarn.6
                   COMMENT "Compressing the manual page" VERBATIM)
add_custom_target(zarn_manual ALL DEPENDS ${zarn_generated}/zarn.6.gz)

configure_file(${CMAKE_SOURCE_DIR}/cmake/install/zarn.desktop.in ${zarn_generated}/${zarn_app_id}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/install/zarn.metainfo.xml.in ${zarn_generated}/${zarn_app_id}.metainfo.xml
               @ONLY)

install(TARGETS zarn RUNTIME DESTINATION ${ZARN_INSTALL_BINDIR})
# The data the build laid out; not a player's INI or pictures from test runs.
install(DIRECTORY ${ZARN_RUN_DIR}/ DESTINATION ${ZARN_INSTALL_DATADIR}
        FILES_MATCHING PATTERN "*.x" PATTERN "*.wav" PATTERN "*.mid" PATTERN "demo.dat")
install(FILES ${zarn_generated}/${zarn_app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zarn_generated}/${zarn_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${zarn_icons}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${zarn_generated}/zarn.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

option(ZARN_PACKAGE "Configure the Debian package (scripts/package)" OFF)
if(ZARN_PACKAGE)
  include(${CMAKE_SOURCE_DIR}/cmake/package.cmake)
endif()
