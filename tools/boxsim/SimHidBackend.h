// A fake USB HID layer for tests and demonstrations: devices that the panel's HID controller
// can list and open, one of which may be wired to a simulated box. Events are delivered
// through the event loop, as a real reader thread would deliver them.
#pragma once

#include <QObject>
#include <vector>

#include "BoxEndpoint.h"
#include "HidBackend.h"

namespace mz3::boxsim {

class SimHidBackend : public QObject, public HidBackend {
    Q_OBJECT
public:
    // Plugs a device in; box may be null for a device that never answers.
    void plug(const HidDeviceInfo& info, BoxSimulator* box);
    void unplug(const std::string& path);
    // Makes every open() fail with a permission problem (udev rule missing).
    void setDenyOpen(bool deny) { m_denyOpen = deny; }
    // Reports written by the panel, per device path.
    const std::vector<std::pair<std::string, Bytes>>& written() const { return m_written; }

    void setEvents(HidEvents events) override { m_events = std::move(events); }
    void start() override;
    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info, std::string& errorText) override;

    // Used by the opened devices.
    void recordWrite(const std::string& path, const Bytes& report) {
        m_written.emplace_back(path, report);
    }
    const HidEvents& events() const { return m_events; }
    BoxSimulator* boxFor(const std::string& path) const;

private:
    void announceChange();

    struct Plugged {
        HidDeviceInfo info;
        BoxSimulator* box;
    };
    std::vector<Plugged> m_plugged;
    std::vector<std::pair<std::string, Bytes>> m_written;
    HidEvents m_events;
    bool m_denyOpen = false;
    bool m_started = false;
};

}  // namespace mz3::boxsim
