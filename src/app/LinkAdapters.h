// Link control's view of the windows (status line, link button, device status window, message
// boxes) and of the transports (communication controller and the serial port list).
#pragma once

#include "LinkInterfaces.h"

class QComboBox;
class QWidget;

namespace mz3 {

struct AppState;
class Messages;
class TForm1;
class TForm2;
class TForm3;

class MainLinkView : public LinkView {
public:
    MainLinkView(AppState& state, Messages& messages, TForm1& main, TForm2& status,
                 QWidget* savePanel, QWidget* systemPanel);

    void LinkLabelWindow(const std::string& chinese, const std::string& english) override;
    void setOnlineLook(bool online) override;
    void setLinkButtonSearching(bool searching) override;
    void hideCommandBox() override;
    void showMainWindow() override;
    void statusCopyText() override;
    void statusSetProgress(int percent) override;
    void statusSetPortText(const std::string& text) override;
    void statusShow() override;
    void statusHide() override;
    void showModeSaved(bool hintMode) override;
    void showPasswordChanged() override;

private:
    AppState& m_state;
    Messages& m_messages;
    TForm1& m_main;
    TForm2& m_status;
    QWidget* m_savePanel;
    QWidget* m_systemPanel;
};

class PanelSearchTransports : public SearchTransports {
public:
    PanelSearchTransports(TForm3& controller, QComboBox& ports)
        : m_controller(controller), m_ports(ports) {}

    bool usbPresent() const override;
    int serialSelection() const override;
    void selectSerialPort(int index) override;
    std::string serialPortName(int index) const override;
    bool openSerialPort(const std::string& name) override;
    void closeSerialPort() override;
    void connectTcp() override;
    bool tcpConnected() const override;
    void deactivateTcp() override;

private:
    TForm3& m_controller;
    QComboBox& m_ports;
};

}  // namespace mz3
