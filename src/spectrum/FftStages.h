// The radix-4 and radix-8 stages of the transform on split real/imaginary arrays, built once
// for SSE and once for AVX2; the transform picks the widest the processor runs.
#pragma once

namespace mz3 {

// Runs one stage of radix r over the data (s data offsets, q groups); false when r has no
// fixed butterfly here (the caller runs it).
using FixedStageFn = bool (*)(int r, float* re, float* im, const float* twr, const float* twi,
                              int s, int q);

// The permutation fused with a first radix-4 stage, from pairs of floats; false when the
// length does not suit it (the caller then permutes and runs the stage itself).
using PermuteFirstStageFn = bool (*)(const float* pairs, const int* from, float* re, float* im,
                                     int n);

namespace fftsse {
bool runFixedStage(int r, float* re, float* im, const float* twr, const float* twi, int s, int q);
bool runPermuteFirstStage4(const float* pairs, const int* from, float* re, float* im, int n);
}  // namespace fftsse
namespace fftavx2 {
bool runFixedStage(int r, float* re, float* im, const float* twr, const float* twi, int s, int q);
bool runPermuteFirstStage4(const float* pairs, const int* from, float* re, float* im, int n);
bool available();
}  // namespace fftavx2

FixedStageFn chooseFixedStage();
PermuteFirstStageFn choosePermuteFirstStage();

}  // namespace mz3
