#include "FFTs.h"

#include <algorithm>
#include <cmath>

#include "FftStages.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mz3 {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

// Multiplication by -i and +i.
inline TComplex mulMinusI(TComplex a) {
    return {a.Im, -a.Re};
}
inline TComplex mulPlusI(TComplex a) {
    return {-a.Im, a.Re};
}
// Product in single precision for the butterflies' fixed rotations.
inline TComplex fmul(TComplex a, TComplex b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}

inline void radix2(TComplex* z) {
    const TComplex t = z[1];
    z[1] = z[0] - t;
    z[0] = z[0] + t;
}

inline void radix3(TComplex* z) {
    constexpr float c31 = -1.5f;       // cos(2 pi / 3) - 1
    constexpr float c32 = 0.8660254f;  // sin(2 pi / 3)
    const TComplex t1 = z[1] + z[2];
    z[0] = z[0] + t1;
    const TComplex s1 = z[0] + t1 * c31;
    const TComplex m2 = (z[1] - z[2]) * c32;
    z[1] = s1 + mulMinusI(m2);
    z[2] = s1 + mulPlusI(m2);
}

inline void radix5(TComplex* z) {
    constexpr float c51 = -1.25f;        // (cos u + cos 2u) / 2 - 1
    constexpr float c52 = 0.559017f;     // (cos u - cos 2u) / 2
    constexpr float c53 = -0.95105654f;  // -sin u
    constexpr float c54 = -1.5388417f;   // -(sin u + sin 2u)
    constexpr float c55 = 0.36327127f;   // sin u - sin 2u
    const TComplex t1 = z[1] + z[4];
    const TComplex t2 = z[2] + z[3];
    const TComplex d1 = z[1] - z[4];
    const TComplex d2 = z[2] - z[3];
    const TComplex t5 = t1 + t2;
    z[0] = z[0] + t5;
    const TComplex s1 = z[0] + t5 * c51;
    const TComplex m2 = (t1 - t2) * c52;
    const TComplex r1 = s1 + m2;
    const TComplex r2 = s1 - m2;
    const TComplex p = (d1 + d2) * (-c53);  // sin u (d1 + d2)
    const TComplex a = p - d2 * c55;        // d1 sin u + d2 sin 2u
    const TComplex b = d1 * (-c54) - p;     // d1 sin 2u - d2 sin u
    z[1] = r1 + mulMinusI(a);
    z[4] = r1 + mulPlusI(a);
    z[2] = r2 + mulMinusI(b);
    z[3] = r2 + mulPlusI(b);
}

inline void radix10(TComplex* z) {
    // Two length-5 transforms of the even and odd terms, joined with the tenth roots.
    constexpr TComplex w10[5] = {{1.0f, 0.0f},
                                 {0.809017f, -0.58778525f},
                                 {0.309017f, -0.95105654f},
                                 {-0.309017f, -0.95105654f},
                                 {-0.809017f, -0.58778525f}};
    TComplex e[5] = {z[0], z[2], z[4], z[6], z[8]};
    TComplex o[5] = {z[1], z[3], z[5], z[7], z[9]};
    radix5(e);
    radix5(o);
    for (int k = 0; k < 5; ++k) {
        const TComplex t = k == 0 ? o[0] : fmul(o[k], w10[k]);
        z[k] = e[k] + t;
        z[k + 5] = e[k] - t;
    }
}

}  // namespace

std::vector<int> fftFactors(int n) {
    std::vector<int> recorded;
    if (n <= 0) {
        return recorded;
    }
    if (n == 1) {
        return {1};
    }
    static constexpr int kRadices[] = {10, 8, 5, 4, 3, 2};
    int rest = n;
    for (int radix : kRadices) {
        while (rest > 1 && rest % radix == 0) {
            recorded.push_back(radix);
            rest /= radix;
        }
    }
    // A final 2 and an earlier 8 become 4 and 4.
    if (!recorded.empty() && recorded.back() == 2) {
        for (int i = int(recorded.size()) - 2; i >= 0; --i) {
            if (recorded[size_t(i)] == 8) {
                recorded[size_t(i)] = 4;
                recorded.back() = 4;
                break;
            }
        }
    }
    if (rest > 1) {
        const int limit = static_cast<int>(std::sqrt(double(rest)));
        for (int k = 2; k <= limit; ++k) {
            while (rest % k == 0) {
                recorded.push_back(k);
                rest /= k;
            }
        }
        if (rest > 1) {
            recorded.push_back(rest);
        }
    }
    std::reverse(recorded.begin(), recorded.end());
    return recorded;
}

bool Fft::plan(int n) {
    if (n == m_n) {
        return m_planOk;
    }
    m_n = n;
    m_factors = fftFactors(n);
    m_planOk = !m_factors.empty() && m_factors.front() <= cMaxPrimeFactor;
    if (!m_planOk) {
        return false;
    }
    const size_t m = m_factors.size();
    m_sofar.assign(m + 1, 1);
    m_remain.assign(m + 2, 1);
    m_remain[0] = n;
    m_remain[1] = n / m_factors[0];
    for (size_t i = 2; i <= m; ++i) {
        m_sofar[i] = m_sofar[i - 1] * m_factors[i - 2];
        m_remain[i] = m_remain[i - 1] / m_factors[i - 1];
    }
    // Rotations of every stage from the recurrence: w advances by the step rotation per data
    // offset, and the k-th twiddle is the (k-1)-th times w.
    m_twRe.clear();
    m_twIm.clear();
    m_twiddleOffset.assign(m + 1, 0);
    for (size_t i = 1; i <= m; ++i) {
        const int r = m_factors[i - 1];
        const int s = m_sofar[i];
        const size_t offset = m_twRe.size();
        m_twiddleOffset[i] = offset;
        m_twRe.resize(offset + size_t(r) * size_t(s));
        m_twIm.resize(offset + size_t(r) * size_t(s));
        const double angle = kTwoPi / (double(s) * r);
        const TComplex step = {static_cast<float>(std::cos(angle)),
                               static_cast<float>(-std::sin(angle))};
        TComplex w = {1.0f, 0.0f};
        for (int d = 0; d < s; ++d) {
            TComplex t = {1.0f, 0.0f};
            for (int k = 0; k < r; ++k) {
                m_twRe[offset + size_t(k) * size_t(s) + size_t(d)] = t.Re;
                m_twIm[offset + size_t(k) * size_t(s) + size_t(d)] = t.Im;
                t = t * w;
            }
            w = step * w;
        }
    }
    m_re.resize(size_t(n));
    m_im.resize(size_t(n));
    buildPermutation();
    m_fixedStage = chooseFixedStage();
    m_permuteFirstStage = choosePermuteFirstStage();
    return true;
}

void Fft::buildPermutation() {
    // Mixed-radix digit reversal, counted out once per length.
    const int n = m_n;
    const int m = int(m_factors.size());
    m_permutation.assign(size_t(n), 0);
    int counters[64] = {};
    int k = 0;
    for (int i = 0; i < n - 1; ++i) {
        m_permutation[size_t(i)] = k;
        k += m_remain[1];
        counters[1] += 1;
        int j = 1;
        while (j <= m && counters[j] >= m_factors[size_t(j - 1)]) {
            counters[j] = 0;
            k = k - m_remain[size_t(j - 1)] + m_remain[size_t(j + 1)];
            ++j;
            counters[j] += 1;
        }
    }
    m_permutation[size_t(n - 1)] = n - 1;
}

void Fft::permute(const TComplex* input) {
    float* re = m_re.data();
    float* im = m_im.data();
    const int* from = m_permutation.data();
    int i = 0;
#if defined(__SSE2__)
    // Four values at a time: two pairs into each register, then split into parts.
    const auto* pairs = reinterpret_cast<const double*>(input);
    for (; i + 4 <= m_n; i += 4) {
        const __m128 a =
            _mm_castpd_ps(_mm_loadh_pd(_mm_load_sd(pairs + from[i]), pairs + from[i + 1]));
        const __m128 b =
            _mm_castpd_ps(_mm_loadh_pd(_mm_load_sd(pairs + from[i + 2]), pairs + from[i + 3]));
        _mm_storeu_ps(re + i, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_ps(im + i, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
#endif
    for (; i < m_n; ++i) {
        re[i] = input[from[i]].Re;
        im[i] = input[from[i]].Im;
    }
}

void Fft::interleave(TComplex* output) const {
    const float* re = m_re.data();
    const float* im = m_im.data();
    int i = 0;
#if defined(__SSE2__)
    auto* out = reinterpret_cast<float*>(output);
    for (; i + 4 <= m_n; i += 4) {
        const __m128 r = _mm_loadu_ps(re + i);
        const __m128 m = _mm_loadu_ps(im + i);
        _mm_storeu_ps(out + 2 * i, _mm_unpacklo_ps(r, m));
        _mm_storeu_ps(out + 2 * i + 4, _mm_unpackhi_ps(r, m));
    }
#endif
    for (; i < m_n; ++i) {
        output[i] = {re[i], im[i]};
    }
}

void Fft::buildOddTable(int r) {
    // The rotation table of an odd radix, from repeated multiplication by its first entry;
    // built once per stage.
    const double angle = kTwoPi / r;
    m_trig[0] = {1.0f, 0.0f};
    m_trig[1] = {static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
    for (int k = 2; k < r; ++k) {
        m_trig[k] = m_trig[k - 1] * m_trig[1];
    }
}

void Fft::oddKernel(TComplex* z, int r) {
    // Length-r DFT pairing terms j and r - j, with the table of the stage.
    const int half = (r - 1) / 2;
    TComplex sum = z[0];
    for (int j = 1; j <= half; ++j) {
        m_work[j] = z[j] + z[r - j];         // pair sums
        m_work[half + j] = z[j] - z[r - j];  // pair differences
        sum = sum + m_work[j];
    }
    for (int k = 1; k <= half; ++k) {
        double re = z[0].Re;
        double im = z[0].Im;
        double sre = 0.0;
        double sim = 0.0;
        int idx = 0;
        for (int j = 1; j <= half; ++j) {
            idx += k;
            if (idx >= r) {
                idx -= r;
            }
            const TComplex t = m_trig[idx];
            re += double(m_work[j].Re) * t.Re;
            im += double(m_work[j].Im) * t.Re;
            // -i sin term: t.Im holds -sin.
            sre -= double(m_work[half + j].Im) * t.Im;
            sim += double(m_work[half + j].Re) * t.Im;
        }
        z[k] = {static_cast<float>(re + sre), static_cast<float>(im + sim)};
        z[r - k] = {static_cast<float>(re - sre), static_cast<float>(im - sim)};
    }
    z[0] = sum;
}

void Fft::kernel(TComplex* z, int radix) {
    switch (radix) {
        case 2:
            radix2(z);
            break;
        case 3:
            radix3(z);
            break;
        case 5:
            radix5(z);
            break;
        case 10:
            radix10(z);
            break;
        default:
            oddKernel(z, radix);
            break;
    }
}

namespace {}  // namespace

void Fft::stage(int index) {
    const int r = m_factors[size_t(index - 1)];
    const int s = m_sofar[size_t(index)];
    const int q = m_remain[size_t(index)];
    float* re = m_re.data();
    float* im = m_im.data();
    const float* twr = m_twRe.data() + m_twiddleOffset[size_t(index)];
    const float* twi = m_twIm.data() + m_twiddleOffset[size_t(index)];
    // Radix 4 and 8 always run in the split-array stages.
    if (m_fixedStage(r, re, im, twr, twi, s, q)) {
        return;
    }
    if (r != 2 && r != 3 && r != 5 && r != 10) {
        buildOddTable(r);
    }
    for (int g = 0; g < q; ++g) {
        const size_t groupBase = size_t(g) * size_t(s) * size_t(r);
        for (int d = 0; d < s; ++d) {
            const size_t base = groupBase + size_t(d);
            m_z[0] = {re[base], im[base]};
            for (int k = 1; k < r; ++k) {
                const size_t at = base + size_t(k) * size_t(s);
                const size_t t = size_t(k) * size_t(s) + size_t(d);
                m_z[k] =
                    d == 0 ? TComplex{re[at], im[at]} : fmul({re[at], im[at]}, {twr[t], twi[t]});
            }
            kernel(m_z, r);
            for (int k = 0; k < r; ++k) {
                const size_t at = base + size_t(k) * size_t(s);
                re[at] = m_z[k].Re;
                im[at] = m_z[k].Im;
            }
        }
    }
}

FftStatus Fft::FFT(const TComplex* input, TComplex* output, int n) {
    if (n <= 0) {
        return FftStatus::Ok;
    }
    if (!plan(n)) {
        return FftStatus::PrimeFactorTooLarge;
    }
    if (n == 1) {
        output[0] = input[0];
        return FftStatus::Ok;
    }
    // The permutation reads the input completely before anything is written to the output,
    // so input and output may be the same array.
    int firstStage = 1;
    if (m_factors.front() == 4 &&
        m_permuteFirstStage(reinterpret_cast<const float*>(input), m_permutation.data(),
                            m_re.data(), m_im.data(), n)) {
        firstStage = 2;
    } else {
        permute(input);
    }
    for (int i = firstStage; i <= int(m_factors.size()); ++i) {
        stage(i);
    }
    interleave(output);
    return FftStatus::Ok;
}

}  // namespace mz3
