#include "ParameterStore.h"

namespace mz3 {

namespace {

bool inRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

}  // namespace

ParameterStore::ParameterStore() = default;

int ParameterStore::MapToDevice(int moduleAddr) const {
    const int m = addressModule(moduleAddr);
    const int s = addressSlot(moduleAddr);
    const ChannelSelection& sel = m_selection;
    int d = m;

    if (m == ModMicA || m == ModMicB) {
        // The microphone link switch always stays in the module the control names.
        if (s != 13) {
            d = sel.curMic;
        }
    } else if (m == ModEcho || m == ModEchoB) {
        // With the Reverb sub-page selected, echo addresses keep their own module.
        if (sel.curEffect != ModReverb) {
            d = sel.curEffect;
        }
    } else if (inRange(m, 8, 19) && inRange(s, 12, 15)) {
        // Limiter: left and right of Main and Surround share the left channel's limiter.
        if (inRange(sel.curOutput, 8, 11)) {
            d = 8 + sel.outputBank;
        } else if (inRange(sel.curOutput, 12, 15)) {
            d = 12 + sel.outputBank;
        } else {
            d = sel.curOutput;
        }
    } else if (inRange(m, 8, 19) && (s == 10 || s == 11)) {
        // Delay and output level follow the side the address names (rows 10 and 14 are the
        // right-channel controls), not the side selected.
        if (m == 9) {
            d = 8 + sel.outputBank;
        } else if (inRange(m, 10, 11)) {
            d = 10 + sel.outputBank;
        } else if (inRange(m, 12, 13)) {
            d = 12 + sel.outputBank;
        } else if (inRange(m, 14, 15)) {
            d = 14 + sel.outputBank;
        } else if (inRange(sel.curOutput, 8, 11)) {
            d = 8 + sel.outputBank;
        } else if (inRange(sel.curOutput, 12, 15)) {
            d = 12 + sel.outputBank;
        } else {
            d = sel.curOutput;
        }
    } else if (inRange(m, 8, 19)) {
        d = sel.curOutput;
    } else if (inRange(m, 22, 24)) {
        d = sel.curHint;
    }
    return makeAddress(d, s);
}

void ParameterStore::SendDatatoMCU(int moduleAddr, int value) {
    if (!isTableAddress(moduleAddr)) {
        return;
    }
    setPanelValue(moduleAddr, value);
    const int d = MapToDevice(moduleAddr);
    if (!isTableAddress(d)) {
        return;
    }
    setDeviceValue(d, value);
    // The echoes of a refresh are stored only; the link itself drops writes while offline.
    if (m_writePath != nullptr && !m_flags.refreshActive) {
        m_writePath->submitWrite(d, value);
    }
}

void ParameterStore::SendEQDatatoMCU(int moduleAddr, int value) {
    if (!isTableAddress(moduleAddr)) {
        return;
    }
    SendDatatoMCU(moduleAddr, value);
    if (m_writePath != nullptr) {
        m_writePath->holdUntilAcknowledged();
    }
}

void ParameterStore::LoadPanelFromDevice() {
    for (int h : PanelModules) {
        for (int i = 0; i < SlotCount[h]; ++i) {
            m_panel[h][i] = deviceValue(MapToDevice(makeAddress(h, i)));
        }
    }
    const int bank = m_selection.outputBank;
    for (int slot : {10, 11}) {
        m_panel[10][slot] = deviceValue(10 + bank, slot);
        m_panel[14][slot] = deviceValue(14 + bank, slot);
    }
}

void ParameterStore::StoreDeviceWords(int module, int firstSlot, std::span<const uint16_t> words) {
    if (module < 0 || module >= kModuleCount || firstSlot < 0) {
        return;
    }
    for (size_t k = 0; k < words.size(); ++k) {
        const size_t slot = static_cast<size_t>(firstSlot) + k;
        if (slot >= static_cast<size_t>(kSlotCapacity)) {
            break;
        }
        m_device[module][slot] = words[k];
    }
}

void ParameterStore::writeStartupDefaults() {
    for (int m = 0; m < kModuleCount; ++m) {
        for (int s = 0; s < SlotCount[m]; ++s) {
            m_device[m][s] = 0;
        }
    }
    struct Default {
        int module;
        int slot;
        int value;
    };
    static constexpr Default kDefaults[] = {
        {ModMusic, 0, 1},    {ModMusic, 1, 10},    {ModMusic, 2, 0},      {ModMusic, 7, 360},
        {ModMusic, 85, 1},   {ModMusic, 88, 1},    {ModMusic, 93, 12},    {ModMusic, 94, 13},
        {ModMicA, 12, 360},  {ModMicB, 12, 360},   {ModEcho, 12, 360},    {ModEchoB, 12, 360},
        {ModReverb, 9, 360}, {SystemModule, 4, 0}, {SystemModule, 20, 3}, {SystemModule, 21, 1},
    };
    for (const Default& d : kDefaults) {
        m_device[d.module][d.slot] = d.value;
    }
    // Output channels start with their low-pass fully open, like every other channel type.
    for (int m = 8; m <= 19; ++m) {
        m_device[m][19] = 360;
    }
}

int ParameterStore::panelValue(int moduleAddr) const {
    return isTableAddress(moduleAddr) ? m_panel[addressModule(moduleAddr)][addressSlot(moduleAddr)]
                                      : 0;
}

int ParameterStore::deviceValue(int controlModule) const {
    return isTableAddress(controlModule)
               ? m_device[addressModule(controlModule)][addressSlot(controlModule)]
               : 0;
}

int ParameterStore::deviceValue(int module, int slot) const {
    if (module < 0 || module >= kModuleCount || slot < 0 || slot >= kSlotCapacity) {
        return 0;
    }
    return m_device[module][slot];
}

void ParameterStore::setPanelValue(int moduleAddr, int value) {
    if (isTableAddress(moduleAddr)) {
        m_panel[addressModule(moduleAddr)][addressSlot(moduleAddr)] = value;
    }
}

void ParameterStore::setDeviceValue(int controlModule, int value) {
    if (isTableAddress(controlModule)) {
        m_device[addressModule(controlModule)][addressSlot(controlModule)] = value;
    }
}

void ParameterStore::setDeviceValue(int module, int slot, int value) {
    if (module >= 0 && module < kModuleCount && slot >= 0 && slot < kSlotCapacity) {
        m_device[module][slot] = value;
    }
}

}  // namespace mz3
