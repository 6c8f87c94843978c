// The panel's transports against the box simulator: real loopback TCP, a real
// pseudo-terminal, and the simulator's fake USB HID devices.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>

#include "BoxEndpoint.h"
#include "SimHidBackend.h"
#include "TForm3.h"
#include "support/Fakes.h"

namespace mz3 {
namespace {

using boxsim::BoxSimulator;

class TransportTest : public ::testing::Test {
protected:
    TransportTest() {
        auto* layout = new QVBoxLayout(&mainWindow);
        host = new QLineEdit("127.0.0.1");
        host->setObjectName("IPstrEdit");
        port = new QLineEdit(QString::number(tcp.port()));
        port->setObjectName("IPPortStrEdit");
        layout->addWidget(host);
        layout->addWidget(port);
        LinkControlHooks hooks;
        hooks.startSearch = [this] { ++searches; };
        hooks.linkLost = [this] { ++losses; };
        hooks.showMessage = [this](const QString& m) { messages << m; };
        form3 = std::make_unique<TForm3>(&mainWindow, link, hid, hooks);
        link.setTransport(*form3);
    }

    bool simReceived(int code) {
        if (sim.session() == nullptr) {
            return false;
        }
        for (const auto& f : sim.session()->received()) {
            if (f.bytes.size() > 5 && f.bytes[4] * 256 + f.bytes[5] == code) {
                return true;
            }
        }
        return false;
    }

    bool moduleMatches(int module) {
        for (int s = 0; s < SlotCount[size_t(module)]; ++s) {
            if (store.deviceValue(module, s) != sim.model().value(module, s)) {
                return false;
            }
        }
        return true;
    }

    // Identify, echo, then read a module; the image must arrive exactly.
    void handshakeAndRead(int module) {
        link.PCtoMCUAckSign(SignIdentify);
        ASSERT_TRUE(QTest::qWaitFor([&] { return link.flags.HandshakeSeen; }, 3000));
        EXPECT_TRUE(simReceived(CodeIdentityEcho));
        // Over USB a module comes in blocks of at most 25 values.
        const int step = link.linkTransport == TransportUsb ? 25 : 1000;
        for (int start = 0; start < SlotCount[size_t(module)]; start += step) {
            link.SendData(ReadMode, CodeReadBlock, module + start * 256);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return moduleMatches(module); }, 3000));
    }

    BoxSimulator sim;
    boxsim::TcpEndpoint tcp{sim, 0};
    boxsim::SimHidBackend hid;
    ParameterStore store;
    test::RecordingListener listener;
    test::RecordingTransport unused;
    LinkProtocol link{store, unused, listener};
    QWidget mainWindow;
    QLineEdit* host;
    QLineEdit* port;
    std::unique_ptr<TForm3> form3;
    int searches = 0;
    int losses = 0;
    QStringList messages;
};

TEST_F(TransportTest, TcpRoundTrip) {
    link.linkTransport = TransportTcp;
    form3->TcpBtnClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->tcpConnected(); }, 3000));
    handshakeAndRead(3);
    EXPECT_EQ(form3->SearchHost, QString("127.0.0.1"));
}

TEST_F(TransportTest, TcpSurvivesSplitAndMergedReplies) {
    sim.faults().splitMax = 3;
    sim.faults().splitDelayMs = 2;
    sim.faults().merge = true;
    link.linkTransport = TransportTcp;
    form3->TcpBtnClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->tcpConnected(); }, 3000));
    handshakeAndRead(5);
    link.SendData(ReadMode, CodeReadBlock, 0);
    link.SendData(ReadMode, CodeReadBlock, 21);
    ASSERT_TRUE(QTest::qWaitFor([&] { return moduleMatches(0) && moduleMatches(21); }, 3000));
    EXPECT_FALSE(link.flags.StepLost);
}

TEST_F(TransportTest, CorruptTcpReplyStoresNothing) {
    link.linkTransport = TransportTcp;
    form3->TcpBtnClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->tcpConnected(); }, 3000));
    sim.faults().corruptEvery = 1;
    sim.session()->setFaults(sim.faults());
    link.SendData(ReadMode, CodeReadBlock, 7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.flags.StepLost; }, 3000));
    for (int s = 0; s < SlotCount[7]; ++s) {
        EXPECT_EQ(store.deviceValue(7, s), 0);
    }
}

TEST_F(TransportTest, TcpBadPortNumberIsReported) {
    port->setText("88x");
    form3->TcpBtnClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("88x"));
    EXPECT_FALSE(form3->tcpConnected());
}

TEST_F(TransportTest, SerialOverPseudoTerminal) {
    boxsim::PtyEndpoint pty(sim, "");
    ASSERT_TRUE(pty.ok());
    ASSERT_TRUE(form3->openSerialPort(pty.slavePath()));
    link.linkTransport = TransportSerial;
    handshakeAndRead(3);
    // Split replies arrive in pieces and are still assembled.
    sim.faults().splitMax = 4;
    sim.faults().splitDelayMs = 1;
    sim.session()->setFaults(sim.faults());
    link.SendData(ReadMode, CodeReadBlock, 8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return moduleMatches(8); }, 3000));
    // An edit reaches the box.
    link.SendData(WriteMode, 0x0305, 99);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.model().value(3, 5) == 99; }, 3000));
}

TEST_F(TransportTest, MissingSerialPortCannotBeOpened) {
    EXPECT_FALSE(form3->openSerialPort("/dev/does-not-exist-mz3"));
    EXPECT_FALSE(form3->openSerialPort(""));
    link.linkTransport = TransportSerial;
    EXPECT_FALSE(form3->writeFrame(TransportSerial, std::vector<uint8_t>{0xF5}));
}

HidDeviceInfo boxInfo(const std::string& path, uint16_t pid = 0x0E63, std::string serial = "") {
    return {path, 0x2B5D, pid, "MZ3 ", std::move(serial)};
}

TEST_F(TransportTest, UsbBoxIsFoundAndAnswersInReports) {
    hid.plug(boxInfo("/dev/hidraw3"), &sim);
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(link.linkTransport, TransportUsb);
    handshakeAndRead(0);
    // Over USB a block reply carries at most 25 values.
    link.SendData(ReadMode, CodeReadBlock, 3 + 100 * 256);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return store.deviceValue(3, 114) == sim.model().value(3, 114); }, 2000));
    const auto& written = hid.written().back().second;
    EXPECT_EQ(written.size(), 65u);
    EXPECT_EQ(written[0], 0x00);
}

TEST_F(TransportTest, TwoMatchingDevicesTheLaterLineIsUsed) {
    BoxSimulator other;
    hid.plug(boxInfo("/dev/hidraw1"), &other);
    hid.plug(boxInfo("/dev/hidraw2"), &sim);
    hid.plug(boxInfo("/dev/hidraw5", 0x1234), nullptr);  // listed, never used
    hid.plug({"/dev/hidraw9", 0x046D, 0xC077, "Mouse", ""}, nullptr);
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    EXPECT_EQ(form3->DevListBox()->count(), 3);
    EXPECT_EQ(form3->Ndata, 3);
    ASSERT_NE(form3->CurrentDevice, nullptr);
    EXPECT_EQ(form3->CurrentDevice->info().path, "/dev/hidraw2");
    EXPECT_EQ(form3->ListenDevice, form3->CurrentDevice);
    handshakeAndRead(2);
    // The first box was opened but never written to.
    EXPECT_TRUE(other.session() == nullptr || other.session()->received().empty());
}

TEST_F(TransportTest, ReportsFromAnotherDeviceAreIgnored) {
    hid.plug(boxInfo("/dev/hidraw1"), nullptr);
    hid.plug(boxInfo("/dev/hidraw2"), &sim);
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    auto frame = buildPacketFrame(WriteMode, 0x0100, {5, 0});
    frame.resize(64, 0);
    HidDevice* first = nullptr;
    // Find the device object of the first line: it is not the one listened to.
    form3->HidCtlDeviceData(first, 0, frame);
    EXPECT_EQ(store.deviceValue(1, 0), 0);
    form3->HidCtlDeviceData(form3->ListenDevice, 0, frame);
    EXPECT_EQ(store.deviceValue(1, 0), 5);
}

TEST_F(TransportTest, StartWithoutUsbThenPlugIn) {
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbMissSeen; }, 2000));
    EXPECT_EQ(link.linkTransport, TransportSerial);
    EXPECT_EQ(searches, 1);
    hid.plug(boxInfo("/dev/hidraw4"), &sim);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    EXPECT_EQ(link.linkTransport, TransportUsb);
    EXPECT_EQ(searches, 2);
}

TEST_F(TransportTest, UnplugWhileOnlineFirstTimeAndLater) {
    hid.plug(boxInfo("/dev/hidraw4"), &sim);
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    link.linkState = LinkOnline;
    hid.unplug("/dev/hidraw4");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form3->UsbPresent; }, 2000));
    EXPECT_EQ(losses, 1);
    EXPECT_EQ(form3->CurrentDevice, nullptr);
    // Plugged again and pulled again: the keep-alive is left to notice.
    hid.plug(boxInfo("/dev/hidraw4"), &sim);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    hid.unplug("/dev/hidraw4");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form3->UsbPresent; }, 2000));
    EXPECT_EQ(losses, 1);
}

TEST_F(TransportTest, PermissionProblemIsLoggedNotSilent) {
    hid.setDenyOpen(true);
    hid.plug(boxInfo("/dev/hidraw4"), &sim);
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbMissSeen; }, 2000));
    ASSERT_GE(form3->HistoryListBox()->count(), 1);
    EXPECT_TRUE(form3->HistoryListBox()->item(0)->text().contains("permission"));
}

TEST_F(TransportTest, DiagnosticLogAndTrace) {
    hid.plug(boxInfo("/dev/hidraw4"), &sim);
    hid.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form3->UsbPresent; }, 2000));
    form3->setTrace(true, false);
    link.PCtoMCUAckSign(SignIdentify);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.flags.HandshakeSeen; }, 2000));
    QStringList lines;
    for (int i = 0; i < form3->HistoryListBox()->count(); ++i) {
        lines << form3->HistoryListBox()->item(i)->text();
    }
    EXPECT_TRUE(lines.filter(QRegularExpression("^W 00  f5 c0 06 b0 1e 16 .*\\*\\*\\*\\*lEen:65$"))
                    .size() == 1)
        << lines.join('\n').toStdString();
    EXPECT_FALSE(lines.filter(QRegularExpression("^R 00  f5 c0 ")).isEmpty());
    form3->Button3Click();
    EXPECT_EQ(form3->HistoryListBox()->count(), 0);
    form3->HidCtlRemoval(boxInfo("/dev/hidraw4"));
    EXPECT_EQ(form3->HistoryListBox()->item(0)->text(),
              QString("Removal of MZ3 Device VID=2b5d PID=0e63"));
}

TEST(DeviceNameTest, ProductThenIdsThenSerial) {
    EXPECT_EQ(TForm3::DeviceName({"p", 0x2B5D, 0x0E63, "X", ""}),
              QString("XDevice VID=2b5d PID=0e63"));
    EXPECT_EQ(TForm3::DeviceName({"p", 0x2B5D, 0x0E63, "X", "SN1"}),
              QString::fromUtf8("XDevice VID=2b5d PID=0e63 (自定义HID描述符=SN1)"));
}

}  // namespace
}  // namespace mz3
