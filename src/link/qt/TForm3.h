// The communication controller: an invisible window that owns the three transports (HID
// controller, serial port, TCP client), lays frames onto them, hands received bytes to the
// wire protocol, follows USB devices through plugging and unplugging, and keeps the
// diagnostic log.
#pragma once

#include <QSerialPort>
#include <QTcpSocket>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "HidBackend.h"
#include "LinkProtocol.h"
#include "ToolWindow.h"

class QListWidget;

namespace mz3 {

// What the controller asks of link control.
struct LinkControlHooks {
    std::function<void()> startSearch;  // as if LinkBtn were pressed
    std::function<void()> linkLost;     // link action 7
    // A plain message (the invalid port number of TcpBtnClick).
    std::function<void(const QString&)> showMessage;
};

class TForm3 : public ToolWindow, public FrameTransport {
    Q_OBJECT
public:
    // mainWindow supplies the TCP address and port boxes.
    TForm3(QWidget* mainWindow, LinkProtocol& link, HidBackend& hid, LinkControlHooks hooks);
    ~TForm3() override;

    // Diagnostic log.
    void AddToHistory(const QString& line);
    void Button3Click();
    // Trace switch: a log line per report written and received; echo to stderr as well.
    void setTrace(bool on, bool toStderr);

    // HID controller.
    void HidCtlDeviceChange();
    bool HidCtlEnumerate(const HidDeviceInfo& info, int index);
    void HIDDeviceStaus(int nIndex);
    void HidCtlDeviceData(HidDevice* device, uint8_t reportId, const std::vector<uint8_t>& bytes);
    void HidCtlDeviceDataError(HidDevice* device, int error, const std::string& text);
    void HidCtlRemoval(const HidDeviceInfo& info);
    void HidCtlArrival() {}
    static QString DeviceName(const HidDeviceInfo& info);

    // Serial port.
    bool openSerialPort(const QString& name);  // closes the previous one first
    void closeSerialPort();
    bool serialOpen() const { return m_comPort.isOpen(); }
    QString serialName() const { return m_comPort.portName(); }
    void ComPortRxChar();

    // TCP client.
    void TcpBtnClick();
    void ClientSocket1Read();
    void deactivateTcp();
    bool tcpConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // Connected to the address the main window's boxes name now.
    bool tcpConnectedToSearchAddress() const;

    // FrameTransport: lays a frame onto the given transport.
    bool writeFrame(LinkTransport transport, std::span<const uint8_t> frame) override;

    bool UsbPresent = false;
    bool UsbMissSeen = false;
    int Ndata = 0;
    HidDevice* CurrentDevice = nullptr;
    HidDevice* ListenDevice = nullptr;
    QString SearchHost;
    QString SearchPort;

    QListWidget* DevListBox() const { return m_devList; }
    QListWidget* HistoryListBox() const { return m_history; }

private:
    void FormCreate();
    // The texts of the main window's TCP address and port boxes.
    std::pair<QString, QString> addressBoxes() const;
    QString hexLine(const char* prefix, std::span<const uint8_t> bytes) const;

    QWidget* m_mainWindow;
    LinkProtocol& m_link;
    HidBackend& m_hid;
    LinkControlHooks m_hooks;
    std::vector<std::unique_ptr<HidDevice>> m_devices;  // attached to the DevListBox lines
    QSerialPort m_comPort;
    QTcpSocket m_socket;
    bool m_trace = false;
    bool m_traceStderr = false;
    QListWidget* m_devList = nullptr;
    QListWidget* m_history = nullptr;
};

}  // namespace mz3
