// What the link needs of the platform's HID layer. The real backend reads each device in a
// thread of its own and delivers everything below on the GUI thread; tests use a fake.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mz3 {

struct HidDeviceInfo {
    std::string path;  // identifies the device while it is plugged in
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string product;  // UTF-8
    std::string serial;   // UTF-8; may be empty
};

// One opened device. Its input reports flow while the handle lives.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    virtual const HidDeviceInfo& info() const = 0;
    // Output report length from the device's capabilities, report ID byte included.
    virtual size_t outputReportLength() const = 0;
    // Writes one output report (report ID first). Returns the bytes written, or -1 with the
    // system's error text and code filled in.
    virtual int writeReport(std::span<const uint8_t> report, std::string& errorText,
                            int& errorCode) = 0;
};

// Events of the HID layer, always delivered on the GUI thread.
struct HidEvents {
    // One input report's data bytes (report ID excluded) from an opened device.
    std::function<void(HidDevice* device, uint8_t reportId, std::vector<uint8_t> data)> report;
    std::function<void(HidDevice* device, int errorCode, std::string errorText)> readError;
    // An opened device went away.
    std::function<void(const HidDeviceInfo& info)> removal;
    // The set of HID devices changed (also fired once shortly after start()).
    std::function<void()> devicesChanged;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    virtual void setEvents(HidEvents events) = 0;
    // Begins watching for device changes; fires devicesChanged once soon after.
    virtual void start() = 0;
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // Opens a device for exclusive use and starts its reports. Null with errorText on failure
    // (a permission problem says so).
    virtual std::unique_ptr<HidDevice> open(const HidDeviceInfo& info, std::string& errorText) = 0;
};

}  // namespace mz3
