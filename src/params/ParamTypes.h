// Module numbering, the address form and the fixed shape of the parameter tables.
#pragma once

#include <array>

namespace mz3 {

constexpr int kModuleCount = 31;    // rows of both value tables (modules 0..30)
constexpr int kSlotCapacity = 165;  // columns of both value tables (slots 0..164)

// Named modules in device numbering.
enum Module : int {
    ModMusic = 0,
    ModMusicRightEq = 1,
    ModDeq = 2,
    ModMicA = 3,
    ModMicB = 4,
    ModEcho = 5,
    ModEchoB = 6,
    ModReverb = 7,
    ModMainLeftSing = 8,
    ModSubDance = 19,
    ModRec = 20,
    ModAuxiliary = 21,
    ModHintMusic = 22,
    ModHintMic1 = 23,
    ModHintMic2 = 24,
    ModSystemVolume = 25,
    ModCommand = 26,
    SystemModule = 30,
    StatusModule = 48,  // exists only on the wire, as the box's status block
};

// Number of used slots per module. The mode files alone carry one slot more.
constexpr std::array<int, kModuleCount> SlotCount = {
    95, 75, 31, 115, 115, 49, 49, 46,          // 0..7
    71, 71, 71, 71,  71,  71, 71, 71, 71, 71,  // 8..17
    71, 71,                                    // 18, 19
    32, 43, 26, 26,  26,  11, 18,              // 20..26
    0,  0,  0,                                 // 27..29
    35,                                        // 30
};

// The rows of PanelValues that controls address, in the order every whole-table loop uses.
constexpr std::array<int, 12> PanelModules = {0, 2, 3, 5, 7, 8, 20, 21, 22, 25, 26, 30};

constexpr int makeAddress(int module, int slot) {
    return module * 256 + slot;
}
constexpr int addressModule(int address) {
    return address / 256;
}
constexpr int addressSlot(int address) {
    return address % 256;
}

// True when the address names a cell of the 31 x 165 tables.
constexpr bool isTableAddress(int address) {
    return address >= 0 && addressModule(address) < kModuleCount &&
           addressSlot(address) < kSlotCapacity;
}

}  // namespace mz3
