// The edit pipeline driven through real controls with simulated input.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "PanelApp.h"
#include "Props.h"
#include "ScaleTables.h"
#include "TForm1.h"
#include "ValueScales.h"
#include "support/ParamFakes.h"
#include "support/RecordingDialogs.h"
#include "support/TempDir.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;

class EditTest : public ::testing::Test {
protected:
    EditTest() {
        panel = std::make_unique<PanelApp>(
            parsePanelOptions({"p", "--host", "127.0.0.1"}),
            PanelEnvironment{base, base, &dialogs, nullptr, nullptr, false});
        panel->form1()->show();
        QApplication::setActiveWindow(panel->form1());
        panel->store().setWritePath(&writes);  // every SendDatatoMCU is recorded here
    }
    ~EditTest() override {
        panel->store().setWritePath(nullptr);
        panel.reset();
    }
    template <typename T>
    T* control(const char* name) {
        return qobject_cast<T*>(panel->binding().find(name));
    }
    void typeInto(QLineEdit* edit, const QString& text) {
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    std::pair<int, int> last() const { return writes.writes.back(); }

    test::TempDir tempDir{"mz3-edit"};
    const fs::path base = tempDir.path();
    test::RecordingDialogs dialogs;
    test::RecordingWritePath writes;
    std::unique_ptr<PanelApp> panel;
};

TEST_F(EditTest, TypedFrequencyKeepsOnlyTheDigits) {
    auto* freq = control<QLineEdit>("MusFreEdit1");
    typeInto(freq, "1k");
    ASSERT_FALSE(writes.writes.empty());
    EXPECT_EQ(last(), std::make_pair(11, 0));
    EXPECT_EQ(freq->text(), QString("19.7Hz"));
}

TEST_F(EditTest, TypedGainIsRoundedToTheGrid) {
    auto* gain = control<QLineEdit>("MusGainEdit1");
    typeInto(gain, "-3.3");
    ASSERT_FALSE(writes.writes.empty());
    EXPECT_EQ(last(), std::make_pair(12, 104));
    EXPECT_EQ(gain->text(), QString("-3.2dB"));
    EXPECT_EQ(control<QSlider>("MusEQGainBar1")->value(), 104);
}

TEST_F(EditTest, UpInAFrequencyEditStepsTheGain) {
    auto* freq = control<QLineEdit>("MusFreEdit1");
    QTest::mouseClick(freq, Qt::LeftButton);
    writes.writes.clear();
    QTest::keyClick(freq, Qt::Key_Up);
    ASSERT_EQ(writes.writes.size(), 1u);
    EXPECT_EQ(last(), std::make_pair(12, 121));   // the band's gain, 0.0 dB + one step
    EXPECT_EQ(panel->store().panelValue(11), 2);  // the frequency is untouched
}

TEST_F(EditTest, AuxiliaryGainStepAndLiftLimit) {
    panel->form1()->findChild<QStackedWidget*>("FormPageItem")->setCurrentIndex(6);
    control<QTabWidget>("AuxPageCtrol")->setCurrentIndex(1);
    panel->pipeline().RefreshAll(ModAuxiliary);  // the gains follow the visible sub-page
    panel->store().selection().curPageModule = ModAuxiliary;
    panel->store().setPanelValue(makeAddress(21, 31), 125);  // music bass: +1.0 dB at most
    panel->store().setPanelValue(makeAddress(21, 32), 60);
    control<QComboBox>("AUXGainBox")->setCurrentIndex(2);  // 0.6 dB: three indices a step
    auto* gain = qobject_cast<QLineEdit*>(panel->binding().PrimaryControl(makeAddress(21, 3)));
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(gain->objectName(), QString("AUXMUSGainEdit1"));
    panel->pipeline().ApplyControlValue(gain, 0, 1, 120);
    QTest::mouseClick(gain, Qt::LeftButton);
    writes.writes.clear();
    QTest::keyClick(gain, Qt::Key_Up);
    EXPECT_EQ(last(), std::make_pair(makeAddress(21, 3), 123));
    QTest::keyClick(gain, Qt::Key_Up);
    EXPECT_EQ(last(), std::make_pair(makeAddress(21, 3), 125));
}

TEST_F(EditTest, ShelfTypeShowsTheShelfQAndCapsIt) {
    panel->store().setPanelValue(13, 30);  // peaking Q of band 1
    panel->store().setPanelValue(14, 10);  // shelf Q of band 1
    QTest::mouseClick(control<QLabel>("MusLSQBtn1"), Qt::LeftButton);
    EXPECT_EQ(panel->store().panelValue(10), 2);
    auto* q = control<QLineEdit>("MusQEdit1");
    EXPECT_EQ(q->text(), QString::fromLatin1(QTexts[10]));
    panel->store().setPanelValue(14, 24);
    panel->pipeline().ApplyControlValue(q, 0, 1, 0);  // shows the stored shelf Q
    EXPECT_EQ(q->text(), QString("1.60"));
    QTest::mouseClick(q, Qt::LeftButton);
    writes.writes.clear();
    QTest::keyClick(q, Qt::Key_Right);
    EXPECT_EQ(last(), std::make_pair(14, 24));
    EXPECT_EQ(q->text(), QString("1.60"));
}

TEST_F(EditTest, SliderMovedDuringARefreshSendsNothing) {
    panel->store().flags().refreshActive = true;
    control<QSlider>("MusGain1Bar")->setValue(33);
    EXPECT_TRUE(writes.writes.empty());
    panel->store().flags().refreshActive = false;
    control<QSlider>("MusGain1Bar")->setValue(34);
    EXPECT_EQ(last(), std::make_pair(0, 34));
    EXPECT_EQ(control<QLabel>("MusGain1Edit")->text(), QString("7.0dB"));
}

TEST_F(EditTest, MuteRestoresTheLastLevel) {
    auto* level = control<QSlider>("MainLevelBar");
    level->setValue(50);
    QTest::mouseClick(control<QPushButton>("OutMuteBtn"), Qt::LeftButton);
    EXPECT_EQ(level->value(), 0);
    EXPECT_EQ(last(), std::make_pair(makeAddress(8, 11), 0));
    QTest::mouseClick(control<QPushButton>("OutMuteBtn"), Qt::LeftButton);
    EXPECT_EQ(level->value(), 50);
    EXPECT_EQ(last(), std::make_pair(makeAddress(8, 11), 50));
}

TEST_F(EditTest, EqResetOnMicBResetsModule4AndSendsItsCode) {
    ParameterStore& s = panel->store();
    s.selection().curMic = 4;
    s.selection().curPageModule = ModMicA;
    s.setDeviceValue(4, 17, 50);  // band 1 gain of Mic B
    s.setDeviceValue(3, 17, 50);  // Mic A keeps its own
    panel->pipeline().ResetEq(ModMicA);
    EXPECT_EQ(s.deviceValue(4, 17), 120);
    EXPECT_EQ(s.deviceValue(4, 16), DefaultBandFrequency(1, 0));
    EXPECT_EQ(s.deviceValue(3, 17), 50);
    ASSERT_FALSE(writes.writes.empty());
    EXPECT_EQ(writes.writes.front(), std::make_pair(0x1A04, 1));
    EXPECT_EQ(writes.holds, 1);
}

TEST_F(EditTest, ClickedBandIsHighlightedAndItsHalfScrolledIntoView) {
    panel->form1()->resize(1258, 863);
    auto* scroll = control<QScrollArea>("MusScrollBox");
    QApplication::processEvents();
    ASSERT_GT(scroll->horizontalScrollBar()->maximum(), 0);  // the bands do not all fit
    QTest::mouseClick(control<QLineEdit>("MusFreEdit12"), Qt::LeftButton);
    EXPECT_TRUE(control<QLabel>("MusEQPointLabel12")->styleSheet().contains("226,40,40"));
    EXPECT_TRUE(control<QLabel>("MusEQPointLabel3")->styleSheet().contains("40,166,226"));
    EXPECT_EQ(panel->pipeline().currentBand(0), 11);
    EXPECT_EQ(scroll->horizontalScrollBar()->value(), scroll->horizontalScrollBar()->maximum());
    QTest::mouseClick(control<QLineEdit>("MusGainEdit2"), Qt::LeftButton);
    EXPECT_TRUE(control<QLabel>("MusEQPointLabel2")->styleSheet().contains("226,40,40"));
    EXPECT_EQ(scroll->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(writes.writes.empty());  // a click reformats without sending
}

TEST_F(EditTest, SourceButtonsChooseTheInputSource) {
    QTest::mouseClick(control<QPushButton>("InputBtn6"), Qt::LeftButton);
    EXPECT_EQ(last(), std::make_pair(88, 5));
    EXPECT_EQ(control<QComboBox>("SysInputBox")->currentIndex(), 5);
    EXPECT_TRUE(control<QPushButton>("InputBtn6")->isChecked());
    EXPECT_FALSE(control<QPushButton>("InputBtn1")->isChecked());
}

TEST_F(EditTest, OutputPageFollowsTheMusicMode) {
    panel->pipeline().setOutputPageLock(true);
    EXPECT_FALSE(control<QSlider>("MainLevelBar")->isEnabled());
    EXPECT_FALSE(control<QSlider>("MainEQGainBar3")->isEnabled());
    EXPECT_TRUE(control<QSlider>("MusGain1Bar")->isEnabled());
    panel->pipeline().setOutputPageLock(false);
    EXPECT_TRUE(control<QSlider>("MainLevelBar")->isEnabled());
}

TEST_F(EditTest, RefreshShowsStoredValuesInTheirUnits) {
    ParameterStore& s = panel->store();
    s.setDeviceValue(0, 0, 30);    // input gain +5.0 dB
    s.setDeviceValue(0, 12, 150);  // band 1 gain +6.0 dB
    s.setDeviceValue(0, 5, 204);   // high-pass 1000 Hz
    panel->pipeline().RefreshAll(100);
    EXPECT_EQ(control<QSlider>("MusGain1Bar")->value(), 30);
    EXPECT_EQ(control<QLabel>("MusGain1Edit")->text(), QString("5.0dB"));
    EXPECT_EQ(control<QLineEdit>("MusGainEdit1")->text(), QString("6.0dB"));
    EXPECT_EQ(control<QSlider>("MusEQGainBar1")->value(), 150);
    EXPECT_EQ(control<QLabel>("MusHPFREPane")->text(), QString("1000Hz"));
    EXPECT_TRUE(writes.writes.empty());
}

}  // namespace
}  // namespace mz3
