#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "FFTs.h"
#include "SpectrumMaths.h"

namespace mz3 {
namespace {

std::vector<std::complex<double>> plainDft(const std::vector<TComplex>& x) {
    const size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (size_t k = 0; k < n; ++k) {
        std::complex<double> sum = 0;
        for (size_t j = 0; j < n; ++j) {
            const double a = -2.0 * M_PI * double((j * k) % n) / double(n);
            sum += std::complex<double>(x[j].Re, x[j].Im) * std::polar(1.0, a);
        }
        out[k] = sum;
    }
    return out;
}

class FftAgainstDft : public ::testing::TestWithParam<int> {};

TEST_P(FftAgainstDft, MatchesThePlainTransformInSinglePrecision) {
    const int n = GetParam();
    std::mt19937 rng(n);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<TComplex> in(static_cast<size_t>(n));
    for (auto& c : in) {
        c = {u(rng), u(rng)};
    }
    std::vector<TComplex> out(static_cast<size_t>(n));
    Fft fft;
    ASSERT_EQ(fft.FFT(in.data(), out.data(), n), FftStatus::Ok);
    const auto ref = plainDft(in);
    // Single-precision error grows about with log n; the values grow with sqrt n.
    const double tol = 2e-6 * std::sqrt(double(n)) * (1.0 + std::log2(double(n))) * 4.0;
    double worst = 0;
    for (int k = 0; k < n; ++k) {
        worst = std::max(
            worst,
            std::abs(std::complex<double>(out[size_t(k)].Re, out[size_t(k)].Im) - ref[size_t(k)]));
    }
    EXPECT_LT(worst, tol) << "n = " << n;

    // The same transform in place.
    std::vector<TComplex> inplace = in;
    ASSERT_EQ(fft.FFT(inplace.data(), inplace.data(), n), FftStatus::Ok);
    for (int k = 0; k < n; ++k) {
        ASSERT_EQ(inplace[size_t(k)].Re, out[size_t(k)].Re);
        ASSERT_EQ(inplace[size_t(k)].Im, out[size_t(k)].Im);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, FftAgainstDft,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 16, 20, 25, 32, 49,
                                           64, 80, 100, 105, 128, 210, 256, 315, 343, 512, 1000,
                                           1024, 1050, 2048, 11, 13, 101, 509, 997, 1021, 2042,
                                           3 * 1021),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return "n" + std::to_string(p.param);
                         });

TEST(FftTest, FactorisationOrders) {
    struct Case {
        int n;
        std::vector<int> factors;
    };
    const Case cases[] = {
        {2048, {4, 8, 8, 8}}, {16, {4, 4}}, {1, {1}}, {10, {10}},  {1000, {10, 10, 10}}, {7, {7}},
        {2042, {1021, 2}},    {6, {2, 3}},  {2, {2}}, {32, {4, 8}}};
    for (const Case& c : cases) {
        EXPECT_EQ(fftFactors(c.n), c.factors) << c.n;
    }
}

TEST(FftTest, FirstFactorAboveTheLimitIsAnErrorNotACrash) {
    Fft fft;
    std::vector<TComplex> buf(2 * 1031);
    EXPECT_EQ(fft.FFT(buf.data(), buf.data(), 1031), FftStatus::PrimeFactorTooLarge);
    EXPECT_EQ(fft.FFT(buf.data(), buf.data(), 2 * 1031), FftStatus::PrimeFactorTooLarge);
    EXPECT_EQ(fft.FFT(buf.data(), buf.data(), 0), FftStatus::Ok);
    // The object stays usable.
    buf[0] = {1.0f, 0.0f};
    EXPECT_EQ(fft.FFT(buf.data(), buf.data(), 8), FftStatus::Ok);
    EXPECT_FLOAT_EQ(buf[5].Re, 1.0f);
}

TEST(SpectrumTest, SilentBlockGivesAZeroTransform) {
    Fft fft;
    SpectrumBuffers buffers;
    const std::vector<uint8_t> silence(1024, 128);
    UpdateSpectrumTransform(silence, fft, buffers);
    for (const TComplex& c : buffers.FFTOut) {
        ASSERT_EQ(c.Re, 0.0f);
        ASSERT_EQ(c.Im, 0.0f);
    }
}

TEST(SpectrumTest, LowestBinsAreScaled) {
    Fft fft;
    SpectrumBuffers buffers;
    std::vector<uint8_t> block(1024);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<uint8_t>(128 + 100 * std::sin(2 * M_PI * double(i) / 1024.0));
    }
    SpectrumBuffers plain;
    for (size_t i = 0; i < 1024; ++i) {
        plain.FFTIn[i] = {float(block[i]) / 128.0f - 1.0f, 0.0f};
    }
    fft.FFT(plain.FFTIn.data(), plain.FFTOut.data(), 2048);
    UpdateSpectrumTransform(block, fft, buffers);
    EXPECT_EQ(buffers.FFTOut[0].Re, 0.0f);
    EXPECT_FLOAT_EQ(buffers.FFTOut[1].Re, plain.FFTOut[1].Re * 0.1f);
    EXPECT_FLOAT_EQ(buffers.FFTOut[2].Im, plain.FFTOut[2].Im * 0.8f);
    EXPECT_EQ(buffers.FFTOut[3].Re, plain.FFTOut[3].Re);
    // A real input mirrors: |X(2048 - k)| = |X(k)|.
    EXPECT_NEAR(magnitude(buffers.FFTOut[2048 - 5]), magnitude(buffers.FFTOut[5]), 1e-3);
}

TEST(SpectrumTest, MagnitudeToRow) {
    const int h = 287;
    EXPECT_DOUBLE_EQ(SpecMagToY(0, 0.0f, h), h - 2);  // 0 becomes 0.001: the floor
    EXPECT_DOUBLE_EQ(SpecMagToY(0, 500.0f, h), SpecMagToY(0, 120.0f, h));
    EXPECT_LT(SpecMagToY(1, 10.0f, h), SpecMagToY(0, 10.0f, h));  // lower floor draws higher
    EXPECT_NEAR(SpecMagToY(0, 128.0f * std::pow(10.0f, -26.0f / 20.0f), h), (h - 2) - 0.5 * (h - 1),
                1e-3);
    EXPECT_GT(SpecMagToY(0, 120.0f, h), -1.0);  // 120 is about -0.56 dB, below the top row
}

}  // namespace
}  // namespace mz3
