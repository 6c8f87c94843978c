#include "ValueScales.h"

#include <cmath>
#include <cstdio>

#include "ParamTypes.h"
#include "ScaleTables.h"

namespace mz3 {

const std::array<const char*, 41> RatioTexts = {
    "1.0", "1.2", "1.4",  "1.6",  "1.8",  "2.0", "2.4", "2.8", "3.2", "3.6", "4.0",
    "4.4", "4.8", "5.2",  "5.6",  "6.0",  "6.4", "6.8", "7.2", "7.6", "8.0", "8.4",
    "9.0", "9.6", "10.2", "10.8", "11.4", "12",  "13",  "14",  "15",  "16",  "17",
    "18",  "19",  "20",   "22",   "24",   "26",  "30",  "100"};
const std::array<const char*, 20> AttackTexts = {"0.5", "0.7", "1.0", "1.4", "2.0", "2.8", "4.0",
                                                 "5.7", "8.0", "11",  "16",  "23",  "32",  "45",
                                                 "64",  "90",  "100", "120", "150", "400"};
const std::array<const char*, 8> ReleaseTexts = {"Atk x 2",  "Atk x 4",  "Atk x 6",  "Atk x 8",
                                                 "Atk x 12", "Atk x 16", "Atk x 24", "Atk x 32"};
const std::array<const char*, 4> EqTypeItems = {"BYPSS", "PEQ", "LSEQ", "HSEQ"};
const std::array<const char*, 13> CrossoverTypeItems = {
    "Bypass",      "6dB 1st ",         "12dB Bessel",    "12dB Butterworth", "12dB Link-Riley",
    "18dB Bessel", "18dB Butterworth", "24dB Bessel",    "24dB Butterworth", "24dB Link-Riley",
    "36dB Bessel", "36dB Butterworth", "36dB Link-Riley"};
const std::array<BilingualText, 6> InputSourceNames = {{{"自动", "AUTO"},
                                                        {"VOD", "VOD"},
                                                        {"BGM", "BGM"},
                                                        {"光纤", "OPTI"},
                                                        {"蓝牙", "BLUE"},
                                                        {"USB", "USB"}}};

namespace {

constexpr std::optional<ScaleRange> kRanges[kScaleKindCount] = {
    std::nullopt,        ScaleRange{0, 3},   ScaleRange{0, 360}, ScaleRange{0, 180},
    ScaleRange{0, 100},  std::nullopt,       ScaleRange{0, 360}, std::nullopt,
    ScaleRange{0, 400},  ScaleRange{0, 400}, ScaleRange{0, 100}, ScaleRange{0, 250},
    ScaleRange{0, 80},   std::nullopt,       ScaleRange{0, 34},  ScaleRange{0, 40},
    ScaleRange{0, 7},    ScaleRange{0, 19},  ScaleRange{0, 500}, std::nullopt,
    ScaleRange{0, 60},   ScaleRange{0, 14},  ScaleRange{0, 40},  ScaleRange{0, 4},
    ScaleRange{0, 60},   ScaleRange{0, 34},  ScaleRange{0, 250}, ScaleRange{120, 180},
    ScaleRange{60, 120}, ScaleRange{0, 200}};

struct EqModule {
    int firstSlot;
    int bands;
    int group;
    int resetCode;
};

constexpr EqModule kEqModules[25] = {
    {10, 15, 0, 0},  {0, 15, 0, 1},   {2, 3, 8, 2},    {15, 20, 1, 3},  {15, 20, 1, 4},
    {14, 7, 2, 5},   {14, 7, 2, 6},   {11, 7, 2, 7},   {21, 10, 3, 8},  {21, 10, 3, 8},
    {21, 10, 3, 9},  {21, 10, 3, 9},  {21, 10, 3, 10}, {21, 10, 3, 10}, {21, 10, 3, 11},
    {21, 10, 3, 11}, {21, 10, 3, 12}, {21, 10, 3, 12}, {21, 10, 3, 13}, {21, 10, 3, 13},
    {17, 3, 5, 14},  {1, 6, 6, 18},   {1, 5, 4, 15},   {1, 5, 4, 16},   {1, 5, 4, 17}};

const int kDefaultFrequencies[9][20] = {
    {2, 25, 49, 73, 96, 120, 144, 167, 187, 215, 238, 262, 287, 309, 333},
    {2, 25, 49, 73, 96, 120, 144, 167, 187, 215, 238, 262, 287, 299, 313, 323, 333, 343, 353, 360},
    {2, 50, 100, 150, 200, 250, 300},
    {2, 32, 62, 92, 122, 152, 182, 212, 242, 272},
    {2, 70, 140, 210, 280},
    {20, 129, 280},
    {20, 129, 280, 20, 129, 280},
    {},
    {20, 129, 280}};
constexpr int kGroupBands[9] = {15, 20, 7, 10, 5, 3, 6, 0, 3};

// Crossover slots of a panel module: high-pass type and frequency, low-pass type and
// frequency, as the two bands after the EQ bands.
struct CrossoverSlots {
    int module;
    int hp;
    int lp;
};
constexpr CrossoverSlots kCrossovers[] = {{0, 4, 6}, {3, 9, 11},  {5, 9, 11},
                                          {7, 6, 8}, {8, 16, 18}, {20, 12, 14}};

std::string withUnit(double value, int decimals, const char* unit) {
    return formatFixed(value, decimals) + unit;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
    const double scale = decimals == 1 ? 10.0 : 1.0;
    // Halves away from zero; the small bias keeps x.x5 that binary floats hold as x.x4999..
    // on the upper side.
    const double magnitude = std::floor(std::fabs(value) * scale + 0.5 + 1e-9) / scale;
    const double rounded = std::signbit(value) && magnitude != 0.0 ? -magnitude : magnitude;
    char buf[32];
    std::snprintf(buf, sizeof buf, decimals == 1 ? "%.1f" : "%.0f", rounded);
    return buf;
}

std::optional<ScaleRange> scaleRange(int kind) {
    if (kind < 0 || kind >= kScaleKindCount) {
        return std::nullopt;
    }
    return kRanges[kind];
}

int ClampIndex(int kind, int index) {
    const auto range = scaleRange(kind);
    if (!range) {
        return index;
    }
    return index < range->min ? range->min : index > range->max ? range->max : index;
}

std::string FormatValue(int kind, int index) {
    const int i = ClampIndex(kind, index);
    switch (kind) {
        case 1:
            return EqTypeItems[size_t(i)];
        case 2:
        case 6:
            return std::string(FrequencyTexts[size_t(i)]) + "Hz";
        case 3:
        case 27:
        case 28:
            return withUnit(i / 5.0 - 24.0, 1, "dB");
        case 4:
            return QTexts[size_t(i)];
        case 8:
            return withUnit(i, 0, "%");
        case 9:
        case 23:
            return formatFixed(i, 0);
        case 10:
            return withUnit(i - 50, 0, "%");
        case 11:
            return withUnit(i * 2, 0, "ms");
        case 12:
            return withUnit(i * 62.5, 0, "ms");
        case 14:
            return withUnit(i - 16, 0, "dBu");
        case 15:
            return RatioTexts[size_t(i)];
        case 16:
            return ReleaseTexts[size_t(i)];
        case 17:
            return std::string(AttackTexts[size_t(i)]) + "ms";
        case 18:
            return withUnit(i / 10.0, 1, "ms");
        case 20:
            return withUnit(i - 60, 0, "dBu");
        case 21:
            return formatFixed(i - 7, 0);
        case 22:
            return withUnit(i / 2.0 - 10.0, 1, "dB");
        case 24:
            return withUnit(i - 90, 0, "dBu");
        case 25:
            return withUnit(i - 34, 0, "dB");
        case 26:
            return withUnit(i, 0, "ms");
        case 29:
            return withUnit(i * 2, 0, "%");
        default:
            return formatFixed(i, 0);
    }
}

int ParseValue(int kind, double x) {
    switch (kind) {
        case 2: {
            for (int i = 0; i <= kFrequencyCount; ++i) {
                if (FrequencyValues[size_t(i)] >= x) {
                    if (i >= 360) {
                        return 360;
                    }
                    if (i > 0 &&
                        x - FrequencyValues[size_t(i - 1)] <= FrequencyValues[size_t(i)] - x) {
                        return i - 1;
                    }
                    return i;
                }
            }
            return 360;
        }
        case 3:
        case 27:
        case 28:
            return static_cast<int>(std::lround((x + 24.0) * 5.0));
        case 4:
            for (int i = 0; i < kQCount; ++i) {
                if (QValues[size_t(i)] >= x) {
                    return i;
                }
            }
            return kQCount;
        default:
            return static_cast<int>(x);
    }
}

int EqFirstSlot(int module) {
    return module >= 0 && module < 25 ? kEqModules[module].firstSlot : -1;
}
int EqBandCount(int module) {
    return module >= 0 && module < 25 ? kEqModules[module].bands : 0;
}
int EqGroup(int module) {
    if (module >= 0 && module < 25) {
        return kEqModules[module].group;
    }
    return 3;  // every module from 25 up belongs to the output group
}
int EqResetCode(int module) {
    return module >= 0 && module < 25 ? kEqModules[module].resetCode : -1;
}

int DefaultBandFrequency(int group, int band) {
    if (group < 0 || group > 8 || band < 0 || band >= kGroupBands[group]) {
        return 0;
    }
    return kDefaultFrequencies[group][band];
}

int eqFieldSlot(int module, int band, int field) {
    if (module == ModDeq) {
        return 10 * band + 2 + field;
    }
    return EqFirstSlot(module) + 5 * band + field;
}

std::optional<BandField> bandOf(int moduleAddr) {
    const int m = addressModule(moduleAddr);
    const int s = addressSlot(moduleAddr);
    if (m != 0 && m != 2 && m != 3 && m != 5 && m != 7 && m != 8 && m != 20 && m != 21 && m != 22) {
        return std::nullopt;
    }
    const int bands = EqBandCount(m);
    if (m == ModDeq) {
        if (s >= 2 && s <= 10 * (bands - 1) + 6 && (s - 2) % 10 < 5) {
            return BandField{(s - 2) / 10, (s - 2) % 10};
        }
        return std::nullopt;
    }
    const int first = EqFirstSlot(m);
    const int last = first + 5 * bands - 1;
    if (s >= first && s <= last) {
        return BandField{(s - first) / 5, (s - first) % 5};
    }
    for (const CrossoverSlots& c : kCrossovers) {
        if (c.module == m) {
            if (s == c.hp || s == c.hp + 1) {
                return BandField{bands, 0};
            }
            if (s == c.lp || s == c.lp + 1) {
                return BandField{bands + 1, 0};
            }
        }
    }
    return std::nullopt;
}

}  // namespace mz3
