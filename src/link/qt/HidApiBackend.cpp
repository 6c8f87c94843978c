#include "HidApiBackend.h"

#include <hidapi/hidapi.h>
#include <libudev.h>
#include <unistd.h>

#include <QPointer>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace mz3 {

namespace {

// The box's reports are 64 bytes; with the report ID byte an output report is 65 bytes.
constexpr size_t kOutputReportLength = 65;

std::string narrow(const wchar_t* w) {
    std::string out;
    if (w == nullptr) {
        return out;
    }
    for (; *w != 0; ++w) {
        const auto c = static_cast<uint32_t>(*w);
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xE0 | ((c >> 12) & 0x0F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

class HidApiDevice : public HidDevice {
public:
    HidApiDevice(hid_device* dev, HidDeviceInfo info, const HidEvents& events)
        : m_dev(dev), m_info(std::move(info)), m_context(new QObject) {
        QPointer<QObject> context(m_context);
        HidEvents ev = events;
        m_reader = std::thread([this, context, ev] { readLoop(context, ev); });
    }

    ~HidApiDevice() override {
        m_stop = true;
        if (m_reader.joinable()) {
            m_reader.join();
        }
        // Deleting the context drops every event still queued for this device.
        delete m_context;
        hid_close(m_dev);
    }

    const HidDeviceInfo& info() const override { return m_info; }
    size_t outputReportLength() const override { return kOutputReportLength; }

    int writeReport(std::span<const uint8_t> report, std::string& errorText,
                    int& errorCode) override {
        const int n = hid_write(m_dev, report.data(), report.size());
        if (n < 0) {
            errorCode = errno;
            errorText = narrow(hid_error(m_dev));
        }
        return n;
    }

private:
    void readLoop(QPointer<QObject> context, HidEvents events) {
        uint8_t buf[kOutputReportLength];
        while (!m_stop) {
            const int n = hid_read_timeout(m_dev, buf, sizeof buf, 100);
            if (n > 0) {
                // hidraw delivers numbered reports with their ID first; the box uses ID 0,
                // which hidraw leaves out.
                std::vector<uint8_t> data(buf, buf + n);
                QMetaObject::invokeMethod(
                    context.data(),
                    [this, events, data = std::move(data)]() mutable {
                        if (events.report) {
                            events.report(this, 0, std::move(data));
                        }
                    },
                    Qt::QueuedConnection);
            } else if (n < 0) {
                const int code = errno;
                const std::string text = narrow(hid_error(m_dev));
                QMetaObject::invokeMethod(
                    context.data(),
                    [this, events, code, text] {
                        if (events.readError) {
                            events.readError(this, code, text);
                        }
                        if (events.removal) {
                            events.removal(m_info);
                        }
                    },
                    Qt::QueuedConnection);
                return;  // the device is gone; the change notice rebuilds the list
            }
        }
    }

    hid_device* m_dev;
    HidDeviceInfo m_info;
    QObject* m_context;
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

}  // namespace

HidApiBackend::HidApiBackend() {
    hid_init();
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(200);
    connect(&m_debounce, &QTimer::timeout, this, [this] {
        if (m_events.devicesChanged) {
            m_events.devicesChanged();
        }
    });
    m_rescan.setInterval(2000);
    connect(&m_rescan, &QTimer::timeout, this, &HidApiBackend::checkForChanges);
}

HidApiBackend::~HidApiBackend() {
    if (m_monitor != nullptr) {
        udev_monitor_unref(m_monitor);
    }
    if (m_udev != nullptr) {
        udev_unref(m_udev);
    }
    hid_exit();
}

void HidApiBackend::start() {
    m_udev = udev_new();
    if (m_udev != nullptr) {
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    }
    if (m_monitor != nullptr &&
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) >= 0 &&
        udev_monitor_enable_receiving(m_monitor) >= 0) {
        m_notifier =
            new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            if (udev_device* d = udev_monitor_receive_device(m_monitor)) {
                udev_device_unref(d);
            }
            m_debounce.start();
        });
    }
    // Without a udev daemon no events arrive: compare the device set now and then instead.
    m_rescan.start();
    for (const HidDeviceInfo& d : enumerate()) {
        m_lastPaths.insert(d.path);
    }
    QTimer::singleShot(0, this, [this] {
        if (m_events.devicesChanged) {
            m_events.devicesChanged();
        }
    });
}

void HidApiBackend::checkForChanges() {
    std::set<std::string> paths;
    for (const HidDeviceInfo& d : enumerate()) {
        paths.insert(d.path);
    }
    if (paths != m_lastPaths) {
        m_lastPaths = std::move(paths);
        m_debounce.start();
    }
}

std::vector<HidDeviceInfo> HidApiBackend::enumerate() {
    std::vector<HidDeviceInfo> out;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* d = list; d != nullptr; d = d->next) {
        HidDeviceInfo info;
        info.path = d->path != nullptr ? d->path : "";
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.product = narrow(d->product_string);
        info.serial = narrow(d->serial_number);
        out.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return out;
}

std::unique_ptr<HidDevice> HidApiBackend::open(const HidDeviceInfo& info, std::string& errorText) {
    hid_device* dev = hid_open_path(info.path.c_str());
    if (dev == nullptr) {
        if (::access(info.path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
            errorText = "permission denied on " + info.path +
                        " (install packaging/99-mz3-box.rules, see README)";
        } else {
            errorText = "cannot open " + info.path + ": " + std::strerror(errno);
        }
        return nullptr;
    }
    return std::make_unique<HidApiDevice>(dev, info, m_events);
}

}  // namespace mz3
