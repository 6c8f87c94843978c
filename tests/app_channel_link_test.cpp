// Channel links and copies driven through the panel's selectors and copy group.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "ChannelLinks.h"
#include "Navigation.h"
#include "PanelApp.h"
#include "TForm1.h"
#include "support/ParamFakes.h"
#include "support/RecordingDialogs.h"
#include "support/TempDir.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;

class ChannelLinkTest : public ::testing::Test {
protected:
    ChannelLinkTest() {
        panel = std::make_unique<PanelApp>(
            parsePanelOptions({"p", "--host", "127.0.0.1"}),
            PanelEnvironment{base, base, &dialogs, nullptr, nullptr, false});
        panel->form1()->show();
        panel->store().setWritePath(&writes);
    }
    ~ChannelLinkTest() override {
        panel->store().setWritePath(nullptr);
        panel.reset();
    }
    void click(const char* name) {
        auto* b = panel->form1()->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        b->setVisible(true);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    Navigation& nav() { return panel->navigation(); }
    ParameterStore& store() { return panel->store(); }

    test::TempDir tempDir{"mz3-links"};
    const fs::path base = tempDir.path();
    test::RecordingDialogs dialogs;
    test::RecordingWritePath writes;
    std::unique_ptr<PanelApp> panel;
};

TEST_F(ChannelLinkTest, LinkingTheMicsWhileMicBIsShown) {
    nav().FormMusTabBtnClick(2);
    click("MicTFuntionBtn2");
    EXPECT_EQ(store().selection().curMic, ModMicB);
    EXPECT_EQ(writes.writes.back(), std::make_pair(makeAddress(3, 13), 0));
    for (int s = 0; s < SlotCount[ModMicA]; ++s) {
        store().setDeviceValue(ModMicA, s, 7 + s % 5);
    }
    writes.writes.clear();
    click("SameBtn");
    ASSERT_EQ(writes.writes.size(), 1u);
    EXPECT_EQ(writes.writes[0], std::make_pair(makeAddress(3, 13), 1));
    for (int s = 0; s < SlotCount[ModMicA]; ++s) {
        if (s != 13) {
            ASSERT_EQ(store().deviceValue(ModMicB, s), 7 + s % 5) << s;
        }
    }
    EXPECT_EQ(store().selection().curMic, ModMicA);  // linked: Mic A is shown and edited
    EXPECT_EQ(nav().links().state(MicPair), SideLinked);
}

TEST_F(ChannelLinkTest, SwitchingMicsWhileNotLinkedCopiesNothing) {
    nav().FormMusTabBtnClick(2);
    store().setDeviceValue(ModMicA, 20, 99);
    click("MicTFuntionBtn2");
    EXPECT_NE(store().deviceValue(ModMicB, 20), 99);
    EXPECT_EQ(writes.writes.back(), std::make_pair(makeAddress(3, 13), 0));
}

TEST_F(ChannelLinkTest, ReleasingTheMainLinkByChoosingMainRightCopiesBothBanksFirst) {
    store().setDeviceValue(ModMusic, 86, 1);  // dance bank, as the refresh reads it
    nav().FormMusTabBtnClick(5);
    nav().links().setState(MainPair, SideLinked);
    store().setDeviceValue(8, 30, 11);
    store().setDeviceValue(9, 30, 12);
    store().setDeviceValue(9, 10, 300);  // delay stays per side
    store().setDeviceValue(11, 10, 5);
    writes.writes.clear();
    // A write recorded while the copy is already in place proves the order.
    bool copiedBeforeSend = false;
    struct Probe : DeviceWritePath {
        ParameterStore* s;
        bool* ok;
        test::RecordingWritePath* rec;
        void submitWrite(int c, int v) override {
            *ok = s->deviceValue(11, 30) == 12 && s->deviceValue(10, 30) == 11;
            rec->submitWrite(c, v);
        }
        void holdUntilAcknowledged() override {}
    } probe;
    probe.s = &store();
    probe.ok = &copiedBeforeSend;
    probe.rec = &writes;
    store().setWritePath(&probe);
    // The right side requested while linked (the selector alone keeps a link).
    nav().SameBtnClick(SideRight);
    store().setWritePath(&writes);
    ASSERT_FALSE(writes.writes.empty());
    EXPECT_EQ(writes.writes[0], std::make_pair(89, 0));
    EXPECT_TRUE(copiedBeforeSend);
    EXPECT_EQ(store().deviceValue(11, 10), 5);
    EXPECT_EQ(store().selection().curOutput, 11);  // Main Right, dance bank
}

TEST_F(ChannelLinkTest, MainSelectorKeepsALink) {
    nav().FormMusTabBtnClick(5);
    nav().links().setState(MainPair, SideLinked);
    writes.writes.clear();
    nav().MainTFuntionBtn1Click(1);
    EXPECT_EQ(writes.writes, (std::vector<std::pair<int, int>>{{89, 1}}));
    EXPECT_EQ(nav().links().state(MainPair), SideLinked);
}

TEST_F(ChannelLinkTest, SameButtonOnTheDeqPageDoesNothing) {
    nav().FormMusTabBtnClick(1);
    writes.writes.clear();
    nav().SameBtnClick(SideLinked);
    EXPECT_TRUE(writes.writes.empty());
}

TEST_F(ChannelLinkTest, SeparationSwitchSendsFourWritesInOrder) {
    writes.writes.clear();
    click("SysLRBtn2");
    const std::vector<std::pair<int, int>> expected = {{8, 1}, {89, 1}, {90, 1}, {0x1E03, 1}};
    EXPECT_EQ(writes.writes, expected);
    writes.writes.clear();
    click("SysLRBtn1");
    EXPECT_EQ(writes.writes, (std::vector<std::pair<int, int>>{{0x1E03, 0}}));
}

TEST(ChannelLinksTest, DerivationFollowsTheSwitches) {
    ParameterStore store;
    ChannelLinks links;
    links.setState(MicPair, SideRight);
    links.setState(MainPair, SideLinked);
    store.setPanelValue(makeAddress(3, 13), 0);
    store.setPanelValue(90, 1);
    links.derive(store);
    EXPECT_EQ(links.state(MicPair), SideRight);  // a chosen side stays
    EXPECT_EQ(links.state(MainPair), SideLeft);  // switched off: back to the left
    EXPECT_EQ(links.state(SurroundPair), SideLinked);
    EXPECT_EQ(links.state(MusicPair), SideLeft);
}

TEST(ChannelLinksTest, MusicCopyMovesTheEqToTheRightModule) {
    ParameterStore store;
    store.setDeviceValue(0, 10, 3);
    store.setDeviceValue(0, 84, 9);
    ChannelLinks::CopyChannel(MusicPair, store);
    EXPECT_EQ(store.deviceValue(1, 0), 3);
    EXPECT_EQ(store.deviceValue(1, 74), 9);
}

}  // namespace
}  // namespace mz3
