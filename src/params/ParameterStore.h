// The panel's copy of the box's parameters: the two 31 x 165 tables, the channel selection that
// decides which device channel a shared control edits, and the shared refresh flags.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "DeviceWritePath.h"
#include "ParamTypes.h"

namespace mz3 {

// Which channel the shared controls edit; written by the page and channel selectors.
struct ChannelSelection {
    int curMic = ModMicA;             // 3 or 4
    int curEffect = ModEcho;          // 5, 6 or 7
    int curOutput = ModMainLeftSing;  // 8..19
    int curHint = ModHintMusic;       // 22..24
    int outputBank = 0;               // 0 sing, 1 dance
    int curPageModule = ModMusic;     // panel module of the page on screen
};

// Flags that coordinate the store with the controls.
struct SharedFlags {
    bool refreshActive = false;     // a refresh of all controls runs: store, never send
    bool programmaticMove = false;  // the program moves a slider: ignore its change event
    bool bindingActive = false;     // binding or refresh runs
};

using ValueTable = std::array<std::array<int32_t, kSlotCapacity>, kModuleCount>;

class ParameterStore {
public:
    ParameterStore();

    ChannelSelection& selection() { return m_selection; }
    const ChannelSelection& selection() const { return m_selection; }
    SharedFlags& flags() { return m_flags; }
    const SharedFlags& flags() const { return m_flags; }

    // The link that receives edits; may be null (edits are then only stored).
    void setWritePath(DeviceWritePath* path) { m_writePath = path; }

    // Panel address -> device address for the channels currently selected.
    int MapToDevice(int moduleAddr) const;

    // Stores an edit under its panel address and its device address and hands it to the link.
    void SendDatatoMCU(int moduleAddr, int value);
    // As SendDatatoMCU, then makes the following writes wait for the box's answer.
    void SendEQDatatoMCU(int moduleAddr, int value);

    // Copies DeviceValues into PanelValues for the channels currently selected.
    void LoadPanelFromDevice();

    // Writes consecutive received words into DeviceValues; cells outside the table are dropped.
    void StoreDeviceWords(int module, int firstSlot, std::span<const uint16_t> words);

    // Zeroes every used slot of DeviceValues and writes the start-up defaults.
    void writeStartupDefaults();

    // Read and write access by address or by (module, slot). Out-of-table cells read as 0 and
    // ignore writes.
    int panelValue(int moduleAddr) const;
    int deviceValue(int controlModule) const;
    int deviceValue(int module, int slot) const;
    void setPanelValue(int moduleAddr, int value);
    void setDeviceValue(int controlModule, int value);
    void setDeviceValue(int module, int slot, int value);

    const ValueTable& PanelValues() const { return m_panel; }
    const ValueTable& DeviceValues() const { return m_device; }

private:
    ValueTable m_panel{};
    ValueTable m_device{};
    ChannelSelection m_selection;
    SharedFlags m_flags;
    DeviceWritePath* m_writePath = nullptr;
};

}  // namespace mz3
