#include "SimHidBackend.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace mz3::boxsim {

namespace {

class SimHidDevice : public QObject, public HidDevice {
public:
    SimHidDevice(SimHidBackend& backend, HidDeviceInfo info)
        : m_backend(backend), m_info(std::move(info)) {
        if (BoxSimulator* box = m_backend.boxFor(m_info.path)) {
            QPointer<QObject> self(this);
            // Each reply becomes a queued input report, as from a reader thread.
            m_session = &box->openSession(true, [this, self](const Bytes& report) {
                if (self.isNull()) {
                    return;
                }
                QTimer::singleShot(0, self.data(), [this, report] {
                    const HidEvents& ev = m_backend.events();
                    if (ev.report) {
                        ev.report(this, 0, report);
                    }
                });
            });
            m_box = box;
        }
    }
    ~SimHidDevice() override {
        // Close the box's connection only if the box is still there and the connection is
        // still this device's.
        if (!m_box.isNull() && m_box->session() == m_session) {
            m_box->closeSession();
        }
    }

    const HidDeviceInfo& info() const override { return m_info; }
    size_t outputReportLength() const override { return 65; }
    int writeReport(std::span<const uint8_t> report, std::string& errorText,
                    int& errorCode) override {
        if (m_backend.boxFor(m_info.path) == nullptr && !m_box.isNull()) {
            errorText = "No such device";
            errorCode = 19;
            return -1;
        }
        m_backend.recordWrite(m_info.path, Bytes(report.begin(), report.end()));
        if (!m_box.isNull()) {
            m_box->receive(report);
        }
        return int(report.size());
    }

private:
    SimHidBackend& m_backend;
    HidDeviceInfo m_info;
    QPointer<BoxSimulator> m_box;
    BoxSession* m_session = nullptr;
};

}  // namespace

void SimHidBackend::plug(const HidDeviceInfo& info, BoxSimulator* box) {
    m_plugged.push_back({info, box});
    announceChange();
}

void SimHidBackend::unplug(const std::string& path) {
    m_plugged.erase(std::remove_if(m_plugged.begin(), m_plugged.end(),
                                   [&](const Plugged& p) { return p.info.path == path; }),
                    m_plugged.end());
    announceChange();
}

void SimHidBackend::announceChange() {
    // Before start() the controller is not listening yet; start() reports the set once.
    if (!m_started) {
        return;
    }
    QTimer::singleShot(0, this, [this] {
        if (m_events.devicesChanged) {
            m_events.devicesChanged();
        }
    });
}

void SimHidBackend::start() {
    m_started = true;
    announceChange();
}

std::vector<HidDeviceInfo> SimHidBackend::enumerate() {
    std::vector<HidDeviceInfo> out;
    for (const Plugged& p : m_plugged) {
        out.push_back(p.info);
    }
    return out;
}

BoxSimulator* SimHidBackend::boxFor(const std::string& path) const {
    for (const Plugged& p : m_plugged) {
        if (p.info.path == path) {
            return p.box;
        }
    }
    return nullptr;
}

std::unique_ptr<HidDevice> SimHidBackend::open(const HidDeviceInfo& info, std::string& errorText) {
    if (m_denyOpen) {
        errorText = "permission denied on " + info.path;
        return nullptr;
    }
    return std::make_unique<SimHidDevice>(*this, info);
}

}  // namespace mz3::boxsim
