// The box's memory as the simulator keeps it: the current parameter image, the stored device
// and hint modes, the panel password and the identity.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ParamTypes.h"

namespace mz3::boxsim {

constexpr int kModeCount = 16;
using Image = std::array<std::array<uint16_t, kSlotCapacity>, kModuleCount>;

struct DeviceMode {
    Image image{};
    std::string name;  // up to 20 characters
};

struct HintMode {
    // Modules 22 to 24 only.
    std::array<std::array<uint16_t, kSlotCapacity>, 3> modules{};
    std::string name;
};

class BoxModel {
public:
    BoxModel();

    Image& image() { return m_image; }
    const Image& image() const { return m_image; }
    uint16_t value(int module, int slot) const;
    void setValue(int module, int slot, uint16_t value);

    std::array<DeviceMode, kModeCount>& modes() { return m_modes; }
    std::array<HintMode, kModeCount>& hintModes() { return m_hintModes; }
    const std::array<DeviceMode, kModeCount>& modes() const { return m_modes; }
    const std::array<HintMode, kModeCount>& hintModes() const { return m_hintModes; }

    void recallMode(int index);
    void saveMode(int index, const std::string& name);
    void recallHintMode(int index);
    void saveHintMode(int index, const std::string& name);

    std::string password = "0000";
    std::string identity = "DRK-MZ3";
    std::array<uint8_t, 4> deviceId = {0x4D, 0x5A, 0x03, 0x17};

    // Lock switch: system slot 4.
    bool locked() const { return value(SystemModule, 4) != 0; }

private:
    Image m_image{};
    std::array<DeviceMode, kModeCount> m_modes{};
    std::array<HintMode, kModeCount> m_hintModes{};
};

// A plausible factory image: every used slot holds a value inside its usual range.
Image factoryImage();

}  // namespace mz3::boxsim
