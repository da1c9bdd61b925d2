#pragma once
// What the spans and walks compiled for AVX-512 (F, VL and BW, with BMI2)
// need: whether they run, and the target they are compiled for.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/rm/raster/blend_span_avx2.h"

#if defined(ZARN_HAVE_AVX2_SPANS)
#include <immintrin.h>

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

// The lanes of a group of `width` pixels that a span of `count` more
// pixels reaches: the low min(count, width) bits. (bzhi reads only the low
// byte of its count: a long span's must not reach it.)
[[gnu::target(ZARN_AVX512_TARGET)]] inline std::uint32_t SpanLanes(int count, int width) {
  return _bzhi_u32(~0u, static_cast<unsigned>(std::min(count, width)));
}

// The address `bytes` on from p, made as an integer. A masked load or store
// touches only what its mask lets through, but the address a span's last
// group starts from may lie past the buffer's end, where a pointer sum
// would be undefined. (Skipping such loads instead cost a branch a group,
// 3 % of a 1080p turn.)
template <class T>
inline T* MaskedAt(T* p, std::ptrdiff_t bytes) {
  return reinterpret_cast<T*>(reinterpret_cast<std::uintptr_t>(p) + static_cast<std::uintptr_t>(bytes));
}

// The bytes of 24-bit pixels from their bits: pixel i's bit goes to bit 3i,
// and times seven fills bits 3i..3i+2 (pixels 0..20 whole, and byte 63 of
// pixel 21).
[[gnu::target(ZARN_AVX512_TARGET)]] inline std::uint64_t PixelBytes24(std::uint32_t pixels) {
  return _pdep_u64(pixels, 0x9249249249249249ull) * 7u;
}

}  // namespace platform::rm::raster::avx512

#endif
