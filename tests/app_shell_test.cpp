#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <filesystem>

#include "PanelApp.h"
#include "SmallWindows.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm5.h"
#include "core/Startup.h"
#include "support/Fakes.h"
#include "support/RecordingDialogs.h"
#include "support/TempDir.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;

class ShellTest : public ::testing::Test {
protected:
    std::unique_ptr<PanelApp> makePanel(QStringList extra = {}) {
        QStringList args = {"mz3-panel", "--host", "127.0.0.1"};
        args << extra;
        const PanelOptions options = parsePanelOptions(args);
        EXPECT_TRUE(options.error.isEmpty()) << options.error.toStdString();
        return std::make_unique<PanelApp>(options,
                                          PanelEnvironment{base, base, &dialogs, &transport});
    }

    test::TempDir tempDir{"mz3-shell"};
    const fs::path base = tempDir.path();
    test::RecordingDialogs dialogs;
    test::RecordingTransport transport;
};

TEST_F(ShellTest, SevenWindowsWithTheirCaptionsAndSizes) {
    auto panel = makePanel();
    struct Expect {
        QWidget* window;
        const char* caption;
        int width, height;
    };
    const Expect windows[] = {
        {panel->form2(), "设备状态", 306, 85},    {panel->form4(), "系统面板", 456, 518},
        {panel->form5(), "保存面板", 452, 400},   {panel->form6(), "输入面板", 447, 143},
        {panel->form7(), "发现新版本", 391, 123}, {panel->form3(), "系统", 664, 453}};
    for (const Expect& e : windows) {
        EXPECT_EQ(e.window->windowTitle(), QString::fromUtf8(e.caption));
        EXPECT_EQ(e.window->size(), QSize(e.width, e.height)) << e.caption;
        EXPECT_TRUE(e.window->windowFlags() & Qt::WindowStaysOnTopHint) << e.caption;
        EXPECT_FALSE(e.window->isVisible()) << e.caption;
    }
    TForm1* main = panel->form1();
    EXPECT_TRUE(main->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(main->size(), QSize(1258, 863));
    EXPECT_EQ(main->findChild<QLabel*>("RzLabel9")->text(),
              QString("MZ3 V1.2.0 Digital Signal Processor"));
    EXPECT_EQ(main->findChild<QLabel*>("LinkLabel")->text(), QString::fromUtf8("设备未连接"));
    EXPECT_EQ(main->findChild<QStackedWidget*>("FormPageItem")->count(), 9);
    EXPECT_FALSE(main->findChild<QComboBox*>("ComComboBox1")->isVisibleTo(main));
}

TEST_F(ShellTest, ShowTimeStartUp) {
    auto panel = makePanel({"--serial", "/dev/pts/77", "--serial", "/tmp/box-tty"});
    TForm1* main = panel->form1();
    EXPECT_FALSE(panel->state().StartupDone);
    main->show();
    ASSERT_TRUE(main->formShowDone());

    EXPECT_TRUE(panel->state().StartupDone);
    EXPECT_EQ(panel->store().deviceValue(0, 7), 360);
    EXPECT_TRUE(fs::is_directory(base / "Mode" / "KxMode"));
    EXPECT_TRUE(fs::is_directory(base / "Mode" / "HintMode"));
    auto* ports = main->findChild<QComboBox*>("ComComboBox1");
    ASSERT_GE(ports->count(), 2);
    EXPECT_EQ(ports->itemText(0), QString("/dev/pts/77"));
    EXPECT_EQ(ports->itemText(1), QString("/tmp/box-tty"));
    EXPECT_EQ(ports->currentIndex(), 0);
    EXPECT_EQ(main->findChild<QStackedWidget*>("FormPageItem")->currentIndex(), 0);
    main->hide();
}

TEST_F(ShellTest, AddressBoxesArePrefilledAndCopiedByTheController) {
    auto panel = makePanel({"--port", "9001"});
    EXPECT_EQ(panel->form1()->findChild<QLineEdit*>("IPstrEdit")->text(), QString("127.0.0.1"));
    EXPECT_EQ(panel->form1()->findChild<QLineEdit*>("IPPortStrEdit")->text(), QString("9001"));
    EXPECT_EQ(panel->form3()->SearchHost, QString("127.0.0.1"));
    EXPECT_EQ(panel->form3()->SearchPort, QString("9001"));
}

TEST_F(ShellTest, ClosingWhileOnlineSendsTheDisconnectNoticeFirst) {
    auto panel = makePanel();
    panel->link().linkState = LinkOnline;
    panel->link().linkTransport = TransportTcp;
    panel->form1()->show();
    QTest::mouseClick(panel->form1()->findChild<QPushButton*>("RzBmpButton3"), Qt::LeftButton);
    EXPECT_EQ(panel->link().linkState, LinkIdle);
    ASSERT_EQ(transport.frames.size(), 1u);
    EXPECT_EQ(transport.frames[0], test::hexBytes("F5 C0 06 B7 1E 30 AA 00 A4"));
    EXPECT_FALSE(panel->form1()->isVisible());
}

TEST_F(ShellTest, ClosingWhileOfflineSendsNothing) {
    auto panel = makePanel();
    panel->form1()->show();
    panel->form1()->MenuItem6Click();
    EXPECT_TRUE(transport.frames.empty());
    EXPECT_FALSE(panel->form1()->isVisible());
}

TEST_F(ShellTest, SmallWindowCloseOnlyHidesAndReleasesItsPaneButton) {
    auto panel = makePanel();
    auto* pane = panel->form1()->findChild<QPushButton*>("PaneSysBtn");
    pane->setChecked(true);
    panel->form4()->show();
    EXPECT_TRUE(panel->form4()->close() == false || !panel->form4()->isVisible());
    EXPECT_FALSE(panel->form4()->isVisible());
    EXPECT_FALSE(pane->isChecked());
    panel->form4()->show();  // still usable: it was hidden, not destroyed
    EXPECT_TRUE(panel->form4()->isVisible());
    panel->form4()->hide();
}

TEST_F(ShellTest, MinimumSizeRuleOnResize) {
    auto panel = makePanel();
    TForm1* main = panel->form1();
    main->show();
    main->resize(100, 100);
    const WindowSize min =
        minimumMainWindowSize(panel->state().ScreenWidth, panel->state().ScreenHeight);
    EXPECT_GE(main->width(), min.width);
    EXPECT_GE(main->height(), min.height);
    main->hide();
}

TEST_F(ShellTest, WrongIdentityShowsTheNewVersionWindow) {
    auto panel = makePanel();
    panel->link().linkTransport = TransportTcp;
    panel->link().ClientSocket1Read(
        buildPacketFrame(WriteMode, 0x1E16, {'O', 'T', 'H', 'E', 'R', '-', '1'}));
    EXPECT_TRUE(panel->form7()->isVisible());
    EXPECT_EQ(panel->form1()->findChild<QLabel*>("LinkLabel")->text(),
              QString::fromUtf8("设备未连接"));
    QTest::mouseClick(panel->form7()->findChild<QPushButton*>("RzBmpButton1"), Qt::LeftButton);
    EXPECT_FALSE(panel->form7()->isVisible());
}

TEST_F(ShellTest, DamagedPacketIsShownThroughTheDialogService) {
    auto panel = makePanel();
    panel->link().ReceivePacket(TransportUsb, test::hexBytes("F5 C0 20 B7 00 00 01"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QString::fromUtf8(kApplicationTitle));
    EXPECT_EQ(dialogs.shown[0].text, QString::fromUtf8("数据包丢失数据"));
}

TEST_F(ShellTest, DeviceIdentifierIsShown) {
    auto panel = makePanel();
    panel->link().linkTransport = TransportTcp;
    panel->link().ClientSocket1Read(buildPacketFrame(WriteMode, 0x1E40, {0xDE, 0xAD, 0x01, 0x02}));
    EXPECT_EQ(panel->form1()->findChild<QLabel*>("DeviceIDLabel")->text(), QString("DEAD0102"));
}

TEST(MessagesTest, ConventionsFollowTheLanguageOnShow) {
    test::RecordingDialogs dialogs;
    AppState state;
    Messages messages(dialogs, state);
    messages.notice("保存成功!", "Save Success!");
    messages.ShowBilingualMessage("中", "En");
    dialogs.answers = {true};
    EXPECT_TRUE(messages.confirm("删除?", "Delete?"));
    state.CurrentLanguage = LanguageEnglish;
    messages.notice("保存成功!", "Save Success!");
    EXPECT_FALSE(messages.confirm("删除?", "Delete?"));  // unscripted: No

    ASSERT_EQ(dialogs.shown.size(), 5u);
    EXPECT_EQ(dialogs.shown[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(dialogs.shown[0].text, QString::fromUtf8("保存成功!"));
    EXPECT_EQ(dialogs.shown[1].caption, QString::fromUtf8(kApplicationTitle));
    EXPECT_EQ(dialogs.shown[2].kind, QString("yesno"));
    EXPECT_EQ(dialogs.shown[2].caption, QString("Confirm"));
    EXPECT_EQ(dialogs.shown[3].caption, QString("Confirm"));
    EXPECT_EQ(dialogs.shown[3].text, QString("Save Success!"));
    EXPECT_EQ(dialogs.shown[4].text, QString("Delete?"));
}

TEST(PanelOptionsTest, CommandLines) {
    struct Case {
        QStringList args;
        bool ok;
        QString host, port;
        int serialCount;
    };
    const Case cases[] = {
        {{"p"}, true, "", "", 0},
        {{"p", "--host", "127.0.0.1", "--port", "8899"}, true, "127.0.0.1", "8899", 0},
        {{"p", "--serial", "/dev/ttyUSB7", "--serial", "/dev/pts/3"}, true, "", "", 2},
        {{"p", "--port", "0"}, false, "", "", 0},
        {{"p", "--port", "70000"}, false, "", "", 0},
        {{"p", "--port", "88a"}, false, "", "", 0},
        {{"p", "--host", ""}, false, "", "", 0},
        {{"p", "--bogus"}, false, "", "", 0},
        {{"p", "stray"}, false, "", "", 0},
    };
    for (const Case& c : cases) {
        const PanelOptions o = parsePanelOptions(c.args);
        EXPECT_EQ(o.error.isEmpty(), c.ok) << c.args.join(' ').toStdString();
        if (c.ok) {
            EXPECT_EQ(o.host, c.host);
            EXPECT_EQ(o.port, c.port);
            EXPECT_EQ(o.serialPorts.size(), c.serialCount);
        }
    }
    EXPECT_TRUE(parsePanelOptions({"p", "--help"}).showHelp);
    EXPECT_TRUE(parsePanelOptions({"p", "--version"}).showVersion);
    EXPECT_TRUE(panelHelpText("/x/Mode").contains("/x/Mode"));
}

}  // namespace
}  // namespace mz3
