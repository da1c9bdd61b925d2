# cmake -DFOLDER=... -DFLAT=ON|OFF -DSTAMP=... -P IncludesStayInRoots.cmake
# Fails when a file of FOLDER (its own files only, with FLAT) includes a
# quoted path with "..": the compiler looks beside the including file before
# the include roots, so such an include could reach any layer. On success it
# touches STAMP, so that the build checks again only when a file changes.
if(FLAT)
  file(GLOB files ${FOLDER}/*.h ${FOLDER}/*.cpp)
else()
  file(GLOB_RECURSE files ${FOLDER}/*.h ${FOLDER}/*.cpp)
endif()

set(climbing "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*\\.\\.")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    list(APPEND climbing "${file}: ${line}")
  endforeach()
endforeach()

if(climbing)
  list(JOIN climbing "\n  " report)
  message(FATAL_ERROR "Includes may not climb with \"..\"; name the file from its layer's folder, "
                      "as in \"platform/rm/frame.h\":\n  ${report}")
endif()
file(TOUCH ${STAMP})
