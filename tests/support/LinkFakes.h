// Fakes of link control's timers, view and search transports, for tick-level tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "LinkInterfaces.h"

namespace mz3::test {

class FakeTimers : public LinkTimers {
public:
    void start(LinkTimer t) override { active[t] = true; }
    void stop(LinkTimer t) override { active[t] = false; }
    void setInterval(LinkTimer t, int ms) override { interval[t] = ms; }
    bool isActive(LinkTimer t) const override {
        auto it = active.find(t);
        return it != active.end() && it->second;
    }
    std::map<LinkTimer, bool> active;
    std::map<LinkTimer, int> interval;
};

class FakeView : public LinkView {
public:
    void LinkLabelWindow(const std::string& zh, const std::string& en) override {
        status = zh;
        statusEnglish = en;
        statusHistory.push_back(zh);
    }
    void setOnlineLook(bool on) override { onlineLook = on; }
    void setLinkButtonSearching(bool s) override { buttonSearching = s; }
    void hideCommandBox() override { ++commandBoxHidden; }
    void showMainWindow() override { ++mainShown; }
    void statusCopyText() override { statusWindowText = status; }
    void statusSetProgress(int p) override { progress = p; }
    void statusSetPortText(const std::string& t) override { portText = t; }
    void statusShow() override { statusVisible = true; }
    void statusHide() override { statusVisible = false; }
    void showModeSaved(bool hint) override { savedMessages.push_back(hint); }
    void showPasswordChanged() override { ++passwordMessages; }

    std::string status, statusEnglish, statusWindowText, portText;
    std::vector<std::string> statusHistory;
    bool onlineLook = false, buttonSearching = false, statusVisible = false;
    int commandBoxHidden = 0, mainShown = 0, progress = -1, passwordMessages = 0;
    std::vector<bool> savedMessages;
};

class FakeSearch : public SearchTransports {
public:
    bool usbPresent() const override { return usb; }
    int serialSelection() const override { return selection; }
    void selectSerialPort(int i) override { selection = i >= 0 && i < int(ports.size()) ? i : -1; }
    std::string serialPortName(int i) const override { return ports.at(size_t(i)); }
    bool openSerialPort(const std::string& name) override {
        opened.push_back(name);
        return openOk;
    }
    void closeSerialPort() override { ++closes; }
    void connectTcp() override { ++tcpConnects; }
    bool tcpConnected() const override { return connected; }
    void deactivateTcp() override { ++tcpDeactivations; }

    bool usb = false, openOk = true, connected = false;
    std::vector<std::string> ports;
    int selection = -1, closes = 0, tcpConnects = 0, tcpDeactivations = 0;
    std::vector<std::string> opened;
};

}  // namespace mz3::test
