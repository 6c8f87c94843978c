// The narrow interfaces through which link control, the transfer sequencer and the write
// queue reach timers, the screen and the transports. Real Qt adapters live with the windows;
// tests use fakes and step the state machines tick by tick.
#pragma once

#include <string>

namespace mz3 {

enum class LinkTimer { Search, Sequencer, Hold };

class LinkTimers {
public:
    virtual ~LinkTimers() = default;
    virtual void start(LinkTimer timer) = 0;
    virtual void stop(LinkTimer timer) = 0;
    virtual void setInterval(LinkTimer timer, int ms) = 0;
    virtual bool isActive(LinkTimer timer) const = 0;
};

// What link control shows of the link.
class LinkView {
public:
    virtual ~LinkView() = default;
    // LinkLabelWindow: the status line in both languages.
    virtual void LinkLabelWindow(const std::string& chinese, const std::string& english) = 0;
    // Lime status colour and the PC-link picture when online; silver and hidden otherwise.
    virtual void setOnlineLook(bool online) = 0;
    // LinkBtn: "断开"/"Unlink" in orange from a search on; "联机"/"Link" in black offline.
    virtual void setLinkButtonSearching(bool searching) = 0;
    virtual void hideCommandBox() = 0;
    virtual void showMainWindow() = 0;
    // The device status window.
    virtual void statusCopyText() = 0;
    virtual void statusSetProgress(int percent) = 0;
    virtual void statusSetPortText(const std::string& text) = 0;
    virtual void statusShow() = 0;
    virtual void statusHide() = 0;
    // Message boxes of actions 3, 5 and 23.
    virtual void showModeSaved(bool hintMode) = 0;
    virtual void showPasswordChanged() = 0;
};

// What the search needs of the transports.
class SearchTransports {
public:
    virtual ~SearchTransports() = default;
    virtual bool usbPresent() const = 0;
    // The serial port list (ComComboBox1).
    virtual int serialSelection() const = 0;       // -1: no current selection
    virtual void selectSerialPort(int index) = 0;  // an index past the end leaves none
    virtual std::string serialPortName(int index) const = 0;
    virtual bool openSerialPort(const std::string& name) = 0;  // closes the previous one
    virtual void closeSerialPort() = 0;
    virtual void connectTcp() = 0;  // TcpBtnClick
    // Connected to the address the search would connect to now.
    virtual bool tcpConnected() const = 0;
    virtual void deactivateTcp() = 0;
};

}  // namespace mz3
