# The few services that differ between the desktop and the browser have a
# file of each kind: NAME_native.cpp for the desktop, NAME_web.cpp for the
# browser. A build takes its own kind only; nothing else tells them apart.
if(EMSCRIPTEN)
  set(ZARN_OTHER_PLATFORM_FILES "_native\\.cpp$")
else()
  set(ZARN_OTHER_PLATFORM_FILES "_web\\.cpp$")
endif()

# zarn_module(NAME DIR [FLAT] [EXCEPT files...] [PUBLIC deps...] [PRIVATE deps...]):
# the library of one layer, every .cpp under DIR but those EXCEPT names
# (relative to DIR); only DIR's own files with FLAT, where its subfolders are
# layers of their own.
#
# A layer's headers are reached only through an include root of its own,
# build/layers/NAME, which holds nothing but a link named like DIR below src/
# (so "platform/rm/frame.h" still reads as it does in the tree). A library
# therefore sees its own headers and those of the libraries it links, and an
# include of a layer above it does not resolve: the build, not only
# scripts/layers, keeps the layers in order. Link a lower layer PRIVATE when
# only the layer's sources use it, PUBLIC when the layer's own headers
# include it (and say so beside it).
#
# An include that climbs with ".." would go round the roots (the compiler
# looks beside the including file first), so every layer's files are checked
# for one before the layer is built (cmake/IncludesStayInRoots.cmake).
#
# A folder without sources yet becomes an interface library, so that the
# targets that name it still link while the service is being written.
function(zarn_module name dir)
  cmake_parse_arguments(PARSE_ARGV 2 arg "FLAT" "" "EXCEPT;PUBLIC;PRIVATE")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zarn_module(${name}): say whether ${arg_UNPARSED_ARGUMENTS} is PUBLIC or PRIVATE")
  endif()
  set(folder ${CMAKE_SOURCE_DIR}/${dir})
  file(RELATIVE_PATH below_src ${CMAKE_SOURCE_DIR}/src ${folder})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  if(arg_FLAT)
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    file(GLOB files CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    foreach(file IN LISTS files)
      get_filename_component(file_name ${file} NAME)
      zarn_link_into_root(${file} ${root}/${below_src}/${file_name})
    endforeach()
  else()
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    zarn_link_into_root(${folder} ${root}/${below_src})
  endif()
  foreach(file IN LISTS arg_EXCEPT)
    list(REMOVE_ITEM sources ${folder}/${file})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "${ZARN_OTHER_PLATFORM_FILES}")

  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${arg_PUBLIC} ${arg_PRIVATE})
  endif()
  zarn_check_includes(${name} ${dir} ${arg_FLAT} "${files}")
endfunction()

# A symbolic link at link_path to target, made at configure time.
function(zarn_link_into_root target link_path)
  get_filename_component(parent ${link_path} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${target} ${link_path} SYMBOLIC)
endfunction()

# Before NAME is built (and in every whole build, for a layer of headers
# only), the files of its folder are checked for includes that climb out of
# the include roots with "..", again whenever one of them changes.
function(zarn_check_includes name dir flat files)
  set(stamp ${CMAKE_BINARY_DIR}/layers/${name}.includes-checked)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${CMAKE_SOURCE_DIR}/${dir} -DFLAT=${flat} -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/IncludesStayInRoots.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/IncludesStayInRoots.cmake
    COMMENT "Checking the includes of ${dir}"
    VERBATIM)
  add_custom_target(${name}_includes ALL DEPENDS ${stamp})
  get_target_property(type ${name} TYPE)
  if(NOT type STREQUAL INTERFACE_LIBRARY)
    add_dependencies(${name} ${name}_includes)
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
