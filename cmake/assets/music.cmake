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

zarn_asset_files(zarn_music zarn_make_music music txt mid "Building the music files" bgm1 bgm2 bgm3)

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
