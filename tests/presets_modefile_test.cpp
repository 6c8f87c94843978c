#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "ModeFile.h"

#include "support/TempDir.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;

class RecordingHost : public ModeFileHost {
public:
    void ShowBilingualMessage(const std::string& zh, const std::string& en) override {
        messages.emplace_back(zh, en);
    }
    void DisCheckWindow(int action) override { actions.push_back(action); }
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<int> actions;
};

class ModeFileTest : public ::testing::Test {
protected:
    ModeFileTest() {
        fs::create_directories(base / "KxMode");
        fs::create_directories(base / "HintMode");
    }
    void fillRandom(ParameterStore& s, uint32_t seed) {
        std::mt19937 rng(seed);
        for (int m = 0; m < kModuleCount; ++m) {
            for (int slot = 0; slot <= SlotCount[size_t(m)] && slot < kSlotCapacity; ++slot) {
                s.setDeviceValue(m, slot, int(rng() % 400));
            }
        }
    }
    std::vector<std::string> plainOf(const fs::path& p) {
        std::vector<std::string> out;
        const auto rawLines = readRawLines(p);
        for (const auto& raw : *rawLines) {
            out.push_back(*unscrambleLine(raw));
        }
        return out;
    }
    void rewrite(const fs::path& p, const std::vector<std::string>& plain) {
        std::vector<std::string> lines;
        for (const auto& l : plain) {
            lines.push_back(scrambleLine(l));
        }
        ASSERT_TRUE(writeLinesAtomically(p, lines));
    }
    ModeFiles files(ParameterStore& s) {
        return ModeFiles(s, base / "KxMode", base / "HintMode", host);
    }

    test::TempDir tempDir{"mz3-modes"};
    const fs::path base = tempDir.path();
    RecordingHost host;
};

TEST_F(ModeFileTest, RoundTripTakesModules0To21) {
    ParameterStore source;
    fillRandom(source, 7);
    ASSERT_TRUE(files(source).WriteModeFile(KindModeFile, "Live"));
    ParameterStore target;
    ASSERT_TRUE(files(target).ReadModeFile(KindModeFile, "Live"));
    for (int m = 0; m <= 26; ++m) {
        for (int s = 0; s < kSlotCapacity; ++s) {
            const int expected =
                m <= 21 && s <= SlotCount[size_t(m)] ? source.deviceValue(m, s) : 0;
            ASSERT_EQ(target.deviceValue(m, s), expected) << m << " " << s;
        }
    }
    EXPECT_EQ(host.actions, std::vector<int>{6});
    EXPECT_TRUE(host.messages.empty());

    ASSERT_TRUE(files(source).WriteModeFile(KindHintFile, "Hint"));
    ParameterStore hint;
    ASSERT_TRUE(files(hint).ReadModeFile(KindHintFile, "Hint"));
    EXPECT_EQ(hint.deviceValue(23, 26), source.deviceValue(23, 26));
    EXPECT_EQ(hint.deviceValue(21, 0), 0);
    EXPECT_EQ(host.actions, (std::vector<int>{6, 8}));
}

TEST_F(ModeFileTest, LayoutOfTheLines) {
    ParameterStore s;
    s.setDeviceValue(0, 0, 5);
    files(s).WriteModeFile(KindModeFile, "A");
    files(s).WriteModeFile(KindHintFile, "B");
    const auto mode = plainOf(base / "KxMode" / "A.Nddt");
    ASSERT_EQ(mode.size(), 1640u);
    EXPECT_EQ(mode[0], "T4 " + std::to_string(0xC0 ^ 0x3D));
    EXPECT_EQ(mode[1], "Zelak " + std::to_string(1 ^ 0x3D));
    EXPECT_EQ(mode[2], "2 7");  // address 0 and value 5, both XOR 2
    EXPECT_EQ(mode[1638], "Intoal: 1638");
    const auto hint = plainOf(base / "HintMode" / "B.EQdt");
    ASSERT_EQ(hint.size(), 85u);
    EXPECT_EQ(hint[0], "T4EQ " + std::to_string(0xC0 ^ 0x6A));
    EXPECT_EQ(hint[83], "Intoal: 83");
    EXPECT_EQ(hint[2], std::to_string((22 * 256) ^ 2) + " 2");
    // The file holds only hex digits and CR LF line ends.
    std::ifstream in(base / "KxMode" / "A.Nddt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes.find_first_not_of("0123456789ABCDEF\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(ModeFileChecksumTest, Examples) {
    struct Case {
        int32_t sum;
        int checksum;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 255}, Case{256, 0}, Case{70000, 144}}) {
        EXPECT_EQ(modeFileChecksum(c.sum), c.checksum) << c.sum;
    }
    // A negative sum keeps the sign of the dividend.
    EXPECT_EQ(modeFileChecksum(-70000), ((-70000 ^ 0xFFFF) + 1) % 256);
}

TEST(ModeFileScrambleTest, RoundTripAndBadPairs) {
    const std::string plain = "Intoal: 1638";
    EXPECT_EQ(*unscrambleLine(scrambleLine(plain)), plain);
    EXPECT_EQ(scrambleLine("T").substr(0, 2), "0A");             // 'T' 0x54 ^ 0x5E
    EXPECT_EQ(*unscrambleLine(scrambleLine("AB") + "F"), "AB");  // odd tail ignored
    EXPECT_FALSE(unscrambleLine("0G"));
}

struct Damage {
    const char* name;
    int kind;  // 0 corrupt line count, 1 change a value, 2 wrong kind, 3 malformed
};

TEST_F(ModeFileTest, RejectedFilesChangeNothing) {
    ParameterStore source;
    fillRandom(source, 11);
    files(source).WriteModeFile(KindModeFile, "Good");
    const auto plain = plainOf(base / "KxMode" / "Good.Nddt");

    struct Case {
        const char* name;
        std::function<void()> damage;
        ModeFileKind readAs;
        const char* english;
    };
    const Case cases[] = {
        {"Truncated",
         [&] {
             auto p = plain;
             p.pop_back();
             rewrite(base / "KxMode" / "Truncated.Nddt", p);
         },
         KindModeFile, "Data file is corrupted!"},
        {"Altered",
         [&] {
             auto p = plain;
             p[500] = "498 12345";
             rewrite(base / "KxMode" / "Altered.Nddt", p);
         },
         KindModeFile, "Data file is corrupted!"},
        {"CrossKind",
         [&] {
             fs::copy_file(base / "KxMode" / "Good.Nddt", base / "HintMode" / "CrossKind.EQdt");
         },
         KindHintFile, "File format error!"},
        {"TooShort",
         [&] {
             rewrite(base / "KxMode" / "TooShort.Nddt", {plain[0], plain[1]});
         },
         KindModeFile, "The file content cannot be read; nothing was loaded!"},
        {"NotNumber",
         [&] {
             auto p = plain;
             p[40] = "abc 12";
             rewrite(base / "KxMode" / "NotNumber.Nddt", p);
         },
         KindModeFile, "The file content cannot be read; nothing was loaded!"},
        {"MissingField",
         [&] {
             auto p = plain;
             p[41] = "1234";
             rewrite(base / "KxMode" / "MissingField.Nddt", p);
         },
         KindModeFile, "The file content cannot be read; nothing was loaded!"},
        {"BadHex",
         [&] {
             auto raw = *readRawLines(base / "KxMode" / "Good.Nddt");
             raw[10][3] = 'X';
             writeLinesAtomically(base / "KxMode" / "BadHex.Nddt", raw);
         },
         KindModeFile, "The file content cannot be read; nothing was loaded!"},
        {"Missing", [] {}, KindModeFile, "File not find!"},
    };
    for (const Case& c : cases) {
        c.damage();
        ParameterStore target;
        target.setDeviceValue(3, 3, 77);
        host.messages.clear();
        host.actions.clear();
        EXPECT_FALSE(files(target).ReadModeFile(c.readAs, c.name)) << c.name;
        ASSERT_EQ(host.messages.size(), 1u) << c.name;
        EXPECT_EQ(host.messages[0].second, c.english) << c.name;
        EXPECT_TRUE(host.actions.empty()) << c.name;
        for (int m = 0; m < kModuleCount; ++m) {
            for (int s = 0; s < kSlotCapacity; ++s) {
                ASSERT_EQ(target.deviceValue(m, s), m == 3 && s == 3 ? 77 : 0) << c.name;
            }
        }
    }
}

TEST_F(ModeFileTest, AddressesOutsideTheTableAreNeverStored) {
    std::vector<std::string> plain = {"T4 " + std::to_string(0xC0 ^ 0x3D),
                                      "Zelak " + std::to_string(1 ^ 0x3D)};
    const int32_t lines[][2] = {
        {0 * 256 + 5, 9}, {31 * 256 + 0, 4}, {2 * 256 + 200, 6}, {-5, 3}, {21 * 256 + 164, 8}};
    int32_t sum = 0;
    int n = 1;
    for (const auto& l : lines) {
        ++n;
        plain.push_back(std::to_string(l[0] ^ n) + " " + std::to_string(l[1] ^ n));
        sum += l[1];
    }
    plain.push_back("Intoal: " + std::to_string(n + 1));
    plain.push_back("CCCCK: " + std::to_string(modeFileChecksum(sum)));
    rewrite(base / "KxMode" / "Odd.Nddt", plain);
    ParameterStore target;
    ASSERT_TRUE(files(target).ReadModeFile(KindModeFile, "Odd"));
    EXPECT_EQ(target.deviceValue(0, 5), 9);
    EXPECT_EQ(target.deviceValue(21, 164), 8);
    int stored = 0;
    for (const auto& row : target.DeviceValues()) {
        for (int v : row) {
            stored += v != 0;
        }
    }
    EXPECT_EQ(stored, 2);
}

TEST_F(ModeFileTest, UnwritableFolderIsReportedAndNothingLooksSaved) {
    ParameterStore s;
    ModeFiles f(s, "/proc/mz3-nowhere", "/proc/mz3-nowhere", host);
    EXPECT_FALSE(f.WriteModeFile(KindModeFile, "X"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second, "The file could not be saved!");
    EXPECT_TRUE(f.ListModeFiles(KindModeFile).empty());
}

TEST_F(ModeFileTest, ListingAndDeleting) {
    ParameterStore s;
    ModeFiles f = files(s);
    for (int i = 0; i < 230; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "m%03d", i);
        std::ofstream(base / "KxMode" / (std::string(name) + ".Nddt")) << "x";
    }
    std::ofstream(base / "KxMode" / "Live.Mix.Nddt") << "x";
    std::ofstream(base / "KxMode" / "Live.Nddt2") << "x";
    std::ofstream(base / "KxMode" / "notes.txt") << "x";
    fs::create_directory(base / "KxMode" / "dir.Nddt");
    const auto names = f.ListModeFiles(KindModeFile);
    ASSERT_EQ(names.size(), 232u);
    EXPECT_EQ(names[0], "Live.Mix");
    EXPECT_EQ(names[1], "Live.Nddt2");
    EXPECT_EQ(names[2], "m000");
    EXPECT_EQ(names.back(), "m229");
    EXPECT_TRUE(f.ListModeFiles(KindHintFile).empty());

    host.messages.clear();
    EXPECT_FALSE(f.ReadModeFile(KindModeFile, "Live.Nddt2"));
    EXPECT_EQ(host.messages[0].second, "File not find!");

    host.messages.clear();
    f.DeleteModeFile(KindModeFile, "m005");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, (base / "KxMode" / "m005.Nddt").string());
    EXPECT_FALSE(fs::exists(base / "KxMode" / "m005.Nddt"));
    f.DeleteModeFile(KindModeFile, "");
    EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace mz3
