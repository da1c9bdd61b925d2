#pragma once
// Result codes of the retained-mode scene. The values are those the game
// reports by name, so they keep the original facility and numbering.
#include "platform/result.h"

namespace platform::rm {

// X(Identifier, NAME, code): one entry per code, in numbering order. A name
// table is made by expanding the list with a macro of one's own.
#define PLATFORM_RM_RESULTS(X)             \
  X(BadObject, BADOBJECT, 781)             \
  X(BadType, BADTYPE, 782)                 \
  X(BadAlloc, BADALLOC, 783)               \
  X(FaceUsed, FACEUSED, 784)               \
  X(NotFound, NOTFOUND, 785)               \
  X(NotDoneYet, NOTDONEYET, 786)           \
  X(FileNotFound, FILENOTFOUND, 787)       \
  X(BadFile, BADFILE, 788)                 \
  X(BadDevice, BADDEVICE, 789)             \
  X(BadValue, BADVALUE, 790)               \
  X(BadMajorVersion, BADMAJORVERSION, 791) \
  X(BadMinorVersion, BADMINORVERSION, 792) \
  X(UnableToExecute, UNABLETOEXECUTE, 793)

#define PLATFORM_RM_RESULT_CONSTANT(id, name, code) constexpr HResult kErr##id = MakeDDHResult(code);
PLATFORM_RM_RESULTS(PLATFORM_RM_RESULT_CONSTANT)
#undef PLATFORM_RM_RESULT_CONSTANT

}  // namespace platform::rm
