#include <gtest/gtest.h>

#include <cctype>

#include "ParameterStore.h"
#include "support/ParamFakes.h"

namespace mz3 {
namespace {

struct MappingCase {
    const char* what;
    ChannelSelection selection;
    int panelAddress;
    int deviceAddress;
};

ChannelSelection withSelection(int mic, int effect, int output, int hint, int bank) {
    ChannelSelection s;
    s.curMic = mic;
    s.curEffect = effect;
    s.curOutput = output;
    s.curHint = hint;
    s.outputBank = bank;
    return s;
}

class MapToDeviceTest : public ::testing::TestWithParam<MappingCase> {};

TEST_P(MapToDeviceTest, MapsPanelAddressToDeviceAddress) {
    const MappingCase& c = GetParam();
    ParameterStore store;
    store.selection() = c.selection;
    EXPECT_EQ(store.MapToDevice(c.panelAddress), c.deviceAddress) << c.what;
}

const ChannelSelection kInitial = withSelection(3, 5, 8, 22, 0);

INSTANTIATE_TEST_SUITE_P(
    Rules, MapToDeviceTest,
    ::testing::Values(
        MappingCase{"mic control follows Mic B", withSelection(4, 5, 8, 22, 0), 3 * 256 + 5,
                    4 * 256 + 5},
        MappingCase{"mic link switch stays in row 3", withSelection(4, 5, 8, 22, 0), 3 * 256 + 13,
                    3 * 256 + 13},
        MappingCase{"echo control follows Echo B", withSelection(3, 6, 8, 22, 0), 5 * 256 + 2,
                    6 * 256 + 2},
        MappingCase{"reverb selected keeps echo module", withSelection(3, 7, 8, 22, 0), 5 * 256 + 2,
                    5 * 256 + 2},
        MappingCase{"reverb selected keeps Echo B module", withSelection(3, 7, 8, 22, 0),
                    6 * 256 + 2, 6 * 256 + 2},
        MappingCase{"surround dance limiter", withSelection(3, 5, 13, 22, 1), 8 * 256 + 12,
                    13 * 256 + 12},
        MappingCase{"main right limiter shares left", withSelection(3, 5, 10, 22, 0), 8 * 256 + 15,
                    8 * 256 + 15},
        MappingCase{"centre limiter", withSelection(3, 5, 16, 22, 1), 8 * 256 + 14, 16 * 256 + 14},
        MappingCase{"surround right delay", withSelection(3, 5, 13, 22, 1), 14 * 256 + 10,
                    15 * 256 + 10},
        MappingCase{"surround EQ slot", withSelection(3, 5, 13, 22, 1), 8 * 256 + 30,
                    13 * 256 + 30},
        MappingCase{"SUB level", withSelection(3, 5, 18, 22, 0), 8 * 256 + 11, 18 * 256 + 11},
        MappingCase{"main right level on SUB page", withSelection(3, 5, 18, 22, 1), 10 * 256 + 11,
                    11 * 256 + 11},
        MappingCase{"module 9 delay", withSelection(3, 5, 16, 22, 1), 9 * 256 + 10, 9 * 256 + 10},
        MappingCase{"main left delay while Main shown", withSelection(3, 5, 11, 22, 1),
                    8 * 256 + 10, 9 * 256 + 10},
        MappingCase{"hint follows hint channel", withSelection(3, 5, 8, 24, 0), 22 * 256 + 3,
                    24 * 256 + 3},
        MappingCase{"music unchanged", kInitial, 0 * 256 + 88, 0 * 256 + 88},
        MappingCase{"reverb unchanged", withSelection(3, 6, 8, 22, 0), 7 * 256 + 4, 7 * 256 + 4},
        MappingCase{"system unchanged", kInitial, 30 * 256 + 4, 30 * 256 + 4}),
    [](const ::testing::TestParamInfo<MappingCase>& p) {
        std::string name = p.param.what;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return name;
    });

TEST(ParameterStoreTest, EditLandsInBothTablesAndReachesTheLink) {
    ParameterStore store;
    test::RecordingWritePath link;
    store.setWritePath(&link);
    store.selection().curMic = 4;

    store.SendDatatoMCU(3 * 256 + 5, 27);

    EXPECT_EQ(store.panelValue(3 * 256 + 5), 27);
    EXPECT_EQ(store.deviceValue(4, 5), 27);
    EXPECT_EQ(store.deviceValue(3, 5), 0);
    ASSERT_EQ(link.writes.size(), 1u);
    EXPECT_EQ(link.writes[0], std::make_pair(4 * 256 + 5, 27));
}

TEST(ParameterStoreTest, WriteDuringRefreshIsStoredButNotSent) {
    ParameterStore store;
    test::RecordingWritePath link;
    store.setWritePath(&link);
    store.flags().refreshActive = true;

    store.SendDatatoMCU(0 * 256 + 88, 3);

    EXPECT_EQ(store.panelValue(88), 3);
    EXPECT_EQ(store.deviceValue(0, 88), 3);
    EXPECT_TRUE(link.writes.empty());
}

TEST(ParameterStoreTest, EqWriteMakesFollowingWritesWait) {
    ParameterStore store;
    test::RecordingWritePath link;
    store.setWritePath(&link);
    store.SendEQDatatoMCU(26 * 256 + 4, 1);
    EXPECT_EQ(link.writes.size(), 1u);
    EXPECT_EQ(link.holds, 1);
}

TEST(ParameterStoreTest, AddressesOutsideTheTablesAreIgnored) {
    ParameterStore store;
    test::RecordingWritePath link;
    store.setWritePath(&link);
    for (int address : {-1, 31 * 256, 0 * 256 + 165, 30 * 256 + 255}) {
        store.SendDatatoMCU(address, 7);
        store.SendEQDatatoMCU(address, 7);
    }
    EXPECT_TRUE(link.writes.empty());
    EXPECT_EQ(link.holds, 0);
    for (const auto& row : store.DeviceValues()) {
        for (int v : row) {
            ASSERT_EQ(v, 0);
        }
    }
}

TEST(ParameterStoreTest, LoadPanelFromDeviceFollowsSelectionAndRightRows) {
    ParameterStore store;
    store.selection().curMic = 4;
    store.selection().curOutput = 13;
    store.selection().outputBank = 1;
    store.setDeviceValue(4, 20, 44);
    store.setDeviceValue(13, 30, 55);
    store.setDeviceValue(11, 10, 66);  // main right delay, dance bank
    store.setDeviceValue(15, 11, 77);  // surround right level, dance bank
    store.setDeviceValue(3, 13, 1);    // mic link switch stays in row 3

    store.LoadPanelFromDevice();

    EXPECT_EQ(store.panelValue(3 * 256 + 20), 44);
    EXPECT_EQ(store.panelValue(8 * 256 + 30), 55);
    EXPECT_EQ(store.panelValue(10 * 256 + 10), 66);
    EXPECT_EQ(store.panelValue(14 * 256 + 11), 77);
    EXPECT_EQ(store.panelValue(3 * 256 + 13), 1);
}

TEST(ParameterStoreTest, StoreDeviceWordsDropsCellsOutsideTheTable) {
    ParameterStore store;
    const uint16_t words[] = {1, 2, 3, 0xFFFF};
    store.StoreDeviceWords(5, 162, words);
    EXPECT_EQ(store.deviceValue(5, 162), 1);
    EXPECT_EQ(store.deviceValue(5, 164), 3);
    EXPECT_EQ(store.deviceValue(6, 0), 0);  // no wrap into the next row

    store.StoreDeviceWords(31, 0, words);
    store.StoreDeviceWords(-1, 0, words);
    store.StoreDeviceWords(0, 0, std::span<const uint16_t>(words + 3, 1));
    EXPECT_EQ(store.deviceValue(0, 0), 0xFFFF);  // stored as a non-negative integer
}

TEST(ParameterStoreTest, StartupDefaults) {
    ParameterStore store;
    store.setDeviceValue(3, 50, 9);   // a used slot is cleared
    store.setDeviceValue(27, 10, 9);  // module 27 has no used slots: left alone
    store.writeStartupDefaults();

    struct Expect {
        int module, slot, value;
    };
    const Expect expected[] = {{0, 0, 1},    {0, 1, 10},   {0, 2, 0},   {0, 7, 360},  {0, 85, 1},
                               {0, 88, 1},   {0, 93, 12},  {0, 94, 13}, {3, 12, 360}, {4, 12, 360},
                               {5, 12, 360}, {6, 12, 360}, {7, 9, 360}, {30, 4, 0},   {30, 20, 3},
                               {30, 21, 1},  {3, 50, 0},   {27, 10, 9}, {8, 19, 360}, {19, 19, 360},
                               {8, 21, 0}};
    for (const Expect& e : expected) {
        EXPECT_EQ(store.deviceValue(e.module, e.slot), e.value)
            << "module " << e.module << " slot " << e.slot;
    }
    for (const auto& row : store.PanelValues()) {
        for (int v : row) {
            ASSERT_EQ(v, 0);
        }
    }
}

}  // namespace
}  // namespace mz3
