# Build switches for finding faults rather than for playing:
#   ZARN_SANITIZE=address,undefined  instruments everything with those
#                                    sanitizers (any compiler that has them)
#   ZARN_WERROR=ON                   warnings fail the build (CI)
#   ZARN_FUZZ=ON                     clang only: the libFuzzer harnesses under
#                                    fuzz/, every library instrumented for them
set(ZARN_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
option(ZARN_WERROR "Treat warnings as errors" OFF)
option(ZARN_FUZZ "Build the libFuzzer harnesses (clang)" OFF)

if(ZARN_WERROR)
  add_compile_options(-Werror)
endif()

# A sanitizer finding stops the program, so that no test can pass over it.
if(ZARN_SANITIZE)
  add_compile_options(-fsanitize=${ZARN_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${ZARN_SANITIZE})
endif()

if(ZARN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZARN_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
