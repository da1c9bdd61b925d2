#pragma once
// What the spans and walks compiled for AVX-512 (F, VL and BW, with BMI2)
// need: whether they run, and the target they are compiled for.
#include <cstdlib>

#include "platform/rm/raster/blend_span_avx2.h"

#if defined(ZARN_HAVE_AVX2_SPANS)

// It brings FMA, but the build keeps the compiler from fusing a multiply and
// an add (see CMakeLists.txt), so every product and sum still rounds as in
// the plain build: a file that includes this with contraction on draws other
// depths.
#define ZARN_AVX512_TARGET "avx2,avx512f,avx512vl,avx512bw,bmi2"

namespace platform::rm::raster::avx512 {

// Whether the walks and spans for AVX-512 run; ZARN_NO_AVX512 in the
// environment keeps to the AVX2 ones (the golden pictures are checked both
// ways), ZARN_NO_AVX2 to the SSE2 ones.
inline bool Available() {
  static const bool available = [] {
    __builtin_cpu_init();
    return avx2::Available() && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
           __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2") && !std::getenv("ZARN_NO_AVX512");
  }();
  return available;
}

}  // namespace platform::rm::raster::avx512

#endif
