// The real panel objects with real timers against the box simulator: search, handshake, full
// load, online, edits, recalls, downloads, loss and faults.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>

#include "SmallWindows.h"
#include "support/PanelHarness.h"

namespace mz3 {
namespace {

using test::PanelHarness;
using Via = PanelHarness::Via;

void expectNamesAndPassword(PanelHarness& h) {
    const auto& names = h.panel->link().ModeNames;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(names[size_t(i)], h.sim.model().modes()[size_t(i)].name) << i;
        EXPECT_EQ(names[size_t(26 + i)], h.sim.model().hintModes()[size_t(i)].name) << i;
    }
    EXPECT_EQ(h.panel->link().PanelPassword, h.sim.model().password);
}

class LinkEndToEnd : public ::testing::TestWithParam<Via> {};

TEST_P(LinkEndToEnd, SearchHandshakeLoadOnlineAndEdit) {
    PanelHarness h(GetParam());
    h.start();
    ASSERT_TRUE(h.waitOnline());
    EXPECT_EQ(h.mismatches(), 0);
    expectNamesAndPassword(h);
    EXPECT_EQ(h.panel->link().linkTransport, GetParam() == Via::Usb      ? TransportUsb
                                             : GetParam() == Via::Serial ? TransportSerial
                                                                         : TransportTcp);

    // An edit reaches the box.
    h.panel->store().SendDatatoMCU(ModMusic * 256 + 0, 33);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.sim.model().value(0, 0) == 33; }, 3000));
}

INSTANTIATE_TEST_SUITE_P(Transports, LinkEndToEnd,
                         ::testing::Values(Via::Tcp, Via::Serial, Via::Usb),
                         [](const ::testing::TestParamInfo<Via>& p) {
                             return p.param == Via::Tcp      ? std::string("Tcp")
                                    : p.param == Via::Serial ? std::string("Serial")
                                                             : std::string("Usb");
                         });

TEST(LinkEndToEndTcp, RecallReloadsAndDownloadWritesTheBox) {
    PanelHarness h(Via::Tcp);
    h.start();
    ASSERT_TRUE(h.waitOnline());

    // Recall device mode 1 in the box: the panel reloads everything.
    h.panel->store().SendDatatoMCU(SystemModule * 256 + 2, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.panel->link().linkState == LinkIdle; }, 2000));
    ASSERT_TRUE(h.waitOnline());
    EXPECT_EQ(h.sim.model().value(0, 0), h.sim.model().modes()[1].image[0][0]);
    EXPECT_EQ(h.mismatches(), 0);

    // Change the panel's image as a loaded mode file would, then download it all.
    for (int s = 0; s < SlotCount[3]; ++s) {
        h.panel->store().setDeviceValue(3, s, (s * 5) % 90);
    }
    h.panel->store().setDeviceValue(25, 10, 77);
    h.panel->controller().DisCheckWindow(6);
    EXPECT_EQ(h.panel->link().linkState, LinkIdle);
    ASSERT_TRUE(h.waitOnline());
    EXPECT_EQ(h.mismatches(), 0);
    EXPECT_EQ(h.sim.model().value(3, 114), (114 * 5) % 90);
    EXPECT_EQ(h.sim.model().value(25, 10), 77);
}

TEST(LinkEndToEndTcp, SilentBoxTakesThePanelOfflineInAboutSixSeconds) {
    PanelHarness h(Via::Tcp);
    h.start();
    ASSERT_TRUE(h.waitOnline());
    QTest::qWait(300);  // a poll or two answered
    h.sim.control().execute("silent");
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.offline(); }, 10000));
    const qint64 ms = clock.elapsed();
    EXPECT_GT(ms, 4000);
    EXPECT_LT(ms, 8000);
    EXPECT_EQ(h.panel->link().linkState, LinkIdle);
}

TEST(LinkEndToEndTcp, WrongIdentityShowsNewVersionWindowAndStaysOffline) {
    PanelHarness h(Via::Tcp);
    h.sim.faults().wrongIdentity = true;
    h.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.panel->form7()->isVisible(); }, 5000));
    EXPECT_TRUE(h.offline());
    QTest::qWait(500);
    EXPECT_NE(h.panel->link().linkState, LinkOnline);
    EXPECT_FALSE(h.online());
}

struct FaultCase {
    const char* name;
    const char* command;
};

class LoadUnderFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(LoadUnderFaults, CompletesIdenticalOrEndsOfflineNeverWrong) {
    PanelHarness h(Via::Tcp, 0.25, 0.1);
    h.sim.control().execute(GetParam().command);
    h.start();
    auto& timers = h.panel->linkTimers();
    ASSERT_TRUE(QTest::qWaitFor([&] { return timers.isActive(LinkTimer::Search); }, 3000));
    // Either online, or offline with the search and the transfer given up.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return h.online() || (h.offline() && !timers.isActive(LinkTimer::Search) &&
                                  !timers.isActive(LinkTimer::Sequencer));
        },
        30000));
    if (h.online()) {
        EXPECT_EQ(h.mismatches(), 0);
        expectNamesAndPassword(h);
        return;
    }
    // Whatever was stored came from the box.
    ParameterStore defaults;
    defaults.writeStartupDefaults();
    for (int m = 0; m <= 25; ++m) {
        for (int s = 0; s < SlotCount[size_t(m)]; ++s) {
            const int v = h.panel->store().deviceValue(m, s);
            if (v != defaults.deviceValue(m, s)) {
                EXPECT_EQ(v, h.sim.model().value(m, s)) << m << " " << s;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, LoadUnderFaults,
                         ::testing::Values(FaultCase{"Corrupt", "fault corrupt-every 7"},
                                           FaultCase{"Dropped", "fault drop-every 23"},
                                           FaultCase{"Split", "fault split 3"},
                                           FaultCase{"RandomCorrupt", "fault corrupt-prob 0.1"},
                                           FaultCase{"SilentMidLoad", "fault silent-after 40"}),
                         [](const ::testing::TestParamInfo<FaultCase>& p) {
                             return std::string(p.param.name);
                         });

}  // namespace
}  // namespace mz3
