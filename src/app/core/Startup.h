// Start-up rules of the shell that do not depend on any window toolkit: where the preset
// folders live, the language file, and the main window's size rules.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "AppState.h"

namespace mz3 {

inline constexpr const char* kApplicationTitle = "KaraoKe Digital Signal Processor";
inline constexpr const char* kMainTitle = "MZ3 V1.2.0 Digital Signal Processor";

// True when the folder exists and the current user may create files in it.
bool isWritableFolder(const std::filesystem::path& folder);

// The folder under which "Mode" is kept: the program's folder when it is writable (portable
// use), otherwise the per-user application data folder. A program installed into a system
// folder would otherwise lose every preset it saves.
std::filesystem::path choosePresetBase(
    const std::filesystem::path& programDir, const std::filesystem::path& userDataDir,
    const std::function<bool(const std::filesystem::path&)>& writable = isWritableFolder);

// Sets AppDir, ModeDir, NddtDir and EqdtDir (native separators, no trailing separator).
void setFolders(AppState& state, const std::filesystem::path& programDir,
                const std::filesystem::path& presetBase);

// Language from the file's first line: "E" is English, "C" Chinese, anything else unknown.
std::optional<int> parseLanguageLine(const std::string& firstLine);

// Step 3 of the show-time start-up: read ModeDir/mod.dat into SavedLanguage and create the
// preset folders. Folder-creation failures are ignored. An existing file that cannot be read
// leaves the language Chinese.
void readLanguageAndPrepareFolders(AppState& state);

// Writes the language file ("E" or "C" with CR LF). False when it could not be written.
bool writeLanguageFile(const AppState& state, int language);

struct WindowSize {
    int width;
    int height;
};

// Minimum size of the main window for a screen of the given size.
WindowSize minimumMainWindowSize(int screenWidth, int screenHeight);

// A screen lower than 780 pixels moves the logo and running-volume groups up.
constexpr bool isShortScreen(int screenHeight) {
    return screenHeight < 780;
}

// Height of the maximised main window: the task bar's height is taken off, but at most 40.
int maximisedHeight(int maximisedWindowHeight, int taskBarHeight);

}  // namespace mz3

namespace mz3 {

// The per-user data folder of the panel ($XDG_DATA_HOME or ~/.local/share, then "mz3-panel").
std::filesystem::path defaultUserDataFolder();

// The folder of the running program file.
std::filesystem::path programFolder();

}  // namespace mz3
