#include <gtest/gtest.h>

#include "LinkController.h"
#include "support/Fakes.h"
#include "support/LinkFakes.h"
#include "support/LinkRig.h"

namespace mz3 {
namespace {

class LinkControlTest : public test::LinkFixture {
protected:
    LinkControlTest() {
        callbacks.refreshAll = [this] { calls.push_back("refreshAll"); };
        callbacks.refreshPageModule = [this] { calls.push_back("refreshPage"); };
        callbacks.refillModeList = [this] { calls.push_back("modeList"); };
        callbacks.refillHintModeLists = [this] { calls.push_back("hintLists"); };
        callbacks.showNewVersionWindow = [this] { calls.push_back("newVersion"); };
        control = std::make_unique<LinkController>(link, store, timers, view, search, callbacks);
    }

    int identifies() const {
        int n = 0;
        for (const auto& f : transport.frames) {
            n += f == test::hexBytes("F5 C0 06 B0 1E 16 00 00 D9");
        }
        return n;
    }

    test::FakeSearch search;
    LinkControlCallbacks callbacks;
    std::vector<std::string> calls;
    std::unique_ptr<LinkController> control;
};

TEST_F(LinkControlTest, SearchStartWithoutUsbOrPortsGoesToTcp) {
    link.flags.HandshakeSeen = true;
    link.FirstLinkStage = 2;
    store.flags().refreshActive = true;
    control->writeQueue();  // pending writes are dropped on search start
    control->LinkBtnClick(true);
    EXPECT_EQ(link.linkTransport, TransportTcp);
    EXPECT_FALSE(link.flags.HandshakeSeen);
    EXPECT_EQ(link.FirstLinkStage, 0);
    EXPECT_FALSE(store.flags().refreshActive);
    EXPECT_TRUE(timers.isActive(LinkTimer::Search));
    EXPECT_FALSE(timers.isActive(LinkTimer::Sequencer));
    EXPECT_FALSE(timers.isActive(LinkTimer::Hold));
    EXPECT_EQ(view.status, "设备搜索...");
    EXPECT_EQ(view.statusEnglish, "Search...");
    EXPECT_TRUE(view.buttonSearching);
    EXPECT_TRUE(view.statusVisible);
    EXPECT_EQ(view.progress, 0);
    EXPECT_EQ(view.commandBoxHidden, 1);
}

TEST_F(LinkControlTest, SearchGoesThroughUsbSerialPortsThenTcpThenGivesUp) {
    search.usb = true;
    search.ports = {"/dev/ttyUSB0", "/dev/pts/4"};
    search.selection = 0;
    control->LinkBtnClick(true);
    EXPECT_EQ(link.linkTransport, TransportUsb);
    std::vector<std::string> portTexts;
    for (int tick = 0; tick < 12 && timers.isActive(LinkTimer::Search); ++tick) {
        if (tick == 2) {
            search.usb = false;  // USB gets two requests either way
        }
        control->Timer1Timer();
        portTexts.push_back(view.portText);
    }
    // USB twice, then one tick per port and one on the empty position, then TCP three times.
    EXPECT_EQ(search.opened, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/pts/4"}));
    EXPECT_EQ(identifies(), 2 + 2 + 3);
    EXPECT_EQ(search.tcpConnects, 2);  // on switching, and again at the first TCP tick
    EXPECT_FALSE(timers.isActive(LinkTimer::Search));
    EXPECT_EQ(view.status, "设备未连接");
    EXPECT_EQ(search.tcpDeactivations, 2);  // action 9 and the give-up
    EXPECT_EQ(portTexts.front(), "  USB");
    EXPECT_EQ(portTexts.back(), "Network");
}

TEST_F(LinkControlTest, KeptTcpConnectionIsNotTornDown) {
    control->LinkBtnClick(true);
    search.connected = true;
    control->Timer1Timer();
    EXPECT_EQ(search.tcpConnects, 0);
    EXPECT_EQ(identifies(), 1);
}

TEST_F(LinkControlTest, HandshakeStartsTheLoadWithTheTransportsPace) {
    struct Case {
        LinkTransport transport;
        int interval;
    };
    for (const Case& c :
         {Case{TransportTcp, 160}, Case{TransportSerial, 50}, Case{TransportUsb, 50}}) {
        transport.frames.clear();
        control->LinkBtnClick(true);
        link.linkTransport = c.transport;
        link.flags.HandshakeSeen = true;
        control->Timer1Timer();
        EXPECT_EQ(timers.interval[LinkTimer::Sequencer], c.interval);
        EXPECT_TRUE(timers.isActive(LinkTimer::Sequencer));
        EXPECT_FALSE(timers.isActive(LinkTimer::Search));
        EXPECT_EQ(view.status, "连接中...");
        EXPECT_EQ(link.linkState, LinkIdle);
        ASSERT_EQ(transport.frames.size(), 1u);
        EXPECT_EQ(transport.frames[0][4] * 256 + transport.frames[0][5], CodeReadBlock);
    }
}

TEST_F(LinkControlTest, GoingOnline) {
    store.setDeviceValue(ModMusic, 86, 5);
    control->DisCheckWindow(1);
    EXPECT_EQ(store.selection().outputBank, 1);
    EXPECT_EQ(link.FirstLinkStage, 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshAll", "refreshPage"}));
    EXPECT_EQ(link.linkState, LinkOnline);
    EXPECT_TRUE(view.onlineLook);
    EXPECT_EQ(view.status, "设备已连接");
    EXPECT_FALSE(view.statusVisible);
    EXPECT_EQ(view.mainShown, 1);
    EXPECT_TRUE(timers.isActive(LinkTimer::Hold));
    link.FirstLinkStage = 2;
    control->DisCheckWindow(1);
    EXPECT_EQ(link.FirstLinkStage, 2);
}

TEST_F(LinkControlTest, DownloadsNeedTheLinkOnline) {
    for (int action : {6, 8}) {
        control->DisCheckWindow(action);
        EXPECT_TRUE(transport.frames.empty());
        EXPECT_FALSE(timers.isActive(LinkTimer::Sequencer));
    }
    link.linkState = LinkOnline;
    control->DisCheckWindow(8);
    EXPECT_EQ(view.status, "下载数据...");
    EXPECT_EQ(link.linkState, LinkIdle);
    EXPECT_EQ(control->sequencer().StepPos, 22);
    EXPECT_EQ(control->sequencer().StepTotal, 25);
    EXPECT_EQ(control->sequencer().StepMode, 1);
}

TEST_F(LinkControlTest, FailedKeepsLinkStateLostSetsIdle) {
    link.linkState = LinkOnline;
    store.flags().refreshActive = true;
    timers.start(LinkTimer::Sequencer);
    control->DisCheckWindow(9);
    EXPECT_EQ(link.linkState, LinkOnline);
    EXPECT_FALSE(store.flags().refreshActive);
    EXPECT_FALSE(timers.isActive(LinkTimer::Sequencer));
    EXPECT_EQ(view.status, "设备未连接");
    EXPECT_FALSE(view.buttonSearching);
    EXPECT_EQ(search.tcpDeactivations, 1);
    control->DisCheckWindow(7);
    EXPECT_EQ(link.linkState, LinkIdle);
}

TEST_F(LinkControlTest, ReloadsSavesAndPassword) {
    control->DisCheckWindow(2);
    EXPECT_EQ(view.status, "加载中...");
    EXPECT_EQ(control->sequencer().StepTotal, 41);
    control->DisCheckWindow(22);
    EXPECT_EQ(control->sequencer().StepPos, 22);
    EXPECT_EQ(control->sequencer().StepMode, 0);
    control->DisCheckWindow(3);
    control->DisCheckWindow(23);
    EXPECT_EQ(calls, (std::vector<std::string>{"modeList", "hintLists"}));
    EXPECT_EQ(view.savedMessages, (std::vector<bool>{false, true}));
    EXPECT_EQ(link.linkState, LinkOnline);
    control->DisCheckWindow(5);
    EXPECT_EQ(view.passwordMessages, 1);
    control->DisCheckWindow(42);  // unknown: nothing
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(LinkControlTest, UnlinkAndClose) {
    link.linkState = LinkOnline;
    timers.start(LinkTimer::Hold);
    control->LinkBtnClick(false);
    EXPECT_EQ(link.linkState, LinkIdle);
    EXPECT_FALSE(timers.isActive(LinkTimer::Hold));
    ASSERT_EQ(transport.frames.size(), 1u);
    EXPECT_EQ(transport.frames[0], test::hexBytes("F5 C0 06 B7 1E 30 AA 00 A4"));
    EXPECT_EQ(view.status, "设备未连接");

    control->closeLink();  // offline: nothing
    EXPECT_EQ(transport.frames.size(), 1u);
    link.linkState = LinkOnline;
    control->closeLink();
    EXPECT_EQ(transport.frames.size(), 2u);
    EXPECT_EQ(link.linkState, LinkIdle);
}

TEST_F(LinkControlTest, IdentityMismatchFailsTheLinkAndShowsNewVersion) {
    control->LinkBtnClick(true);
    control->identityMismatch();
    EXPECT_EQ(calls, std::vector<std::string>{"newVersion"});
    EXPECT_FALSE(timers.isActive(LinkTimer::Search));
    EXPECT_EQ(view.status, "设备未连接");
}

TEST_F(LinkControlTest, SearchTickShowsTheStatusWindowEvenIfClosed) {
    control->LinkBtnClick(true);
    view.statusVisible = false;
    control->Timer1Timer();
    EXPECT_TRUE(view.statusVisible);
}

}  // namespace
}  // namespace mz3
