// Mixed-radix forward FFT of any length whose first factor does not exceed 1021: radix 2, 3,
// 4, 5, 8 and 10 butterflies, and a general odd-length kernel for other primes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Complexs.h"

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
    void permute(const TComplex* input, TComplex* output) const;
    void stage(TComplex* data, int index);
    void kernel(TComplex* z, int radix);
    void oddKernel(TComplex* z, int radix);

    int m_n = -1;
    bool m_planOk = false;
    std::vector<int> m_factors;
    std::vector<int> m_sofar;
    std::vector<int> m_remain;            // remain[0] = n, remain[i] for stage i (1-based)
    std::vector<TComplex> m_twiddles;     // per stage: s x r rotations from the recurrence
    std::vector<size_t> m_twiddleOffset;  // where each stage's rotations start
    std::vector<TComplex> m_scratch;      // in-place permutation
    TComplex m_z[cMaxPrimeFactor];        // one group's values
    TComplex m_trig[cMaxPrimeFactor];     // odd kernel's rotation table
    TComplex m_work[cMaxPrimeFactor];
};

}  // namespace mz3
