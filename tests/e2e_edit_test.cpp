// The edit pipeline of the whole panel against the box simulator over loopback TCP.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "ValueScales.h"
#include "support/PanelHarness.h"

namespace mz3 {
namespace {

using test::PanelHarness;

QString textOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) {
        return l->text();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text();
    }
    return {};
}

TEST(EditEndToEnd, AfterALoadEveryControlShowsTheBoxValueInItsUnit) {
    PanelHarness h(PanelHarness::Via::Tcp);
    h.start();
    ASSERT_TRUE(h.waitOnline());
    struct Row {
        const char* control;
        int module;  // where the box keeps the value for the channels on show after a load
        int slot;
        int kind;
    };
    const Row rows[] = {
        {"MusGain1Edit", 0, 0, 22},      {"MusHPFREPane", 0, 5, 6},
        {"MusLPFREPane", 0, 7, 6},       {"MusGainEdit1", 0, 12, 3},
        {"MusFreEdit15", 0, 81, 2},      {"MicInputGainPane", 3, 0, 22},
        {"MicRmsRatioPane", 3, 8, 15},   {"MicFreEdit3", 3, 26, 2},
        {"EchoEffLevelPane", 5, 0, 9},   {"EchoTimePane", 5, 5, 11},
        {"RvbTimePane", 7, 5, 12},       {"MainLevelPane", 8, 11, 9},
        {"MainRmsLevelPane", 8, 12, 14}, {"MainGainEdit10", 8, 68, 3},
        {"RECMusLevelPane", 20, 0, 9},   {"DEQRmsLevelPane2", 2, 17, 20},
        {"HintGainEdit2", 22, 8, 3},     {"AUXMUSBassMaxAddEdit", 21, 31, 27},
    };
    for (const Row& r : rows) {
        QWidget* w = h.panel->binding().find(r.control);
        ASSERT_NE(w, nullptr) << r.control;
        EXPECT_EQ(textOf(w).toStdString(),
                  FormatValue(r.kind, h.sim.model().value(r.module, r.slot)))
            << r.control;
    }
    auto* bar = qobject_cast<QSlider*>(h.panel->binding().find("MusGain1Bar"));
    EXPECT_EQ(bar->value(), h.sim.model().value(0, 0));
    auto* vol = qobject_cast<QLabel*>(h.panel->binding().find("SysMusNormalVolPane"));
    EXPECT_EQ(vol->text(), QString::number(h.sim.model().value(25, 1)));
}

TEST(EditEndToEnd, SliderDragArrivesWithItsLastValueAndMergedWrites) {
    PanelHarness h(PanelHarness::Via::Tcp);
    h.sim.faults().delayMs = 15;  // a busy box: writes wait in the queue
    h.start();
    ASSERT_TRUE(h.waitOnline());
    h.sim.session()->clearReceived();
    auto* bar = qobject_cast<QSlider*>(h.panel->binding().find("MusGain1Bar"));
    int position = bar->value();
    for (int step = 0; step < 50; ++step) {
        position = step < 35 ? std::min(40, position + 1) : position - 1;
        bar->setValue(position);
        QTest::qWait(2);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.sim.model().value(0, 0) == bar->value(); }, 5000));
    int writesOfGain = 0;
    for (const auto& f : h.sim.session()->received()) {
        writesOfGain += f.bytes[3] == WriteMode && f.bytes[4] == 0 && f.bytes[5] == 0;
    }
    EXPECT_GT(writesOfGain, 0);
    EXPECT_LT(writesOfGain, 50);  // consecutive changes merged while the box was busy
    EXPECT_EQ(h.panel->store().deviceValue(0, 0), bar->value());
}

TEST(EditEndToEnd, AnEditMadeOfflineIsStoredAndNotSent) {
    PanelHarness h(PanelHarness::Via::Tcp);
    h.panel->form1()->show();  // no search yet
    auto* bar = qobject_cast<QSlider*>(h.panel->binding().find("MicInputGainBar"));
    bar->setValue(31);
    EXPECT_EQ(h.panel->store().deviceValue(3, 0), 31);
    EXPECT_EQ(h.panel->store().panelValue(makeAddress(3, 0)), 31);
    QTest::qWait(100);
    EXPECT_EQ(h.sim.session(), nullptr);  // nothing reached the box
}

}  // namespace
}  // namespace mz3
