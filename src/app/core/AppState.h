// Application-wide state of the shell: language, folders, start-up stage and screen size.
#pragma once

#include <string>

namespace mz3 {

enum Language : int { LanguageEnglish = 0, LanguageChinese = 1 };

struct AppState {
    int CurrentLanguage = LanguageChinese;
    int SavedLanguage = LanguageChinese;
    std::string AppDir;   // folder of the program file
    std::string ModeDir;  // holds the language file and the two preset folders
    std::string NddtDir;  // mode files
    std::string EqdtDir;  // hint-EQ files
    bool StartupDone = false;
    int ScreenWidth = 0;
    int ScreenHeight = 0;

    // Picks the text for the language on show: 1 selects Chinese, anything else English.
    const std::string& pick(const std::string& chinese, const std::string& english) const {
        return CurrentLanguage == LanguageChinese ? chinese : english;
    }
};

}  // namespace mz3
