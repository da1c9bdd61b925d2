# The browser build (scripts/web): Emscripten stands in for the desktop's
# libraries under the same target names, so the rest of the build is the
# desktop's. C libraries come from Debian's own sources, built by
# scripts/web-libs (ZARN_WEB_SDL2, ZARN_WEB_ZLIB, ZARN_WEB_PNG give their
# folders); FluidSynth is forwarded to the one npm's js-synthesizer ships.
# The data files are the desktop build's (ZARN_NATIVE_BUILD), made by our
# own tools there and packed beside the game.
set(ZARN_WEB_SDL2 "" CACHE PATH "SDL2 built for the browser")
set(ZARN_WEB_ZLIB "" CACHE PATH "zlib built for the browser")
set(ZARN_WEB_PNG "" CACHE PATH "libpng built for the browser")
set(ZARN_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "The desktop build whose data files are packed")
set(ZARN_WEB_SOUNDFONT /usr/share/sounds/sf2/TimGM6mb.sf2 CACHE FILEPATH "The SoundFont packed for the music")
foreach(folder ZARN_WEB_SDL2 ZARN_WEB_ZLIB ZARN_WEB_PNG ZARN_NATIVE_BUILD)
  if(NOT IS_DIRECTORY "${${folder}}")
    message(FATAL_ERROR "${folder} (${${folder}}) is no folder; build through scripts/web")
  endif()
endforeach()

# The desktop's x86 vector paths, through WebAssembly's SIMD; AVX2 has none.
add_compile_options(-msimd128 -msse2)

add_library(PkgConfig::SDL2 INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL2 INTERFACE ${ZARN_WEB_SDL2}/include/SDL2)
target_link_libraries(PkgConfig::SDL2 INTERFACE ${ZARN_WEB_SDL2}/lib/libSDL2.a)

add_library(PkgConfig::PNG INTERFACE IMPORTED)
target_include_directories(PkgConfig::PNG INTERFACE ${ZARN_WEB_PNG}/include ${ZARN_WEB_ZLIB}/include)
target_link_libraries(PkgConfig::PNG INTERFACE ${ZARN_WEB_PNG}/lib/libpng.a ${ZARN_WEB_ZLIB}/lib/libz.a)

add_library(PkgConfig::OPENAL INTERFACE IMPORTED)
target_link_options(PkgConfig::OPENAL INTERFACE -lopenal)

# FluidSynth's own header declares the calls; web/fluidsynth_forwarder.js
# answers them. Only that header is taken from the system's include folder.
set(zarn_fluid_include ${CMAKE_BINARY_DIR}/fluidsynth-include)
file(MAKE_DIRECTORY ${zarn_fluid_include})
file(CREATE_LINK /usr/include/fluidsynth.h ${zarn_fluid_include}/fluidsynth.h SYMBOLIC)
file(CREATE_LINK /usr/include/fluidsynth ${zarn_fluid_include}/fluidsynth SYMBOLIC)
add_library(PkgConfig::FLUIDSYNTH INTERFACE IMPORTED)
target_include_directories(PkgConfig::FLUIDSYNTH INTERFACE ${zarn_fluid_include})
target_link_options(PkgConfig::FLUIDSYNTH INTERFACE
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/web/fluidsynth_forwarder.js")

# The page has no X display to watch.
add_library(PkgConfig::X11 INTERFACE IMPORTED)

# The built-in bitmaps, as the desktop build embedded them.
add_library(zarn_resources STATIC ${ZARN_NATIVE_BUILD}/generated/resources_data.cpp)
target_include_directories(zarn_resources PRIVATE ${CMAKE_SOURCE_DIR}/src)

# Not an installed game: its files are beside it, in the packed folder.
set(zarn_bin_to_data "")
set(zarn_generated ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/install/install_layout.h.in ${zarn_generated}/platform/os/install_layout.h
               @ONLY)

function(zarn_web_page)
  target_include_directories(platform_os PRIVATE ${zarn_generated})
  set_target_properties(zarn PROPERTIES SUFFIX .js)
  # zarn.js and zarn.wasm with the data in zarn.data: the game's folder
  # (/zarn, its working folder) and the SoundFont where the desktop finds it.
  # The page (web/index.html) starts it through createZarn().
  target_link_options(zarn PRIVATE
    -sMODULARIZE=1 -sEXPORT_NAME=createZarn -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=134217728 -sTOTAL_STACK=5242880
    -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=131072 -sFORCE_FILESYSTEM=1 -lidbfs.js
    "-sEXPORTED_RUNTIME_METHODS=['FS','IDBFS','ENV']"
    "SHELL:--preload-file ${ZARN_NATIVE_BUILD}/run@/zarn"
    "SHELL:--exclude-file ${ZARN_NATIVE_BUILD}/run/zarn"
    "SHELL:--exclude-file ${ZARN_NATIVE_BUILD}/run/zarn.ini"
    "SHELL:--preload-file ${ZARN_WEB_SOUNDFONT}@${ZARN_WEB_SOUNDFONT}")
  set_property(TARGET zarn APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/fluidsynth_forwarder.js)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zarn_web_page)
