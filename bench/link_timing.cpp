// Measures, with the panel's real timers against the in-process box simulator, the time from
// the start of a search to online and from an edit to its frame arriving at the box, over TCP
// and over a pseudo-terminal, and prints each beside the floor the pacing allows.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "BoxEndpoint.h"
#include "PanelApp.h"
#include "SimHidBackend.h"
#include "TForm1.h"

using namespace mz3;

namespace {

class SilentDialogs : public DialogService {
public:
    void showMessage(QWidget*, const QString&, const QString&, DialogIcon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    bool askOkCancel(QWidget*, const QString&, const QString&) override { return false; }
};

void measure(const char* name, bool serial) {
    boxsim::BoxSimulator sim;
    boxsim::TcpEndpoint tcp(sim, 0);
    std::unique_ptr<boxsim::PtyEndpoint> pty;
    boxsim::SimHidBackend hid;
    SilentDialogs dialogs;
    char pattern[] = "/tmp/mz3-bench-XXXXXX";
    const std::filesystem::path base = ::mkdtemp(pattern);
    QStringList args = {"mz3-panel", "--host", "127.0.0.1", "--port", QString::number(tcp.port())};
    if (serial) {
        pty = std::make_unique<boxsim::PtyEndpoint>(sim, "");
        args << "--serial" << pty->slavePath();
    }
    auto panel = std::make_unique<PanelApp>(
        parsePanelOptions(args), PanelEnvironment{base, base, &dialogs, nullptr, &hid, false});
    panel->form1()->show();
    QTest::qWait(50);

    QElapsedTimer clock;
    clock.start();
    panel->controller().LinkBtnClick(true);
    const bool ok = QTest::qWaitFor([&] { return panel->link().linkState == LinkOnline; }, 60000);
    const double toOnline = clock.elapsed() / 1000.0;
    // Load requests: every read the panel sent except the identify requests.
    size_t loadRequests = 0;
    if (sim.session() != nullptr) {
        for (const auto& f : sim.session()->received()) {
            loadRequests += f.bytes[3] == ReadMode && !(f.bytes[4] == 0x1E && f.bytes[5] == 0x16);
        }
    }
    // The floor: one search tick per identify that had to go out before the handshake, then
    // one sequencer tick per load request.
    const int interval = serial ? 50 : 160;
    // TCP: the identify sent while connecting is lost, the next one is answered, the tick
    // after starts the load; serial: answered at once, the next tick starts the load.
    const int searchTicks = serial ? 2 : 3;
    const double floor = searchTicks * 1.0 + double(loadRequests) * interval / 1000.0;
    std::printf(
        "%-6s search to online: %6.2f s   floor %6.2f s (%d search ticks x 1 s + %zu "
        "requests x %d ms)%s\n",
        name, toOnline, floor, searchTicks, loadRequests, interval, ok ? "" : "  FAILED");

    std::vector<double> edits;
    for (int i = 0; i < 50 && ok; ++i) {
        const int value = 1 + i % 40;
        QTest::qWait(30);  // let the previous answer arrive: the write goes out at once
        clock.restart();
        panel->store().SendDatatoMCU(ModMusic * 256 + 0, value);
        // Spin the event loop without sleeping, so the figure is not the wait's granularity.
        while (sim.model().value(0, 0) != value && clock.elapsed() < 2000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        edits.push_back(clock.nsecsElapsed() / 1e6);
    }
    if (!edits.empty()) {
        std::sort(edits.begin(), edits.end());
        std::printf(
            "%-6s edit to frame at box: median %.2f ms, max %.2f ms (floor 0: sent at "
            "once when the box is ready)\n",
            name, edits[edits.size() / 2], edits.back());
    }
    panel.reset();
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    measure("TCP", false);
    measure("serial", true);
    return 0;
}
