# The game's eighteen sound effects. Our own synthesizer writes them at build
# time from the descriptions in assets/sounds into the run folder, where the
# game loads them by name.

add_library(zarn_sound_synth STATIC
  ${CMAKE_SOURCE_DIR}/tools/sounds/sound_source.cpp
  ${CMAKE_SOURCE_DIR}/tools/sounds/synth.cpp
  ${CMAKE_SOURCE_DIR}/tools/sounds/wav_writer.cpp)
target_include_directories(zarn_sound_synth PUBLIC ${CMAKE_SOURCE_DIR}/tools/sounds)

add_executable(zarn_make_sounds ${CMAKE_SOURCE_DIR}/tools/sounds/main.cpp)
target_include_directories(zarn_make_sounds PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(zarn_make_sounds PRIVATE zarn_sound_synth)

zarn_asset_files(zarn_sounds zarn_make_sounds sounds txt wav "Building the sound effects"
  W1 W2 W3 W4 W5 W6 W7 W8 W9 W10 W11 W12 W13 W14 W15 W16 WA WB)

# The audio tests load the built files and check the synthesizer; the test
# programs are defined later.
function(zarn_sounds_for_tests)
  if(TARGET test_audio)
    add_dependencies(test_audio zarn_sounds)
    target_link_libraries(test_audio PRIVATE zarn_sound_synth)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zarn_sounds_for_tests)
