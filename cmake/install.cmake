# `cmake --install`: the game and every data file it reads in one folder,
# <prefix>/lib/zarn (it reads its data from the working folder and its INI and
# demo.dat beside itself), a bin/zarn launcher that starts it there, and a
# desktop entry whose icon our own tool draws from the window icon resource.
include(GNUInstallDirs)
set(zarn_game_dir ${CMAKE_INSTALL_LIBDIR}/zarn)

add_executable(zarn_make_icon ${CMAKE_SOURCE_DIR}/tools/icon/main.cpp)
target_include_directories(zarn_make_icon PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(zarn_make_icon PRIVATE platform_os)
set(zarn_icon ${CMAKE_BINARY_DIR}/generated/zarn.png)
add_custom_command(OUTPUT ${zarn_icon} COMMAND zarn_make_icon ${zarn_icon} DEPENDS zarn_make_icon
                   COMMENT "Drawing the desktop icon" VERBATIM)
add_custom_target(zarn_desktop_icon ALL DEPENDS ${zarn_icon})

file(RELATIVE_PATH zarn_bin_to_game /${CMAKE_INSTALL_BINDIR} /${zarn_game_dir})
configure_file(${CMAKE_SOURCE_DIR}/cmake/install/zarn.in ${CMAKE_BINARY_DIR}/generated/zarn-launcher @ONLY)

install(TARGETS zarn RUNTIME DESTINATION ${zarn_game_dir})
# The data the build laid out; not a player's INI or pictures from test runs.
install(DIRECTORY ${ZARN_RUN_DIR}/ DESTINATION ${zarn_game_dir}
        FILES_MATCHING PATTERN "*.x" PATTERN "*.wav" PATTERN "*.mid" PATTERN "demo.dat")
install(PROGRAMS ${CMAKE_BINARY_DIR}/generated/zarn-launcher DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME zarn)
# The desktop entry names the launcher by its full path, known only at
# install time (--prefix).
install(CODE "
  set(zarn_exec \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zarn\")
  set(zarn_entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/zarn.desktop\")
  message(STATUS \"Installing: \${zarn_entry}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/cmake/install/zarn.desktop.in\" \"\${zarn_entry}\" @ONLY)")
install(FILES ${zarn_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
