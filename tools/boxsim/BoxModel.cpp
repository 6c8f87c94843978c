#include "BoxModel.h"

#include <algorithm>
#include <cstdio>

namespace mz3::boxsim {

namespace {

struct EqLayout {
    int module;
    int firstSlot;
    int bands;
};

// First EQ slot and band count of every EQ module.
constexpr EqLayout kEqModules[] = {
    {0, 10, 15},  {1, 0, 15},   {3, 15, 20},  {4, 15, 20},  {5, 14, 7},   {6, 14, 7},
    {7, 11, 7},   {20, 17, 3},  {21, 1, 6},   {22, 1, 5},   {23, 1, 5},   {24, 1, 5},
    {8, 21, 10},  {9, 21, 10},  {10, 21, 10}, {11, 21, 10}, {12, 21, 10}, {13, 21, 10},
    {14, 21, 10}, {15, 21, 10}, {16, 21, 10}, {17, 21, 10}, {18, 21, 10}, {19, 21, 10},
};

constexpr uint16_t kGainZeroDb = 120;  // index/5 - 24 = 0.0 dB
constexpr uint16_t kDefaultQ = 16;     // 1.00

void fillEq(Image& img, const EqLayout& eq, int variant) {
    for (int b = 0; b < eq.bands; ++b) {
        const int s = eq.firstSlot + 5 * b;
        img[eq.module][s + 0] = 1;  // PEQ
        // Bands spread evenly from about 31 Hz to 16 kHz.
        img[eq.module][s + 1] =
            static_cast<uint16_t>(24 + (eq.bands > 1 ? b * (324 - 24) / (eq.bands - 1) : 180));
        // A gentle curve so that a loaded image is visibly not the start-up default.
        img[eq.module][s + 2] = static_cast<uint16_t>(kGainZeroDb + ((b + variant) % 5) * 5 - 10);
        img[eq.module][s + 3] = kDefaultQ;
        img[eq.module][s + 4] = 12;
    }
}

}  // namespace

Image factoryImage() {
    Image img{};
    // Generic content: small values inside every range used by the panel.
    for (int m = 0; m < kModuleCount; ++m) {
        for (int s = 0; s < SlotCount[m]; ++s) {
            img[m][s] = static_cast<uint16_t>((m * 7 + s * 3) % 20);
        }
    }
    // Music.
    img[0][0] = 20;  // input gain 0.0 dB
    img[0][1] = 10;
    img[0][2] = 0;    // pitch switch off
    img[0][3] = 7;    // pitch 0
    img[0][4] = 0;    // high-pass type bypass
    img[0][5] = 0;    // low-pass type bypass
    img[0][6] = 0;    // high-pass frequency 19.7 Hz
    img[0][7] = 360;  // low-pass frequency 20.2 kHz
    img[0][85] = 1;   // manual music mode
    img[0][86] = 0;   // sing bank
    img[0][88] = 1;   // VOD
    img[0][93] = 12;
    img[0][94] = 13;
    // Low-pass filters fully open, high-pass filters at the bottom of the grid.
    for (int m : {3, 4, 5, 6}) {
        img[m][11] = 0;
        img[m][12] = 360;
    }
    img[7][8] = 0;
    img[7][9] = 360;
    for (int m = 8; m <= 19; ++m) {
        for (int s = 0; s < 8; ++s) {
            img[m][s] = 100;  // mix levels
        }
        img[m][10] = 0;    // delay
        img[m][11] = 200;  // output level
        img[m][12] = 34;   // limiter level 18 dBu
        img[m][13] = 6;    // attack
        img[m][14] = 2;    // release
        img[m][15] = 0;    // ratio 1.0
        img[m][18] = 0;    // high-pass frequency
        img[m][19] = 360;  // low-pass frequency
    }
    int variant = 0;
    for (const EqLayout& eq : kEqModules) {
        fillEq(img, eq, variant++);
        if (eq.firstSlot > 0) {
            img[eq.module][eq.firstSlot - 1] = 0;  // EQ bypass off
        }
    }
    // Switches off: links, phases and mutes.
    for (int s : {8, 89, 90}) {
        img[0][s] = 0;
    }
    for (int m : {5, 6, 7}) {
        img[m][1] = 0;
        img[m][3] = 0;
    }
    for (int m = 8; m <= 20; ++m) {
        for (int s : {1, 3, 5, 9}) {
            img[m][s] = 0;
        }
    }
    img[20][10] = 0;
    img[20][11] = 0;
    // Auxiliary lift and cut limits (kinds 27 and 28).
    for (int s = 31; s <= 42; ++s) {
        img[21][s] = (s % 2 == 1) ? 180 : 60;
    }
    // System volumes: normal, maximum and start of mic, music and effect.
    const uint16_t volumes[11] = {40, 40, 40, 60, 80, 60, 80, 60, 80, 30, 30};
    std::copy(std::begin(volumes), std::end(volumes), img[25].begin());
    // Command slots are write-only: they read as 0.
    std::fill(img[26].begin(), img[26].end(), 0);
    // System module.
    std::fill(img[30].begin(), img[30].end(), 0);
    img[30][1] = 0;
    img[30][2] = 0;   // current device mode
    img[30][4] = 0;   // panel lock off
    img[30][20] = 3;  // highest input source index
    img[30][21] = 1;  // device capability flag
    img[30][0x14] = 3;
    img[30][0x18] = 0;
    return img;
}

BoxModel::BoxModel() : m_image(factoryImage()) {
    for (int i = 0; i < kModeCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Mode %02d", i + 1);
        m_modes[size_t(i)].image = m_image;
        m_modes[size_t(i)].image[0][0] = static_cast<uint16_t>(10 + i);  // tell modes apart
        m_modes[size_t(i)].name = name;
        std::snprintf(name, sizeof name, "Hint %02d", i + 1);
        m_hintModes[size_t(i)].name = name;
        for (int k = 0; k < 3; ++k) {
            m_hintModes[size_t(i)].modules[size_t(k)] = m_image[size_t(22 + k)];
        }
        m_hintModes[size_t(i)].modules[0][3] = static_cast<uint16_t>(100 + i);
    }
    m_modes[0].name = "KTV Standard";
    m_modes[1].name = "Party";
}

uint16_t BoxModel::value(int module, int slot) const {
    if (module < 0 || module >= kModuleCount || slot < 0 || slot >= kSlotCapacity) {
        return 0;
    }
    return m_image[size_t(module)][size_t(slot)];
}

void BoxModel::setValue(int module, int slot, uint16_t v) {
    if (module >= 0 && module < kModuleCount && slot >= 0 && slot < kSlotCapacity) {
        m_image[size_t(module)][size_t(slot)] = v;
    }
}

void BoxModel::recallMode(int index) {
    if (index < 0 || index >= kModeCount) {
        return;
    }
    // The system module describes the box, not the mode: keep it.
    const auto system = m_image[SystemModule];
    m_image = m_modes[size_t(index)].image;
    m_image[SystemModule] = system;
    m_image[SystemModule][2] = static_cast<uint16_t>(index);
}

void BoxModel::saveMode(int index, const std::string& name) {
    if (index < 0 || index >= kModeCount) {
        return;
    }
    m_modes[size_t(index)].image = m_image;
    m_modes[size_t(index)].name = name.substr(0, 20);
}

void BoxModel::recallHintMode(int index) {
    if (index < 0 || index >= kModeCount) {
        return;
    }
    for (int k = 0; k < 3; ++k) {
        m_image[size_t(22 + k)] = m_hintModes[size_t(index)].modules[size_t(k)];
    }
}

void BoxModel::saveHintMode(int index, const std::string& name) {
    if (index < 0 || index >= kModeCount) {
        return;
    }
    for (int k = 0; k < 3; ++k) {
        m_hintModes[size_t(index)].modules[size_t(k)] = m_image[size_t(22 + k)];
    }
    m_hintModes[size_t(index)].name = name.substr(0, 20);
}

}  // namespace mz3::boxsim
