#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Startup.h"
#include "support/TempDir.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(PresetFolderTest, WritableProgramFolderIsUsedForPortableUse) {
    TempDir program;
    TempDir user;
    EXPECT_TRUE(isWritableFolder(program.path()));
    EXPECT_EQ(choosePresetBase(program.path(), user.path()), program.path());
}

TEST(PresetFolderTest, ReadOnlyProgramFolderFallsBackToUserFolder) {
    TempDir user;
    // /proc takes no new files, not even from root: a real unwritable program folder.
    EXPECT_FALSE(isWritableFolder("/proc"));
    EXPECT_EQ(choosePresetBase("/proc", user.path()), user.path());
    // Any folder the predicate calls unwritable is skipped.
    TempDir program;
    EXPECT_EQ(choosePresetBase(program.path(), user.path(), [](const fs::path&) { return false; }),
              user.path());
    EXPECT_FALSE(isWritableFolder(program.path() / "missing"));
}

TEST(PresetFolderTest, FoldersAreNamedUnderMode) {
    AppState state;
    setFolders(state, "/opt/mz3/bin/", "/home/u/.local/share/mz3-panel");
    EXPECT_EQ(state.AppDir, "/opt/mz3/bin");
    EXPECT_EQ(state.ModeDir, "/home/u/.local/share/mz3-panel/Mode");
    EXPECT_EQ(state.NddtDir, "/home/u/.local/share/mz3-panel/Mode/KxMode");
    EXPECT_EQ(state.EqdtDir, "/home/u/.local/share/mz3-panel/Mode/HintMode");
}

struct LanguageCase {
    const char* content;
    int expected;
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
    *os << "content \"";
    for (const char* p = c.content; *p != 0; ++p) {
        *os << (*p == '\r' ? "\\r" : *p == '\n' ? "\\n" : std::string(1, *p));
    }
    *os << "\" -> " << c.expected;
}

class LanguageFileTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageFileTest, FirstLineDecidesTheLanguage) {
    TempDir base;
    AppState state;
    setFolders(state, base.path(), base.path());
    fs::create_directory(state.ModeDir);
    std::ofstream(fs::path(state.ModeDir) / "mod.dat", std::ios::binary) << GetParam().content;

    readLanguageAndPrepareFolders(state);

    EXPECT_EQ(state.SavedLanguage, GetParam().expected);
    EXPECT_EQ(state.CurrentLanguage, LanguageChinese);
    EXPECT_TRUE(fs::is_directory(state.NddtDir));
    EXPECT_TRUE(fs::is_directory(state.EqdtDir));
}

INSTANTIATE_TEST_SUITE_P(Contents, LanguageFileTest,
                         ::testing::Values(LanguageCase{"E\r\n", LanguageEnglish},
                                           LanguageCase{"E", LanguageEnglish},
                                           LanguageCase{"C\r\n", LanguageChinese},
                                           LanguageCase{"e\r\n", LanguageChinese},
                                           LanguageCase{"C \r\n", LanguageChinese},
                                           LanguageCase{"English\r\n", LanguageChinese},
                                           LanguageCase{"", LanguageChinese},
                                           LanguageCase{"\r\nE\r\n", LanguageChinese}),
                         [](const ::testing::TestParamInfo<LanguageCase>& p) {
                             return "case" + std::to_string(p.index);
                         });

TEST(LanguageFileTest, FirstRunCreatesTheFoldersButNoLanguageFile) {
    TempDir base;
    AppState state;
    // The per-user base may not exist yet.
    setFolders(state, base.path(), base.path() / "share" / "mz3-panel");
    readLanguageAndPrepareFolders(state);
    EXPECT_TRUE(fs::is_directory(state.ModeDir));
    EXPECT_TRUE(fs::is_directory(state.NddtDir));
    EXPECT_TRUE(fs::is_directory(state.EqdtDir));
    EXPECT_FALSE(fs::exists(fs::path(state.ModeDir) / "mod.dat"));
    EXPECT_EQ(state.SavedLanguage, LanguageChinese);
}

TEST(LanguageFileTest, WrittenFileReadsBack) {
    TempDir base;
    AppState state;
    setFolders(state, base.path(), base.path());
    readLanguageAndPrepareFolders(state);
    ASSERT_TRUE(writeLanguageFile(state, LanguageEnglish));
    std::ifstream in(fs::path(state.ModeDir) / "mod.dat", std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "E\r\n");
    AppState again;
    setFolders(again, base.path(), base.path());
    readLanguageAndPrepareFolders(again);
    EXPECT_EQ(again.SavedLanguage, LanguageEnglish);
}

TEST(LanguageFileTest, UnwritableFolderIsReported) {
    AppState state;
    setFolders(state, "/proc", "/proc");
    EXPECT_FALSE(writeLanguageFile(state, LanguageEnglish));
}

TEST(WindowRulesTest, MinimumSize) {
    struct Case {
        int w, h, minW, minH;
    };
    for (const Case& c : {Case{1366, 780, 683, 730}, Case{1366, 781, 683, 780},
                          Case{1920, 1080, 960, 780}, Case{1024, 700, 512, 650}}) {
        const WindowSize s = minimumMainWindowSize(c.w, c.h);
        EXPECT_EQ(s.width, c.minW) << c.w << "x" << c.h;
        EXPECT_EQ(s.height, c.minH) << c.w << "x" << c.h;
    }
    EXPECT_FALSE(isShortScreen(780));
    EXPECT_TRUE(isShortScreen(779));
}

TEST(WindowRulesTest, MaximisedHeightLeavesTheTaskBarAtMostFortyPixels) {
    EXPECT_EQ(maximisedHeight(1080, 48), 1040);
    EXPECT_EQ(maximisedHeight(1080, 30), 1050);
    EXPECT_EQ(maximisedHeight(1080, 0), 1080);
}

}  // namespace
}  // namespace mz3
