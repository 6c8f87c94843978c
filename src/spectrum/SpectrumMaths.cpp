#include "SpectrumMaths.h"

#include <algorithm>
#include <cmath>

namespace mz3 {

void UpdateSpectrumTransform(std::span<const uint8_t> block, Fft& fft, SpectrumBuffers& buffers) {
    for (int i = 0; i < kSpectrumSamples; ++i) {
        const uint8_t sample = size_t(i) < block.size() ? block[size_t(i)] : 128;
        buffers.FFTIn[size_t(i)] = {float(sample) / 128.0f - 1.0f, 0.0f};
    }
    fft.FFT(buffers.FFTIn.data(), buffers.FFTOut.data(), kSpectrumLength);
    for (int i = 0; i < 3; ++i) {
        buffers.FFTOut[size_t(i)] = buffers.FFTOut[size_t(i)] * (0.1f * float(i * i * i));
    }
}

double SpecMagToY(int floorFlag, float magnitude, int height) {
    const double floorDb = floorFlag == 1 ? -64.0 : -52.0;
    double m = magnitude;
    if (m > 120.0) {
        m = 120.0;
    } else if (m == 0.0) {
        m = 0.001;
    }
    const double v = std::clamp(20.0 * std::log10(m / 128.0), floorDb, 0.0);
    return (height - 2) - (v - floorDb) / (0.0 - floorDb) * (height - 1);
}

}  // namespace mz3
