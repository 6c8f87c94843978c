// The HID layer on Linux: hidapi's hidraw backend for devices, a udev monitor for device
// changes, and periodic re-enumeration where no udev daemon runs (containers).
#pragma once

#include <QObject>
#include <QTimer>
#include <set>
#include <string>

#include "HidBackend.h"

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace mz3 {

class HidApiBackend : public QObject, public HidBackend {
    Q_OBJECT
public:
    HidApiBackend();
    ~HidApiBackend() override;

    void setEvents(HidEvents events) override { m_events = std::move(events); }
    void start() override;
    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info, std::string& errorText) override;

private:
    void checkForChanges();

    HidEvents m_events;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_rescan;
    QTimer m_debounce;
    std::set<std::string> m_lastPaths;
};

}  // namespace mz3
