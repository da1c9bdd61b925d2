# The attract demo, demo.dat. The game records it itself: the build lets the
# autopilot play stage 2 (coffee into the cup and into the glass) headless,
# ends the run as the result screen opens, and the run's --save-demo writes
# the recording. Headless runs keep a virtual clock, so the file comes
# out the same on every machine.
#
# The game reads its INI file and writes demo.dat beside its own executable,
# so the run uses a copy of the built game in a scratch folder of the build
# tree with an INI of a fixed speed (no calibration); its working folder is
# the run folder, for the models.

set(zarn_demo_scratch ${CMAKE_BINARY_DIR}/generated/demo)
set(zarn_demo_ini ${CMAKE_BINARY_DIR}/generated/demo-zarn.ini)
set(zarn_demo_file ${ZARN_RUN_DIR}/demo.dat)
file(WRITE ${zarn_demo_ini} "[Zarn_Section]\nSPEED=100\n")
# The recording plays on the models: record again when their sources change
# (the target zarn_run_data orders the builds but carries no file times).
file(GLOB zarn_demo_model_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/models/*)

add_custom_command(
  OUTPUT ${zarn_demo_file}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zarn_demo_scratch}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zarn_demo_scratch}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zarn> ${zarn_demo_scratch}/zarn
  COMMAND ${CMAKE_COMMAND} -E copy ${zarn_demo_ini} ${zarn_demo_scratch}/zarn.ini
  # The autopilot ends the run after the stage; --turns only bounds one that
  # would not.
  COMMAND ${CMAKE_COMMAND} -E chdir ${ZARN_RUN_DIR}
          ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=dummy
          ${zarn_demo_scratch}/zarn --headless --warp 2 --turns 20000 --autopilot --autopilot-stages 1 --save-demo
  COMMAND ${CMAKE_COMMAND} -E copy ${zarn_demo_scratch}/demo.dat ${zarn_demo_file}
  DEPENDS zarn zarn_run_data ${zarn_demo_model_sources}
  COMMENT "Recording the attract demo"
  VERBATIM)
# Not zarn_run_data: the game itself depends on that one.
add_custom_target(zarn_demo ALL DEPENDS ${zarn_demo_file})

# The demo tests read the built file; the test programs are defined later.
function(zarn_demo_for_tests)
  if(TARGET test_demo)
    add_dependencies(test_demo zarn_demo)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zarn_demo_for_tests)
