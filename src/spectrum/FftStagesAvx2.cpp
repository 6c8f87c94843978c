// The fixed-radix stages with eight AVX lanes; compiled for AVX2 only where the compiler can,
// and chosen at run time only on processors that have it.
#include "FftStages.h"

#include <algorithm>
#include <cstddef>
#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

#if defined(__x86_64__) && defined(__AVX2__)
#define MZ3_WIDE_LANES 1
namespace mz3::fftavx2 {

#include "FftStagesImpl.inc"

bool runFixedStage(int r, float* re, float* im, const float* twr, const float* twi, int s, int q) {
    return fixedStage(r, re, im, twr, twi, s, q);
}

bool runPermuteFirstStage4(const float* pairs, const int* from, float* re, float* im, int n) {
    return permuteFirstStage4(pairs, from, re, im, n);
}

}  // namespace mz3::fftavx2
#else
namespace mz3::fftavx2 {
bool runFixedStage(int, float*, float*, const float*, const float*, int, int) {
    return false;
}
bool runPermuteFirstStage4(const float*, const int*, float*, float*, int) {
    return false;
}
}  // namespace mz3::fftavx2
#endif

namespace mz3::fftavx2 {

bool available() {
#if defined(__x86_64__) && defined(__AVX2__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

}  // namespace mz3::fftavx2
