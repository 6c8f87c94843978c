#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>

#include "TForm2.h"

namespace mz3 {
namespace {

TEST(StatusWindowTest, LayoutTextsAndCloseOnlyHides) {
    TForm2 status;
    EXPECT_EQ(status.size(), QSize(306, 85));
    EXPECT_EQ(status.statusText(), QString::fromUtf8("设备未连接"));
    EXPECT_EQ(status.portText(), QString("COM1"));
    status.setProgress(49);
    EXPECT_EQ(status.findChild<QProgressBar*>("RzProgressStatus1")->value(), 49);
    status.setLanguage(false);
    EXPECT_EQ(status.windowTitle(), QString("Device Status"));
    status.show();
    status.close();
    EXPECT_FALSE(status.isVisible());
    status.show();  // hidden, not destroyed
    EXPECT_TRUE(status.isVisible());
    status.hide();
}

TEST(StatusWindowTest, AutoCloseClosesTheNextMessageBoxOnly) {
    TForm2 status;
    QMessageBox before(QMessageBox::Information, "old", "was open before arming");
    before.show();
    status.ArmAutoClose(300);
    QMessageBox box(QMessageBox::Information, "Confirm", "Password is Changed!");
    box.show();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.isVisible(); }, 3000));
    EXPECT_TRUE(before.isVisible());
    EXPECT_FALSE(status.autoCloseArmed());
    EXPECT_EQ(box.windowTitle(), QString("Confirm"));
    before.hide();
}

TEST(StatusWindowTest, AutoCloseDisarmsWhenNoNewWindowAppears) {
    TForm2 status;
    status.ArmAutoClose(200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status.autoCloseArmed(); }, 2000));
}

}  // namespace
}  // namespace mz3
