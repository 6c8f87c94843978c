// The display scales of parameter values: index ranges, texts in their units, the conversion
// of typed numbers back to indices, and the EQ field addressing.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace mz3 {

constexpr int kScaleKindCount = 30;

struct ScaleRange {
    int min;
    int max;
};

// Index range of a kind; kind 0 (set by the volume handlers) and unused kinds have none.
std::optional<ScaleRange> scaleRange(int kind);
// Clamps an index to its kind's range (kinds without one pass it through).
int ClampIndex(int kind, int index);
// The text shown for an index: clamped first, then formatted in the kind's unit.
std::string FormatValue(int kind, int index);
// A typed number (unit already stripped) to an index; the pipeline clamps it afterwards.
int ParseValue(int kind, double x);

// "#0.0" and "#0": at least one integer digit, halves rounded away from zero.
std::string formatFixed(double value, int decimals);

extern const std::array<const char*, 41> RatioTexts;
extern const std::array<const char*, 20> AttackTexts;
extern const std::array<const char*, 8> ReleaseTexts;
extern const std::array<const char*, 4> EqTypeItems;
extern const std::array<const char*, 13> CrossoverTypeItems;
struct BilingualText {
    const char* chinese;
    const char* english;
};
extern const std::array<BilingualText, 6> InputSourceNames;

// EQ layout per module (0..24): first EQ slot, band count, group, reset code.
int EqFirstSlot(int module);
int EqBandCount(int module);
int EqGroup(int module);
int EqResetCode(int module);
// Default frequency index of band b (from 0) of a group.
int DefaultBandFrequency(int group, int band);

// Slot of field f (0 type, 1 frequency, 2 gain, 3 Q, 4 shelf Q) of band b (from 0).
int eqFieldSlot(int module, int band, int field);

struct BandField {
    int band;  // from 0; the high-pass and low-pass count as two bands after the EQ bands
    int field;
};
// Band and field of a panel address, for the panel modules with EQs.
std::optional<BandField> bandOf(int moduleAddr);

}  // namespace mz3
