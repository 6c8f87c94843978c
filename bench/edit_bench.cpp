// The edit pipeline's costs: a refresh of every control from the store, and one slider edit
// from its change event to the frame handed to the transport, beside the store-and-send path
// alone (the same write without any control) as the reference.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QSlider>
#include <filesystem>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "PanelApp.h"
#include "TForm1.h"

using namespace mz3;

namespace {

class CountingTransport : public FrameTransport {
public:
    bool writeFrame(LinkTransport, std::span<const uint8_t> frame) override {
        bytes += frame.size();
        ++frames;
        return true;
    }
    size_t bytes = 0;
    size_t frames = 0;
};

class SilentDialogs : public DialogService {
public:
    void showMessage(QWidget*, const QString&, const QString&, DialogIcon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    bool askOkCancel(QWidget*, const QString&, const QString&) override { return false; }
};

struct Panel {
    Panel() {
        char pattern[] = "/tmp/mz3-bench-edit-XXXXXX";
        base = ::mkdtemp(pattern);
        app = std::make_unique<PanelApp>(
            parsePanelOptions({"p", "--host", "127.0.0.1"}),
            PanelEnvironment{base, base, &dialogs, &transport, nullptr, false});
        app->form1()->show();
        app->link().linkState = LinkOnline;
        app->link().linkTransport = TransportTcp;
    }
    ~Panel() {
        app.reset();
        std::filesystem::remove_all(base);
    }
    std::filesystem::path base;
    SilentDialogs dialogs;
    CountingTransport transport;
    std::unique_ptr<PanelApp> app;
};

// Made in main, after the application object and before the measurements.
Panel* g_panel = nullptr;

Panel& panel() {
    return *g_panel;
}

void BM_RefreshAll100(benchmark::State& state) {
    Panel& p = panel();
    for (auto _ : state) {
        p.app->pipeline().RefreshAll(100);
    }
}

void BM_SliderEditToFrame(benchmark::State& state) {
    Panel& p = panel();
    auto* bar = qobject_cast<QSlider*>(p.app->binding().find("MusHPFREBar"));
    int v = 0;
    for (auto _ : state) {
        p.app->link().flags.DeviceReady = true;  // the box answered: the write goes out at once
        v = (v + 1) % 361;
        bar->setValue(v);
        benchmark::DoNotOptimize(p.transport.frames);
    }
}

// Reference: the same value stored and sent without any control involved.
void BM_StoreAndSendOnly(benchmark::State& state) {
    Panel& p = panel();
    int v = 0;
    for (auto _ : state) {
        p.app->link().flags.DeviceReady = true;
        v = (v + 1) % 361;
        p.app->store().SendDatatoMCU(5, v);
        benchmark::DoNotOptimize(p.transport.frames);
    }
}

BENCHMARK(BM_RefreshAll100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SliderEditToFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreAndSendOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Panel p;
    g_panel = &p;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
