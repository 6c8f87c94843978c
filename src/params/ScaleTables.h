// The fixed grids behind the parameter values: frequency and Q.
#pragma once

#include <array>

namespace mz3 {

constexpr int kFrequencyCount = 361;  // indices 0..360
constexpr int kQCount = 101;          // indices 0..100
constexpr int kDefaultQIndex = 16;

extern const std::array<const char*, kFrequencyCount> FrequencyTexts;
extern const std::array<float, kFrequencyCount + 1> FrequencyValues;
extern const std::array<const char*, kQCount> QTexts;
extern const std::array<float, kQCount> QValues;

}  // namespace mz3
