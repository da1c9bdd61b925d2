# Resources built into the executable: the window icon and the overlay
# bitmaps. Our own tool draws them at build time from the text sources in
# assets/bitmaps; a script then embeds the BMP files as byte arrays in the
# zarn_resources library, which platform/os/resources.cpp searches by id.

file(GLOB zarn_bitmap_tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bitmaps/*.cpp)
add_executable(zarn_make_bitmaps ${zarn_bitmap_tool_sources})
target_include_directories(zarn_make_bitmaps PRIVATE ${CMAKE_SOURCE_DIR}/src)

set(zarn_bitmap_out ${CMAKE_BINARY_DIR}/generated/bitmaps)
# Resource id and the file the tool writes for it.
set(zarn_bitmap_resources 101=icon 110=key_guide 112=order_panel 116=font 117=checker)

set(zarn_bitmap_files "")
set(zarn_resource_pairs "")
foreach(entry IN LISTS zarn_bitmap_resources)
  string(REPLACE "=" ";" parts ${entry})
  list(GET parts 0 id)
  list(GET parts 1 name)
  list(APPEND zarn_bitmap_files ${zarn_bitmap_out}/${name}.bmp)
  list(APPEND zarn_resource_pairs "${id}=${zarn_bitmap_out}/${name}.bmp")
endforeach()
string(REPLACE ";" "," zarn_resource_pairs "${zarn_resource_pairs}")

file(GLOB zarn_bitmap_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/bitmaps/*.txt)
add_custom_command(
  OUTPUT ${zarn_bitmap_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zarn_bitmap_out}
  COMMAND zarn_make_bitmaps ${CMAKE_SOURCE_DIR}/assets/bitmaps ${zarn_bitmap_out}
  DEPENDS zarn_make_bitmaps ${zarn_bitmap_sources}
  COMMENT "Drawing the built-in bitmaps"
  VERBATIM)

set(zarn_resources_source ${CMAKE_BINARY_DIR}/generated/resources_data.cpp)
add_custom_command(
  OUTPUT ${zarn_resources_source}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${zarn_resources_source} -DRESOURCES=${zarn_resource_pairs}
          -P ${CMAKE_SOURCE_DIR}/tools/bitmaps/embed_resources.cmake
  DEPENDS ${zarn_bitmap_files} ${CMAKE_SOURCE_DIR}/tools/bitmaps/embed_resources.cmake
  COMMENT "Embedding the built-in bitmaps"
  VERBATIM)

add_library(zarn_resources STATIC ${zarn_resources_source})
# Only for the ResourceEntry declaration; no link dependency on the OS layer.
target_include_directories(zarn_resources PRIVATE ${CMAKE_SOURCE_DIR}/src)
