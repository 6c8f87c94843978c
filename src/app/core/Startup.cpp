#include "Startup.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace mz3 {

namespace fs = std::filesystem;

bool isWritableFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return false;
    }
    // access() alone says yes to root everywhere, even on read-only mounts and /proc; a real
    // probe file settles it.
    if (::access(folder.c_str(), W_OK) != 0) {
        return false;
    }
    const fs::path probe = folder / ".mz3-write-probe";
    {
        std::ofstream out(probe);
        if (!out) {
            return false;
        }
    }
    fs::remove(probe, ec);
    return true;
}

fs::path choosePresetBase(const fs::path& programDir, const fs::path& userDataDir,
                          const std::function<bool(const fs::path&)>& writable) {
    return writable(programDir) ? programDir : userDataDir;
}

void setFolders(AppState& state, const fs::path& programDir, const fs::path& presetBase) {
    state.AppDir = programDir.lexically_normal().make_preferred().string();
    const fs::path mode = (presetBase / "Mode").lexically_normal().make_preferred();
    state.ModeDir = mode.string();
    state.NddtDir = (mode / "KxMode").string();
    state.EqdtDir = (mode / "HintMode").string();
    for (std::string* dir : {&state.AppDir, &state.ModeDir}) {
        while (dir->size() > 1 && dir->back() == fs::path::preferred_separator) {
            dir->pop_back();
        }
    }
}

std::optional<int> parseLanguageLine(const std::string& firstLine) {
    if (firstLine == "E") {
        return LanguageEnglish;
    }
    if (firstLine == "C") {
        return LanguageChinese;
    }
    return std::nullopt;
}

void readLanguageAndPrepareFolders(AppState& state) {
    std::error_code ec;
    const fs::path file = fs::path(state.ModeDir) / "mod.dat";
    if (fs::exists(file, ec)) {
        std::ifstream in(file, std::ios::binary);
        std::string line;
        if (in && std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (auto lang = parseLanguageLine(line)) {
                state.SavedLanguage = *lang;
            }
        }
        fs::create_directory(state.NddtDir, ec);
        fs::create_directory(state.EqdtDir, ec);
        return;
    }
    // The per-user base may not exist yet on a first run; the program folder always does.
    fs::create_directories(fs::path(state.ModeDir).parent_path(), ec);
    fs::create_directory(state.ModeDir, ec);
    fs::create_directory(state.NddtDir, ec);
    fs::create_directory(state.EqdtDir, ec);
}

bool writeLanguageFile(const AppState& state, int language) {
    std::ofstream out(fs::path(state.ModeDir) / "mod.dat", std::ios::binary | std::ios::trunc);
    out << (language == LanguageEnglish ? "E" : "C") << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

WindowSize minimumMainWindowSize(int screenWidth, int screenHeight) {
    const int height = screenHeight > 780 ? 780 : screenHeight - 50;
    return {screenWidth / 2, height};
}

int maximisedHeight(int maximisedWindowHeight, int taskBarHeight) {
    return maximisedWindowHeight - std::clamp(taskBarHeight, 0, 40);
}

}  // namespace mz3

namespace mz3 {

std::filesystem::path defaultUserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg == '/') {
        return std::filesystem::path(xdg) / "mz3-panel";
    }
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = home != nullptr ? home : "/tmp";
    return base / ".local" / "share" / "mz3-panel";
}

std::filesystem::path programFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

}  // namespace mz3
