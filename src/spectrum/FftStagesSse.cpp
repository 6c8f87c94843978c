// The fixed-radix stages for every x86-64 processor (SSE2) and other processors.
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

namespace mz3::fftsse {

#include "FftStagesImpl.inc"

bool runFixedStage(int r, float* re, float* im, const float* twr, const float* twi, int s, int q) {
    return fixedStage(r, re, im, twr, twi, s, q);
}

bool runPermuteFirstStage4(const float* pairs, const int* from, float* re, float* im, int n) {
    return permuteFirstStage4(pairs, from, re, im, n);
}

}  // namespace mz3::fftsse

namespace mz3 {

FixedStageFn chooseFixedStage() {
    return fftavx2::available() ? &fftavx2::runFixedStage : &fftsse::runFixedStage;
}

PermuteFirstStageFn choosePermuteFirstStage() {
    return fftavx2::available() ? &fftavx2::runPermuteFirstStage4 : &fftsse::runPermuteFirstStage4;
}

}  // namespace mz3
