// Steps of the main window's start-up that belong to other subsystems. Each is empty until the
// subsystem that owns it is wired in by the composition root.
#pragma once

#include <functional>

namespace mz3 {

struct ShellHooks {
    // Creation time.
    std::function<void()> SetupEqGraph;          // markers, drawing surface, axes
    std::function<bool()> StartSpectrumCapture;  // false when no input device opens
    // Show time.
    std::function<void()> BindControls;       // control binding tables
    std::function<void()> ResetAllEq;         // EQ defaults of every EQ module
    std::function<void()> FillFileLists;      // PC mode and hint-EQ file lists
    std::function<void(int)> SwitchLanguage;  // switch to the saved language
    std::function<void()> SelectMusicPage;    // as if FormMusTabBtn were clicked
    std::function<void()> SpectrumTick;       // main window Timer1, every 10 ms
    // Resize.
    std::function<void()> RelayoutEqGraph;  // graph rebuilt, band scroll boxes refitted
};

}  // namespace mz3
