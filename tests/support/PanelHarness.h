// A whole panel on the offscreen platform, linked to an in-process box simulator over real
// loopback TCP, a real pseudo-terminal or the simulator's fake HID devices.
#pragma once

#include <QLabel>
#include <QTest>
#include <filesystem>
#include <memory>

#include "BoxEndpoint.h"
#include "PanelApp.h"
#include "SimHidBackend.h"
#include "TForm1.h"
#include "support/RecordingDialogs.h"
#include "support/TempDir.h"

namespace mz3::test {

class PanelHarness {
public:
    enum class Via { Tcp, Serial, Usb };

    explicit PanelHarness(Via via, double searchScale = 0.25, double sequencerScale = 0.2,
                          double holdScale = 1.0)
        : m_tcp(sim, 0) {
        QStringList args = {"mz3-panel", "--host", "127.0.0.1", "--port",
                            QString::number(m_tcp.port())};
        if (via == Via::Serial) {
            m_pty = std::make_unique<boxsim::PtyEndpoint>(sim, "");
            args << "--serial" << m_pty->slavePath();
        }
        if (via == Via::Usb) {
            hid.plug({"/dev/hidraw7", 0x2B5D, 0x0E63, "MZ3 ", ""}, &sim);
        }
        PanelEnvironment env{m_base, m_base, &dialogs, nullptr, &hid, false};
        panel = std::make_unique<PanelApp>(parsePanelOptions(args), env);
        panel->linkTimers().setScale(LinkTimer::Search, searchScale);
        panel->linkTimers().setScale(LinkTimer::Sequencer, sequencerScale);
        panel->linkTimers().setScale(LinkTimer::Hold, holdScale);
    }
    ~PanelHarness() { panel.reset(); }

    // Shows the panel and lets the HID controller report its devices: the search begins.
    void start() {
        panel->form1()->show();
        panel->startDeviceWatch();
    }

    bool online() const {
        return panel->link().linkState == LinkOnline &&
               panel->form1()->findChild<QLabel*>("LinkLabel")->text() ==
                   QString::fromUtf8("设备已连接");
    }
    bool offline() const {
        return panel->form1()->findChild<QLabel*>("LinkLabel")->text() ==
               QString::fromUtf8("设备未连接");
    }
    bool waitOnline(int ms = 20000) {
        return QTest::qWaitFor([&] { return online(); }, ms);
    }

    // Modules 0 to 25 of the panel's device table against the box's memory.
    int mismatches() {
        int bad = 0;
        for (int m = 0; m <= 25; ++m) {
            for (int s = 0; s < SlotCount[size_t(m)]; ++s) {
                bad += panel->store().deviceValue(m, s) != sim.model().value(m, s);
            }
        }
        return bad;
    }

    boxsim::BoxSimulator sim;
    boxsim::SimHidBackend hid;
    RecordingDialogs dialogs;
    std::unique_ptr<PanelApp> panel;

private:
    boxsim::TcpEndpoint m_tcp;
    std::unique_ptr<boxsim::PtyEndpoint> m_pty;
    TempDir m_folder{"mz3-e2e"};
    std::filesystem::path m_base = m_folder.path();
};

}  // namespace mz3::test
