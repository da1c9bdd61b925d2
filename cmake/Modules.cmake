# The few services that differ between the desktop and the browser have a
# file of each kind: NAME_native.cpp for the desktop, NAME_web.cpp for the
# browser. A build takes its own kind only; nothing else tells them apart.
if(EMSCRIPTEN)
  set(ZARN_OTHER_PLATFORM_FILES "_native\\.cpp$")
else()
  set(ZARN_OTHER_PLATFORM_FILES "_web\\.cpp$")
endif()

# zarn_module(NAME DIR DEPS...): a static library of every .cpp under DIR.
# A folder without sources yet becomes an interface library, so that the
# targets that name it still link while the service is being written.
function(zarn_module name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "${ZARN_OTHER_PLATFORM_FILES}")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# zarn_asset_files(TARGET TOOL FOLDER SOURCE_EXT OUTPUT_EXT COMMENT NAMES...):
# at build time TOOL turns each assets/FOLDER/NAME.SOURCE_EXT into the run
# folder's NAME.OUTPUT_EXT (arguments: pairs of source and output), as part
# of the run folder's data.
function(zarn_asset_files target tool folder sourceExt outputExt comment)
  set(files "")
  set(sources "")
  set(arguments "")
  foreach(name IN LISTS ARGN)
    set(source ${CMAKE_SOURCE_DIR}/assets/${folder}/${name}.${sourceExt})
    set(output ${ZARN_RUN_DIR}/${name}.${outputExt})
    list(APPEND files ${output})
    list(APPEND sources ${source})
    list(APPEND arguments ${source} ${output})
  endforeach()
  add_custom_command(
    OUTPUT ${files}
    COMMAND ${tool} ${arguments}
    DEPENDS ${tool} ${sources}
    COMMENT "${comment}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${files})
  add_dependencies(zarn_run_data ${target})
endfunction()
