#include "TForm3.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <tuple>

#include "LinkDefaults.h"

namespace mz3 {

TForm3::TForm3(QWidget* mainWindow, LinkProtocol& link, HidBackend& hid, LinkControlHooks hooks)
    : ToolWindow("TForm3", QStringLiteral("系统"), QStringLiteral("System"), 664, 453),
      m_mainWindow(mainWindow),
      m_link(link),
      m_hid(hid),
      m_hooks(std::move(hooks)) {
    auto* layout = new QVBoxLayout(this);
    m_devList = new QListWidget;
    m_devList->setObjectName("DevListBox");
    m_history = new QListWidget;
    m_history->setObjectName("HistoryListBox");
    m_history->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* clear = new QPushButton(QStringLiteral("Clear"));
    clear->setObjectName("Button3");
    connect(clear, &QPushButton::clicked, this, &TForm3::Button3Click);
    layout->addWidget(m_devList);
    layout->addWidget(m_history, 1);
    layout->addWidget(clear);

    connect(&m_comPort, &QSerialPort::readyRead, this, &TForm3::ComPortRxChar);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TForm3::ClientSocket1Read);
    // A new connection is a new byte stream.
    connect(&m_socket, &QTcpSocket::connected, this, [this] { m_link.resetTcpParser(); });
    // Socket errors raise nothing and show nothing: a failed connection shows itself only as
    // missing replies (ClientSocket1Error).

    HidEvents events;
    events.report = [this](HidDevice* d, uint8_t id, std::vector<uint8_t> bytes) {
        HidCtlDeviceData(d, id, bytes);
    };
    events.readError = [this](HidDevice* d, int code, std::string text) {
        HidCtlDeviceDataError(d, code, text);
    };
    events.removal = [this](const HidDeviceInfo& info) { HidCtlRemoval(info); };
    events.devicesChanged = [this] { HidCtlDeviceChange(); };
    m_hid.setEvents(std::move(events));
    FormCreate();
}

TForm3::~TForm3() {
    CurrentDevice = nullptr;
    ListenDevice = nullptr;
    m_devices.clear();
}

void TForm3::FormCreate() {
    hide();
    const auto [host, port] = addressBoxes();
    SearchHost = host;
    SearchPort = port;
}

std::pair<QString, QString> TForm3::addressBoxes() const {
    QString host;
    QString port;
    if (m_mainWindow != nullptr) {
        if (auto* h = m_mainWindow->findChild<QLineEdit*>("IPstrEdit")) {
            host = h->text().trimmed();
        }
        if (auto* p = m_mainWindow->findChild<QLineEdit*>("IPPortStrEdit")) {
            port = p->text().trimmed();
        }
    }
    return {host, port};
}

void TForm3::AddToHistory(const QString& line) {
    m_history->addItem(line);
    m_history->setCurrentRow(m_history->count() - 1);
    if (m_traceStderr) {
        std::fprintf(stderr, "%s\n", qPrintable(line));
    }
}

void TForm3::Button3Click() {
    m_history->clear();
}

void TForm3::setTrace(bool on, bool toStderr) {
    m_trace = on;
    m_traceStderr = toStderr;
}

QString TForm3::hexLine(const char* prefix, std::span<const uint8_t> bytes) const {
    QString line = QString::fromLatin1(prefix);
    for (size_t i = 0; i < bytes.size(); ++i) {
        line += QString::asprintf(i == 0 ? "%.2x  " : "%.2x ", bytes[i]);
    }
    return line;
}

QString TForm3::DeviceName(const HidDeviceInfo& info) {
    QString name = QString::fromStdString(info.product) +
                   QString::asprintf("Device VID=%.4x PID=%.4x", info.vendorId, info.productId);
    if (!info.serial.empty()) {
        name += QStringLiteral(" (自定义HID描述符=%1)").arg(QString::fromStdString(info.serial));
    }
    return name;
}

void TForm3::HidCtlDeviceChange() {
    // No released device may be written to or listened to.
    CurrentDevice = nullptr;
    ListenDevice = nullptr;
    m_devList->clear();
    m_devices.clear();
    Ndata = 0;
    int index = 0;
    for (const HidDeviceInfo& info : m_hid.enumerate()) {
        if (!HidCtlEnumerate(info, index++)) {
            break;
        }
    }
    if (m_devList->count() > 0) {
        m_devList->setCurrentRow(0);
    }
    HIDDeviceStaus(Ndata > 0 ? Ndata - 1 : 255);
}

bool TForm3::HidCtlEnumerate(const HidDeviceInfo& info, int /*index*/) {
    if (info.vendorId != kUsbVendorId) {
        return true;
    }
    std::string error;
    std::unique_ptr<HidDevice> device = m_hid.open(info, error);
    if (!device) {
        // A box we may not open is not "no box": say why in the log.
        AddToHistory(QStringLiteral("OPEN ERROR: %1 (%2)")
                         .arg(DeviceName(info), QString::fromStdString(error)));
        return true;
    }
    m_devList->addItem(DeviceName(info));
    m_devices.push_back(std::move(device));
    Ndata = m_devList->count();
    return true;
}

void TForm3::HIDDeviceStaus(int nIndex) {
    UsbPresent = false;
    HidDevice* match = nullptr;
    if (nIndex != 255) {
        for (int i = 0; i <= nIndex && i < int(m_devices.size()); ++i) {
            const HidDeviceInfo& info = m_devices[size_t(i)]->info();
            if (info.vendorId == kUsbVendorId && info.productId == kUsbProductId) {
                match = m_devices[size_t(i)].get();  // the last matching line wins
            }
        }
    }
    if (match != nullptr) {
        ListenDevice = match;
        CurrentDevice = match;
        UsbPresent = true;
        m_link.linkTransport = TransportUsb;
        if (m_hooks.startSearch) {
            m_hooks.startSearch();
        }
        return;
    }
    if (UsbMissSeen) {
        return;
    }
    UsbMissSeen = true;
    if (m_link.linkTransport != TransportUsb) {
        return;
    }
    if (m_link.linkState == LinkOnline) {
        if (m_hooks.linkLost) {
            m_hooks.linkLost();
        }
    } else {
        m_link.linkTransport = TransportSerial;
        if (m_hooks.startSearch) {
            m_hooks.startSearch();
        }
    }
}

void TForm3::HidCtlDeviceData(HidDevice* device, uint8_t reportId,
                              const std::vector<uint8_t>& bytes) {
    if (device == nullptr || device != ListenDevice) {
        return;
    }
    if (m_trace) {
        std::vector<uint8_t> traced{reportId};
        traced.insert(traced.end(), bytes.begin(), bytes.end());
        AddToHistory(hexLine("R ", traced) + QStringLiteral("L:%1").arg(bytes.size()));
    }
    m_link.ReceivePacket(TransportUsb, bytes);
}

void TForm3::HidCtlDeviceDataError(HidDevice*, int error, const std::string& text) {
    AddToHistory(QStringLiteral("READ ERROR: %1 (%2)")
                     .arg(QString::fromStdString(text), QString::number(error, 16)));
}

void TForm3::HidCtlRemoval(const HidDeviceInfo& info) {
    AddToHistory(QStringLiteral("Removal of ") + DeviceName(info));
}

bool TForm3::openSerialPort(const QString& name) {
    closeSerialPort();
    if (name.isEmpty()) {
        return false;
    }
    m_comPort.setPortName(name);
    if (!m_comPort.open(QIODevice::ReadWrite)) {
        return false;
    }
    m_comPort.setBaudRate(QSerialPort::Baud115200);
    m_comPort.setDataBits(QSerialPort::Data8);
    m_comPort.setParity(QSerialPort::NoParity);
    m_comPort.setStopBits(QSerialPort::OneStop);
    m_comPort.setFlowControl(QSerialPort::NoFlowControl);
    // Pseudo-terminals and some adapters have no modem lines: the port stays usable.
    m_comPort.setDataTerminalReady(true);
    m_comPort.setRequestToSend(true);
    m_comPort.clearError();
    return true;
}

void TForm3::closeSerialPort() {
    if (m_comPort.isOpen()) {
        m_comPort.close();
    }
}

void TForm3::ComPortRxChar() {
    const QByteArray bytes = m_comPort.readAll();
    m_link.ComPortRxChar(std::span<const uint8_t>(
        reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
}

void TForm3::TcpBtnClick() {
    std::tie(SearchHost, SearchPort) = addressBoxes();
    m_socket.abort();
    bool ok = false;
    const int port = SearchPort.toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
        if (m_hooks.showMessage) {
            m_hooks.showMessage(
                QStringLiteral("'%1' is not a valid integer value").arg(SearchPort));
        }
        return;
    }
    m_socket.connectToHost(SearchHost, quint16(port));
}

void TForm3::ClientSocket1Read() {
    const QByteArray bytes = m_socket.readAll();
    m_link.ClientSocket1Read(std::span<const uint8_t>(
        reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
}

void TForm3::deactivateTcp() {
    m_socket.abort();
}

bool TForm3::writeFrame(LinkTransport transport, std::span<const uint8_t> frame) {
    switch (transport) {
        case TransportUsb: {
            if (CurrentDevice == nullptr) {
                return false;
            }
            const Bytes report = buildUsbReport(frame, CurrentDevice->outputReportLength());
            if (m_trace) {
                AddToHistory(hexLine("W ", report) +
                             QStringLiteral("****lEen:%1").arg(report.size()));
            }
            std::string text;
            int code = 0;
            if (CurrentDevice->writeReport(report, text, code) < 0) {
                AddToHistory(QStringLiteral("WRITE ERROR: %1 (%2)")
                                 .arg(QString::fromStdString(text), QString::number(code, 16)));
                return false;
            }
            return true;
        }
        case TransportSerial: {
            if (!m_comPort.isOpen()) {
                return false;
            }
            const qint64 n =
                m_comPort.write(reinterpret_cast<const char*>(frame.data()), qint64(frame.size()));
            return n == qint64(frame.size());
        }
        case TransportTcp: {
            // A frame handed over while the socket is not connected is lost.
            if (m_socket.state() != QAbstractSocket::ConnectedState) {
                return false;
            }
            return m_socket.write(reinterpret_cast<const char*>(frame.data()),
                                  qint64(frame.size())) == qint64(frame.size());
        }
    }
    return false;
}

bool TForm3::tcpConnectedToSearchAddress() const {
    if (!tcpConnected()) {
        return false;
    }
    const auto [host, port] = addressBoxes();
    return m_socket.peerName() == host && QString::number(m_socket.peerPort()) == port;
}

}  // namespace mz3
