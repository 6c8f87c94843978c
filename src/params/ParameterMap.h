// What every slot means and which controls show it: the panel's module maps as data. The
// windows build their controls from these tables and bind them by name.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace mz3 {

enum class ControlKind {
    Slider,       // range 0..max
    Combo,        // items
    Edit,         // EQ edit box; Hint = scale kind
    Pane,         // value pane; Hint = scale kind
    Toggle,       // two-state button; Hint "0"/"1"
    SpinButtons,  // up/down pair
    TypeLabel,    // "BP", "P", "LS", "HS"; Hint = type index
};

struct ControlSpec {
    std::string name;  // the control's objectName
    ControlKind kind = ControlKind::Slider;
    int max = 0;                     // slider range 0..max
    int scaleKind = -1;              // Hint of panes, edit boxes and combo boxes
    std::vector<std::string> items;  // combo items
    std::string caption;             // shown text (current language: Chinese)
    std::string otherCaption;        // the other language, kept for the language switch
};

// The controls of one slot of a panel row.
struct SlotBinding {
    int module = 0;
    int slot = 0;
    ControlSpec primary;
    bool hasDisplay = false;
    ControlSpec display;
    std::array<ControlSpec, 4> band{};  // name empty where unused
    int bandCount = 0;
    // Where the window shows it: page key and section (for layout only).
    std::string page;
    std::string section;
    std::string label;       // Chinese caption of the strip
    std::string labelOther;  // English
};

// Every bound slot, in page and section order. EQ band fields come out band by band.
const std::vector<SlotBinding>& parameterMap();

// Pages of the main window and the panels, as keys used in SlotBinding::page.
inline constexpr const char* PageMusic = "music";
inline constexpr const char* PageMic = "mic";
inline constexpr const char* PageEcho = "echo";
inline constexpr const char* PageReverb = "reverb";
inline constexpr const char* PageMain = "main";
inline constexpr const char* PageHint = "hint";
inline constexpr const char* PageRec = "rec";
inline constexpr const char* PageAuxEq = "aux-eq";
inline constexpr const char* PageAuxLimits = "aux-limits";
inline constexpr const char* PageDeq = "deq";
inline constexpr const char* PageSystem = "system";
inline constexpr const char* PageRunningVolumes = "running-volumes";
inline constexpr const char* PageSystemPanel = "system-panel";
inline constexpr const char* PageSavePanel = "save-panel";

// EQ band prefix of a page's module and the names of band n's controls.
struct EqBandNames {
    std::string modeBox, freqEdit, gainEdit, qEdit, gainBar, freqSpin, qSpin, pointLabel;
    std::array<std::string, 4> typeLabels;
};
EqBandNames eqBandNames(int module, int band);  // band from 1

}  // namespace mz3
