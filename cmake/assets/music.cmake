# The game's three music files. Our own tool writes them at build time from
# the note lists in assets/music into the run folder, where the game loads
# them by name.

add_library(zarn_music_writer STATIC
  ${CMAKE_SOURCE_DIR}/tools/music/note_list.cpp
  ${CMAKE_SOURCE_DIR}/tools/music/midi_writer.cpp)
target_include_directories(zarn_music_writer PUBLIC ${CMAKE_SOURCE_DIR}/tools/music)

add_executable(zarn_make_music ${CMAKE_SOURCE_DIR}/tools/music/main.cpp)
target_include_directories(zarn_make_music PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(zarn_make_music PRIVATE zarn_music_writer)

set(zarn_music_names bgm1 bgm2 bgm3)
set(zarn_music_files "")
set(zarn_music_sources "")
set(zarn_music_arguments "")
foreach(name IN LISTS zarn_music_names)
  list(APPEND zarn_music_files ${ZARN_RUN_DIR}/${name}.mid)
  list(APPEND zarn_music_sources ${CMAKE_SOURCE_DIR}/assets/music/${name}.txt)
  list(APPEND zarn_music_arguments
    ${CMAKE_SOURCE_DIR}/assets/music/${name}.txt ${ZARN_RUN_DIR}/${name}.mid)
endforeach()

add_custom_command(
  OUTPUT ${zarn_music_files}
  COMMAND zarn_make_music ${zarn_music_arguments}
  DEPENDS zarn_make_music ${zarn_music_sources}
  COMMENT "Building the music files"
  VERBATIM)
add_custom_target(zarn_music DEPENDS ${zarn_music_files})

if(NOT TARGET zarn_run_data)
  add_custom_target(zarn_run_data ALL)
endif()
add_dependencies(zarn_run_data zarn_music)

# The music tests read the built files and check the writer itself; the test
# programs are defined later.
function(zarn_music_for_tests)
  foreach(test IN ITEMS test_platform_music test_audio)
    if(TARGET ${test})
      add_dependencies(${test} zarn_music)
    endif()
  endforeach()
  if(TARGET test_platform_music)
    target_link_libraries(test_platform_music PRIVATE zarn_music_writer)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zarn_music_for_tests)
