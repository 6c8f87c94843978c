#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <filesystem>
#include <set>

#include "ControlBinding.h"
#include "PanelApp.h"
#include "ParameterMap.h"
#include "Props.h"
#include "TForm1.h"
#include "ValueScales.h"
#include "pages/ControlFactory.h"
#include "support/Fakes.h"
#include "support/RecordingDialogs.h"

namespace mz3 {
namespace {

namespace fs = std::filesystem;

class BindingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/mz3-binding-XXXXXX";
        base = ::mkdtemp(pattern);
        dialogs = new test::RecordingDialogs;
        transport = new test::RecordingTransport;
        panel = new PanelApp(parsePanelOptions({"p", "--host", "127.0.0.1"}),
                             PanelEnvironment{base, base, dialogs, transport, nullptr, false});
        panel->form1()->show();  // show-time start-up binds the controls
    }
    static void TearDownTestSuite() {
        delete panel;
        delete transport;
        delete dialogs;
        std::error_code ec;
        fs::remove_all(base, ec);
    }
    static ControlBinding& binding() { return panel->binding(); }

    static inline fs::path base;
    static inline test::RecordingDialogs* dialogs = nullptr;
    static inline test::RecordingTransport* transport = nullptr;
    static inline PanelApp* panel = nullptr;
};

TEST_F(BindingTest, EveryPrimaryControlsTagMapsBackExceptTheSharedOnes) {
    int bound = 0;
    for (int m = 0; m < kModuleCount; ++m) {
        for (int s = 0; s < kSlotCapacity; ++s) {
            const int a = makeAddress(m, s);
            QWidget* w = binding().PrimaryControl(a);
            if (w == nullptr || binding().isPlaceholder(w)) {
                continue;
            }
            ++bound;
            const QString name = w->objectName();
            const int t = tag(w);
            if (name.contains("QEdit")) {
                // Bound to both Q slots of its band; the Tag is the shelf Q slot.
                const auto bf = bandOf(a);
                ASSERT_TRUE(bf) << name.toStdString();
                EXPECT_EQ(bandOf(t)->band, bf->band) << name.toStdString();
                EXPECT_EQ(bandOf(t)->field, 4) << name.toStdString();
            } else if (name == "MainRdelayBar" || name == "MainRLevelBar") {
                // Bound to rows 10 and 14; the refresh points it at the output group on show.
                EXPECT_TRUE(addressModule(t) == 10 || addressModule(t) == 14) << name.toStdString();
                EXPECT_EQ(addressSlot(t), s) << name.toStdString();
            } else {
                EXPECT_EQ(t, a) << name.toStdString() << " at " << m << "/" << s;
            }
        }
    }
    EXPECT_GT(bound, 500);
}

TEST_F(BindingTest, SlotsBeyondTheUsedRangeAndMicBHaveNoControl) {
    for (int m = 0; m < kModuleCount; ++m) {
        for (int s = SlotCount[size_t(m)]; s < kSlotCapacity; ++s) {
            ASSERT_EQ(binding().PrimaryControl(makeAddress(m, s)), nullptr) << m << " " << s;
            ASSERT_EQ(binding().ValueDisplay(makeAddress(m, s)), nullptr) << m << " " << s;
        }
    }
    EXPECT_EQ(binding().PrimaryControl(makeAddress(4, 13)), nullptr);
    EXPECT_EQ(binding().PrimaryControl(-1), nullptr);
    EXPECT_EQ(binding().PrimaryControl(makeAddress(31, 0)), nullptr);
    EXPECT_EQ(binding().BandControl(makeAddress(0, 10), 4), nullptr);
    // Slots that exist without a control hold the placeholder.
    EXPECT_TRUE(binding().isPlaceholder(binding().PrimaryControl(makeAddress(0, 1))));
    EXPECT_EQ(binding().example()->objectName(), QString("Example"));
    EXPECT_FALSE(binding().example()->isVisibleTo(panel->form1()));
}

TEST_F(BindingTest, EveryMapEntryHasItsControlOfTheRightKind) {
    for (const SlotBinding& b : parameterMap()) {
        QWidget* w = binding().find(b.primary.name.c_str());
        ASSERT_NE(w, nullptr) << b.primary.name;
        switch (b.primary.kind) {
            case ControlKind::Slider: {
                auto* s = qobject_cast<QSlider*>(w);
                ASSERT_NE(s, nullptr) << b.primary.name;
                EXPECT_EQ(s->minimum(), 0);
                EXPECT_EQ(s->maximum(), b.primary.max) << b.primary.name;
                break;
            }
            case ControlKind::Combo: {
                auto* c = qobject_cast<QComboBox*>(w);
                ASSERT_NE(c, nullptr) << b.primary.name;
                EXPECT_EQ(c->count(), int(b.primary.items.size())) << b.primary.name;
                break;
            }
            case ControlKind::Edit:
                EXPECT_NE(qobject_cast<QLineEdit*>(w), nullptr) << b.primary.name;
                EXPECT_EQ(hint(w), QString::number(b.primary.scaleKind)) << b.primary.name;
                break;
            case ControlKind::Toggle:
                EXPECT_TRUE(qobject_cast<QPushButton*>(w)->isCheckable()) << b.primary.name;
                EXPECT_EQ(hint(w), QString("0")) << b.primary.name;
                break;
            default:
                break;
        }
        if (b.hasDisplay) {
            QWidget* d = binding().find(b.display.name.c_str());
            ASSERT_NE(d, nullptr) << b.display.name;
            if (b.display.kind == ControlKind::Pane) {
                EXPECT_EQ(hint(d), QString::number(b.display.scaleKind)) << b.display.name;
            }
        }
    }
}

TEST_F(BindingTest, EqBandsPerModuleMatchTheMaps) {
    for (int m : {0, 2, 3, 5, 7, 8, 20, 21, 22}) {
        std::set<int> bands;
        int typeLabels = 0;
        int gainBars = 0;
        for (int s = 0; s < SlotCount[size_t(m)]; ++s) {
            const int a = makeAddress(m, s);
            const auto bf = bandOf(a);
            QWidget* w = binding().PrimaryControl(a);
            if (!bf || bf->band >= EqBandCount(m) || w == nullptr || binding().isPlaceholder(w)) {
                continue;
            }
            bands.insert(bf->band);
            if (bf->field == 0) {
                for (int k = 0; k < 4; ++k) {
                    auto* label = qobject_cast<QLabel*>(binding().BandControl(a, k));
                    ASSERT_NE(label, nullptr);
                    EXPECT_EQ(tag(label), a);
                    EXPECT_EQ(hint(label), QString::number(k));
                    ++typeLabels;
                }
            }
            if (bf->field == 2) {
                auto* bar = qobject_cast<QSlider*>(binding().BandControl(a, 0));
                ASSERT_NE(bar, nullptr);
                EXPECT_EQ(bar->maximum(), 180);
                EXPECT_EQ(tag(bar), a);
                ++gainBars;
            }
        }
        EXPECT_EQ(int(bands.size()), EqBandCount(m)) << "module " << m;
        EXPECT_EQ(typeLabels, 4 * EqBandCount(m)) << "module " << m;
        EXPECT_EQ(gainBars, EqBandCount(m)) << "module " << m;
        // One number label per band.
        for (int n = 1; n <= EqBandCount(m); ++n) {
            EXPECT_NE(binding().find(eqBandNames(m, n).pointLabel.c_str()), nullptr)
                << eqBandNames(m, n).pointLabel;
        }
    }
}

TEST_F(BindingTest, FixedTagsRolesAndStartValues) {
    EXPECT_EQ(tag(binding().find("SysVolRunBtn1")), makeAddress(25, 9));
    EXPECT_EQ(tag(binding().find("SysVolRunBtn2")), makeAddress(25, 9));
    EXPECT_EQ(tag(binding().find("SysLRBtn1")), makeAddress(30, 3));
    EXPECT_EQ(hint(binding().find("SysMusNormalVolBar")), QString("0"));
    EXPECT_EQ(hint(binding().find("SysMicMaxVolBar")), QString("2"));
    EXPECT_EQ(hint(binding().find("SysEffStartVolBar")), QString("1"));
    EXPECT_EQ(tag(binding().find("SysMicStartVolBar")), makeAddress(25, 6));
    EXPECT_EQ(tag(binding().find("SysModeBox")), makeAddress(30, 2));
    EXPECT_EQ(tag(binding().find("SysLockBox")), makeAddress(30, 4));
    EXPECT_EQ(tag(binding().find("DEQTYpeBelowBtn2")), 1);  // the value it stands for
    EXPECT_EQ(panel->store().deviceValue(0, 7), 360);
    EXPECT_EQ(panel->store().deviceValue(30, 20), 3);
    // The infrared switch is visible but inert.
    auto* ir = qobject_cast<QPushButton*>(binding().find("SysIRBtn1"));
    ASSERT_NE(ir, nullptr);
    EXPECT_FALSE(ir->isEnabled());
    EXPECT_FALSE(ir->toolTip().isEmpty());
}

TEST_F(BindingTest, RebindingAuxiliaryGainsAndSharedControls) {
    const int gain1 = makeAddress(21, 3);
    binding().RebindAuxiliaryGains(1);
    EXPECT_EQ(binding().PrimaryControl(gain1)->objectName(), QString("AUXMUS2GainEdit1"));
    binding().RebindAuxiliaryGains(0);
    EXPECT_EQ(binding().PrimaryControl(gain1)->objectName(), QString("AUXMUSGainEdit1"));
    EXPECT_EQ(binding().PrimaryControl(makeAddress(21, 28))->objectName(),
              QString("AUXMICGainEdit3"));
    EXPECT_EQ(binding().ValueDisplay(gain1)->objectName(), QString("AUXMUS2GainEdit1"));

    binding().rebindSharedControls(3, false);
    EXPECT_EQ(tag(binding().find("MusEQAllpassBtn")), makeAddress(3, 14));
    EXPECT_EQ(tag(binding().find("MainLRLinkBox")), 89);
    EXPECT_EQ(tag(binding().find("MainRdelayBar")), makeAddress(10, 10));
    binding().rebindSharedControls(8, true);
    EXPECT_EQ(tag(binding().find("MusEQAllpassBtn")), makeAddress(8, 20));
    EXPECT_EQ(tag(binding().find("MainLRLinkBox")), 90);
    EXPECT_EQ(tag(binding().find("MainRLevelPane")), makeAddress(14, 11));
}

TEST_F(BindingTest, BilingualTextsAreKeptForTheLanguageSwitch) {
    auto* tools = binding().find("HintSysBtn");
    EXPECT_EQ(qobject_cast<QPushButton*>(tools)->text(), QString::fromUtf8("系统设定"));
    EXPECT_EQ(hint(tools), QString("System"));
    auto* source = qobject_cast<QPushButton*>(binding().find("InputBtn5"));
    EXPECT_EQ(source->text(), QString::fromUtf8("蓝牙"));
    EXPECT_EQ(tag(source), 4);
}

}  // namespace
}  // namespace mz3
