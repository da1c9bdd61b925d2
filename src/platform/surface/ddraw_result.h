#pragma once
// The result codes of the 2D display service, with the values its public
// headers give them. The list is an X-macro so that a caller can build a
// code-to-name table from it:
//   #define ROW(name, value) {value, #name},
//   PLATFORM_DDRAW_RESULTS(ROW)
// Five of the names stand for COM's generic codes, as the headers alias them.
#include "platform/result.h"

#define PLATFORM_DDRAW_RESULTS(X)                                       \
  X(DDERR_UNSUPPORTED, ::platform::kENotImpl)                           \
  X(DDERR_GENERIC, ::platform::kEFail)                                  \
  X(DDERR_NOTINITIALIZED, ::platform::kCoENotInitialized)               \
  X(DDERR_OUTOFMEMORY, ::platform::kEOutOfMemory)                       \
  X(DDERR_INVALIDPARAMS, ::platform::kEInvalidArg)                      \
  X(DDERR_ALREADYINITIALIZED, ::platform::MakeDDHResult(5))             \
  X(DDERR_CANNOTATTACHSURFACE, ::platform::MakeDDHResult(10))           \
  X(DDERR_CANNOTDETACHSURFACE, ::platform::MakeDDHResult(20))           \
  X(DDERR_CURRENTLYNOTAVAIL, ::platform::MakeDDHResult(40))             \
  X(DDERR_EXCEPTION, ::platform::MakeDDHResult(55))                     \
  X(DDERR_HEIGHTALIGN, ::platform::MakeDDHResult(90))                   \
  X(DDERR_INCOMPATIBLEPRIMARY, ::platform::MakeDDHResult(95))           \
  X(DDERR_INVALIDCAPS, ::platform::MakeDDHResult(100))                  \
  X(DDERR_INVALIDCLIPLIST, ::platform::MakeDDHResult(110))              \
  X(DDERR_INVALIDMODE, ::platform::MakeDDHResult(120))                  \
  X(DDERR_INVALIDOBJECT, ::platform::MakeDDHResult(130))                \
  X(DDERR_INVALIDPIXELFORMAT, ::platform::MakeDDHResult(145))           \
  X(DDERR_INVALIDRECT, ::platform::MakeDDHResult(150))                  \
  X(DDERR_LOCKEDSURFACES, ::platform::MakeDDHResult(160))               \
  X(DDERR_NO3D, ::platform::MakeDDHResult(170))                         \
  X(DDERR_NOALPHAHW, ::platform::MakeDDHResult(180))                    \
  X(DDERR_NOCLIPLIST, ::platform::MakeDDHResult(205))                   \
  X(DDERR_NOCOLORCONVHW, ::platform::MakeDDHResult(210))                \
  X(DDERR_NOCOOPERATIVELEVELSET, ::platform::MakeDDHResult(212))        \
  X(DDERR_NOCOLORKEY, ::platform::MakeDDHResult(215))                   \
  X(DDERR_NOCOLORKEYHW, ::platform::MakeDDHResult(220))                 \
  X(DDERR_NODIRECTDRAWSUPPORT, ::platform::MakeDDHResult(222))          \
  X(DDERR_NOEXCLUSIVEMODE, ::platform::MakeDDHResult(225))              \
  X(DDERR_NOFLIPHW, ::platform::MakeDDHResult(230))                     \
  X(DDERR_NOGDI, ::platform::MakeDDHResult(240))                        \
  X(DDERR_NOMIRRORHW, ::platform::MakeDDHResult(250))                   \
  X(DDERR_NOTFOUND, ::platform::MakeDDHResult(255))                     \
  X(DDERR_NOOVERLAYHW, ::platform::MakeDDHResult(260))                  \
  X(DDERR_NORASTEROPHW, ::platform::MakeDDHResult(280))                 \
  X(DDERR_NOROTATIONHW, ::platform::MakeDDHResult(290))                 \
  X(DDERR_NOSTRETCHHW, ::platform::MakeDDHResult(310))                  \
  X(DDERR_NOT4BITCOLOR, ::platform::MakeDDHResult(316))                 \
  X(DDERR_NOT4BITCOLORINDEX, ::platform::MakeDDHResult(317))            \
  X(DDERR_NOT8BITCOLOR, ::platform::MakeDDHResult(320))                 \
  X(DDERR_NOTEXTUREHW, ::platform::MakeDDHResult(330))                  \
  X(DDERR_NOVSYNCHW, ::platform::MakeDDHResult(335))                    \
  X(DDERR_NOZBUFFERHW, ::platform::MakeDDHResult(340))                  \
  X(DDERR_NOZOVERLAYHW, ::platform::MakeDDHResult(350))                 \
  X(DDERR_OUTOFCAPS, ::platform::MakeDDHResult(360))                    \
  X(DDERR_OUTOFVIDEOMEMORY, ::platform::MakeDDHResult(380))             \
  X(DDERR_OVERLAYCANTCLIP, ::platform::MakeDDHResult(382))              \
  X(DDERR_OVERLAYCOLORKEYONLYONEACTIVE, ::platform::MakeDDHResult(384)) \
  X(DDERR_PALETTEBUSY, ::platform::MakeDDHResult(387))                  \
  X(DDERR_COLORKEYNOTSET, ::platform::MakeDDHResult(400))               \
  X(DDERR_SURFACEALREADYATTACHED, ::platform::MakeDDHResult(410))       \
  X(DDERR_SURFACEALREADYDEPENDENT, ::platform::MakeDDHResult(420))      \
  X(DDERR_SURFACEBUSY, ::platform::MakeDDHResult(430))                  \
  X(DDERR_CANTLOCKSURFACE, ::platform::MakeDDHResult(435))              \
  X(DDERR_SURFACEISOBSCURED, ::platform::MakeDDHResult(440))            \
  X(DDERR_SURFACELOST, ::platform::MakeDDHResult(450))                  \
  X(DDERR_SURFACENOTATTACHED, ::platform::MakeDDHResult(460))           \
  X(DDERR_TOOBIGHEIGHT, ::platform::MakeDDHResult(470))                 \
  X(DDERR_TOOBIGSIZE, ::platform::MakeDDHResult(480))                   \
  X(DDERR_TOOBIGWIDTH, ::platform::MakeDDHResult(490))                  \
  X(DDERR_UNSUPPORTEDFORMAT, ::platform::MakeDDHResult(510))            \
  X(DDERR_UNSUPPORTEDMASK, ::platform::MakeDDHResult(520))              \
  X(DDERR_VERTICALBLANKINPROGRESS, ::platform::MakeDDHResult(537))      \
  X(DDERR_WASSTILLDRAWING, ::platform::MakeDDHResult(540))              \
  X(DDERR_XALIGN, ::platform::MakeDDHResult(560))                       \
  X(DDERR_INVALIDDIRECTDRAWGUID, ::platform::MakeDDHResult(561))        \
  X(DDERR_DIRECTDRAWALREADYCREATED, ::platform::MakeDDHResult(562))     \
  X(DDERR_NODIRECTDRAWHW, ::platform::MakeDDHResult(563))               \
  X(DDERR_PRIMARYSURFACEALREADYEXISTS, ::platform::MakeDDHResult(564))  \
  X(DDERR_NOEMULATION, ::platform::MakeDDHResult(565))                  \
  X(DDERR_REGIONTOOSMALL, ::platform::MakeDDHResult(566))               \
  X(DDERR_CLIPPERISUSINGHWND, ::platform::MakeDDHResult(567))           \
  X(DDERR_NOCLIPPERATTACHED, ::platform::MakeDDHResult(568))            \
  X(DDERR_NOHWND, ::platform::MakeDDHResult(569))                       \
  X(DDERR_HWNDSUBCLASSED, ::platform::MakeDDHResult(570))               \
  X(DDERR_HWNDALREADYSET, ::platform::MakeDDHResult(571))               \
  X(DDERR_NOPALETTEATTACHED, ::platform::MakeDDHResult(572))            \
  X(DDERR_NOPALETTEHW, ::platform::MakeDDHResult(573))                  \
  X(DDERR_BLTFASTCANTCLIP, ::platform::MakeDDHResult(574))              \
  X(DDERR_NOBLTHW, ::platform::MakeDDHResult(575))                      \
  X(DDERR_NODDROPSHW, ::platform::MakeDDHResult(576))                   \
  X(DDERR_OVERLAYNOTVISIBLE, ::platform::MakeDDHResult(577))            \
  X(DDERR_NOOVERLAYDEST, ::platform::MakeDDHResult(578))                \
  X(DDERR_INVALIDPOSITION, ::platform::MakeDDHResult(579))              \
  X(DDERR_NOTAOVERLAYSURFACE, ::platform::MakeDDHResult(580))           \
  X(DDERR_EXCLUSIVEMODEALREADYSET, ::platform::MakeDDHResult(581))      \
  X(DDERR_NOTFLIPPABLE, ::platform::MakeDDHResult(582))                 \
  X(DDERR_CANTDUPLICATE, ::platform::MakeDDHResult(583))                \
  X(DDERR_NOTLOCKED, ::platform::MakeDDHResult(584))                    \
  X(DDERR_CANTCREATEDC, ::platform::MakeDDHResult(585))                 \
  X(DDERR_NODC, ::platform::MakeDDHResult(586))                         \
  X(DDERR_WRONGMODE, ::platform::MakeDDHResult(587))                    \
  X(DDERR_IMPLICITLYCREATED, ::platform::MakeDDHResult(588))            \
  X(DDERR_NOTPALETTIZED, ::platform::MakeDDHResult(589))                \
  X(DDERR_UNSUPPORTEDMODE, ::platform::MakeDDHResult(590))              \
  X(DDERR_NOMIPMAPHW, ::platform::MakeDDHResult(591))                   \
  X(DDERR_INVALIDSURFACETYPE, ::platform::MakeDDHResult(592))           \
  X(DDERR_DCALREADYCREATED, ::platform::MakeDDHResult(620))             \
  X(DDERR_CANTPAGELOCK, ::platform::MakeDDHResult(640))                 \
  X(DDERR_CANTPAGEUNLOCK, ::platform::MakeDDHResult(660))               \
  X(DDERR_NOTPAGELOCKED, ::platform::MakeDDHResult(680))

namespace platform::surface {

constexpr HResult DD_OK = kOk;

#define PLATFORM_DDRAW_RESULT_CONSTANT(name, value) constexpr HResult name = value;
PLATFORM_DDRAW_RESULTS(PLATFORM_DDRAW_RESULT_CONSTANT)
#undef PLATFORM_DDRAW_RESULT_CONSTANT

// How many codes the list holds.
#define PLATFORM_DDRAW_RESULT_COUNT_ONE(name, value) +1
constexpr int kDDrawResultCount = 0 PLATFORM_DDRAW_RESULTS(PLATFORM_DDRAW_RESULT_COUNT_ONE);
#undef PLATFORM_DDRAW_RESULT_COUNT_ONE

}  // namespace platform::surface
