# The game's 43 model files. Our own tool builds them at build time from the
# readable sources in assets/models and writes them into the run folder,
# where the game loads them by name.

# The shapes, the source reader and the .x writer, shared by the tool and
# its tests.
file(GLOB zarn_model_kit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/models/*.cpp)
list(REMOVE_ITEM zarn_model_kit_sources ${CMAKE_SOURCE_DIR}/tools/models/main.cpp
     ${CMAKE_SOURCE_DIR}/tools/models/preview.cpp)
add_library(zarn_model_kit STATIC ${zarn_model_kit_sources})
target_include_directories(zarn_model_kit PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools)

add_executable(zarn_make_models ${CMAKE_SOURCE_DIR}/tools/models/main.cpp)
target_link_libraries(zarn_make_models PRIVATE zarn_model_kit)

set(zarn_model_names
  base body arm1 arm2 shbl tireL tireR
  ci ci2 cb cr cf mi mi2 mb mr mf sbd sbm sbu si si2 sf
  cup in glass gc car-c car-m car-s
  dish cake cake2 spn t1 t2 t3 t4 t5
  table-A table-B table-C table-D)

set(zarn_model_files "")
foreach(name IN LISTS zarn_model_names)
  list(APPEND zarn_model_files ${ZARN_RUN_DIR}/${name}.x)
endforeach()

file(GLOB zarn_model_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/assets/models/*.model ${CMAKE_SOURCE_DIR}/assets/models/*.colours)
add_custom_command(
  OUTPUT ${zarn_model_files}
  COMMAND zarn_make_models ${CMAKE_SOURCE_DIR}/assets/models ${ZARN_RUN_DIR}
  DEPENDS zarn_make_models ${zarn_model_sources}
  COMMENT "Building the model files"
  VERBATIM)
add_custom_target(zarn_models DEPENDS ${zarn_model_files})

add_dependencies(zarn_run_data zarn_models)

# The model tests read the built files and test the kit; the test programs
# are defined later.
function(zarn_models_for_tests)
  if(TARGET test_tools)
    add_dependencies(test_tools zarn_models)
    target_link_libraries(test_tools PRIVATE zarn_model_kit)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zarn_models_for_tests)

# Pictures of the built models drawn by the game's renderer, for looking at
# them while working on the sources; not part of the build.
add_executable(zarn_model_preview EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/models/preview.cpp)
target_link_libraries(zarn_model_preview PRIVATE platform_rm platform_os)
