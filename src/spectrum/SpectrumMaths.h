// The arithmetic of the spectrum view: from a captured block of unsigned 8-bit samples to the
// transform, and from a bin's magnitude to a picture row.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "FFTs.h"

namespace mz3 {

constexpr int kSpectrumLength = 2048;
constexpr int kSpectrumSamples = 1024;
constexpr int kHzPerBin = 23;

struct SpectrumBuffers {
    std::array<TComplex, kSpectrumLength> FFTIn{};
    std::array<TComplex, kSpectrumLength> FFTOut{};
};

// Samples to -1 .. 0.992 (no window), 1024 zeros after them, the transform, and the lowest
// three bins scaled by 0.1 i^3. A block shorter than 1024 samples is taken as silence after
// its end.
void UpdateSpectrumTransform(std::span<const uint8_t> block, Fft& fft, SpectrumBuffers& buffers);

// Picture row of a magnitude for a picture of the given height: the floor (-64 dB with the
// low trigger, -52 dB without) at row height - 2, 0 dB at row -1.
double SpecMagToY(int floorFlag, float magnitude, int height);

}  // namespace mz3
