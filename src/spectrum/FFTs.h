// Mixed-radix forward FFT of any length whose first factor does not exceed 1021: radix 2, 3,
// 4, 5, 8 and 10 butterflies, and a general odd-length kernel for other primes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Complexs.h"
#include "FftStages.h"

namespace mz3 {

inline constexpr int cMaxPrimeFactor = 1021;
inline constexpr const char* kFftFactorError =
    "Prime factor for FFT length too large. Change value for cMaxPrimeFactor in FFTs unit";

enum class FftStatus { Ok, PrimeFactorTooLarge };

// The factors the transform runs its stages with, in stage order.
std::vector<int> fftFactors(int n);

class Fft {
public:
    // output[k] = sum over j of input[j] e^(-2 pi i jk / n), unscaled. Input and output may be
    // the same array. Nothing is allocated when the length is the one of the previous call and
    // input and output differ.
    FftStatus FFT(const TComplex* input, TComplex* output, int n);

private:
    bool plan(int n);
    void buildPermutation();
    void permute(const TComplex* input);
    void interleave(TComplex* output) const;
    void stage(int index);
    void kernel(TComplex* z, int radix);
    void buildOddTable(int radix);
    void oddKernel(TComplex* z, int radix);

    int m_n = -1;
    bool m_planOk = false;
    std::vector<int> m_factors;
    std::vector<int> m_sofar;
    std::vector<int> m_remain;  // remain[0] = n, remain[i] for stage i (1-based)
    // Per stage, the rotations from the recurrence, split into real and imaginary parts and
    // laid out as [k x s + d], so that a stage runs over consecutive data offsets.
    std::vector<float> m_twRe;
    std::vector<float> m_twIm;
    std::vector<size_t> m_twiddleOffset;
    // The data while the stages run, split into real and imaginary parts.
    std::vector<float> m_re;
    std::vector<float> m_im;
    // The digit-reversal permutation: output position i takes input m_permutation[i].
    std::vector<int> m_permutation;
    FixedStageFn m_fixedStage = nullptr;  // radix-4 and radix-8 stages for this processor
    PermuteFirstStageFn m_permuteFirstStage = nullptr;
    TComplex m_z[cMaxPrimeFactor];     // one group's values
    TComplex m_trig[cMaxPrimeFactor];  // odd kernel's rotation table
    TComplex m_work[cMaxPrimeFactor];
};

}  // namespace mz3
