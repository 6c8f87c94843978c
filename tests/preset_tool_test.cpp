#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PresetTool.h"

#include "support/TempDir.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;

class PresetToolTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return preset::run(args, out, err);
    }
    std::string text(const std::string& name, const std::string& content) {
        const fs::path p = dir / name;
        std::ofstream(p) << content;
        return p.string();
    }
    test::TempDir tempDir{"mz3-tool"};
    const fs::path dir = tempDir.path();
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(PresetToolTest, PackThenCheckAndShow) {
    const std::string src = text("a.txt", "# music\n0 0 20\n\n0 11 204   # band 1 frequency\n");
    const std::string file = (dir / "A.Nddt").string();
    ASSERT_EQ(run({"pack", "--kind", "nddt", src, file}), 0) << err.str();
    EXPECT_EQ(run({"check", file}), 0);
    EXPECT_NE(out.str().find("ok"), std::string::npos);
    EXPECT_EQ(run({"show", file}), 0);
    EXPECT_NE(out.str().find("kind: mode file (.Nddt)"), std::string::npos);
    EXPECT_NE(out.str().find("\n0 0 20   # Music input gain\n"), std::string::npos);
    EXPECT_NE(out.str().find("\n0 11 204   # Music EQ band 1 frequency\n"), std::string::npos);
    EXPECT_NE(out.str().find("\n26 17 0\n"), std::string::npos);  // missing slots are 0
}

TEST_F(PresetToolTest, CheckRefusesWhatThePanelRefuses) {
    const std::string file = (dir / "B.EQdt").string();
    ASSERT_EQ(run({"pack", "--kind", "eqdt", text("b.txt", "22 3 150\n"), file}), 0);
    // One value changed: line 5 holds module 22 slot 3 (value 150), XORed with 5.
    auto lines = *readRawLines(file);
    ASSERT_EQ(*unscrambleLine(lines[5]),
              std::to_string((22 * 256 + 3) ^ 5) + " " + std::to_string(150 ^ 5));
    lines[5] = scrambleLine(std::to_string((22 * 256 + 3) ^ 5) + " " + std::to_string(151 ^ 5));
    ASSERT_TRUE(writeLinesAtomically(file, lines));
    EXPECT_EQ(run({"check", file}), 1);
    EXPECT_NE(out.str().find("Data file is corrupted!"), std::string::npos);
    EXPECT_EQ(run({"check", (dir / "none.Nddt").string()}), 1);
    EXPECT_NE(out.str().find("File not find!"), std::string::npos);
    // A hint-EQ file renamed as a mode file fails the header check.
    fs::copy_file(file, dir / "C.Nddt");
    EXPECT_EQ(run({"check", (dir / "C.Nddt").string()}), 1);
    EXPECT_NE(out.str().find("File format error!"), std::string::npos);
}

TEST_F(PresetToolTest, DiffListsTheValuesThatDiffer) {
    const std::string a = (dir / "A.Nddt").string();
    const std::string b = (dir / "B.Nddt").string();
    run({"pack", "--kind", "nddt", text("a.txt", "0 0 20\n3 20 5\n"), a});
    run({"pack", "--kind", "nddt", text("b.txt", "0 0 21\n3 20 5\n"), b});
    EXPECT_EQ(run({"diff", a, a}), 0);
    EXPECT_EQ(run({"diff", a, b}), 1);
    EXPECT_EQ(out.str(), "0 0: 20 -> 21   # Music input gain\n1 value differs\n");
}

TEST_F(PresetToolTest, UsageErrors) {
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("pack --kind nddt|eqdt TEXT OUT"), std::string::npos);
    EXPECT_EQ(run({"frobnicate"}), 2);
    const std::string out1 = (dir / "X.EQdt").string();
    EXPECT_EQ(run({"pack", "--kind", "eqdt", text("c.txt", "0 0 1\n"), out1}), 2);
    EXPECT_EQ(run({"pack", "--kind", "nddt", text("d.txt", "0 0\n"), out1}), 2);
    EXPECT_EQ(run({"pack", "--kind", "nddt", text("e.txt", "3 116 1\n"), out1}), 2);
    EXPECT_FALSE(fs::exists(out1));
}

}  // namespace
}  // namespace mz3
