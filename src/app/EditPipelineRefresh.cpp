// The edit pipeline's wiring (which handler serves which control), the keyboard and wheel
// handling of the EQ edit boxes, the refresh of every control from the store, and the EQ reset.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QWheelEvent>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "ParameterMap.h"
#include "ParameterStore.h"
#include "Props.h"
#include "ValueScales.h"
#include "pages/ControlFactory.h"

namespace mz3 {

void EditPipeline::connectHandlers() {
    for (const SlotBinding& b : parameterMap()) {
        QWidget* primary = m_binding.find(b.primary.name.c_str());
        if (primary == nullptr || primary->property("EditWired").toBool() ||
            primary->property("LinkSwitch").toBool()) {
            continue;
        }
        primary->setProperty("EditWired", true);
        if (auto* slider = qobject_cast<QSlider*>(primary)) {
            if (b.module == ModSystemVolume) {
                connect(slider, &QSlider::valueChanged, this,
                        [this, slider] { SysMusNormalVolBarChange(slider); });
            } else if (b.primary.name == "MainLevelBar" || b.primary.name == "MainRLevelBar") {
                connect(slider, &QSlider::valueChanged, this,
                        [this, slider] { MainLevelBarChange(slider); });
            } else {
                connect(slider, &QSlider::valueChanged, this,
                        [this, slider] { MicHPFreBarChange(slider); });
            }
        } else if (auto* box = qobject_cast<QComboBox*>(primary)) {
            const int kind = b.primary.scaleKind;
            connect(box, &QComboBox::currentIndexChanged, this, [this, box, kind, &b] {
                if (kind == 1 || b.bandCount > 0) {
                    MusModeBox1Change(box);
                } else if (kind == 20 || kind == 21) {
                    MainHPTypeBoxChange(box);
                } else {
                    SysInputBoxChange(box);
                }
            });
        } else if (auto* edit = qobject_cast<QLineEdit*>(primary)) {
            edit->installEventFilter(this);
        } else if (auto* button = qobject_cast<QPushButton*>(primary)) {
            if (b.primary.name == "MusEQAllpassBtn") {
                connect(button, &QPushButton::clicked, this, [this] { MusEQAllpassBtnClick(); });
            } else {
                connect(button, &QPushButton::clicked, this, [this, button] {
                    // The checkable look follows the state, not the click.
                    button->setChecked(hint(button) == "1");
                    EchoEffPhaseBtnClick(button);
                });
            }
        }
        for (int k = 0; k < b.bandCount; ++k) {
            QWidget* bc = m_binding.find(b.band[size_t(k)].name.c_str());
            if (bc == nullptr || bc->property("EditWired").toBool()) {
                continue;
            }
            bc->setProperty("EditWired", true);
            if (auto* bar = qobject_cast<QSlider*>(bc)) {
                connect(bar, &QSlider::valueChanged, this,
                        [this, bar] { MusEQGainBar1Change(bar); });
            } else if (auto* pair = qobject_cast<SpinButtons*>(bc)) {
                connect(pair, &SpinButtons::stepUp, this, [this, pair] { spin(pair, true); });
                connect(pair, &SpinButtons::stepDown, this, [this, pair] { spin(pair, false); });
            } else if (qobject_cast<QLabel*>(bc) != nullptr) {
                bc->installEventFilter(this);
            } else if (auto* trigger = qobject_cast<QPushButton*>(bc)) {
                // DEQ detection buttons: their Tag is the value they choose.
                connect(trigger, &QPushButton::clicked, this, [this, trigger, primary] {
                    if (auto* box = qobject_cast<QComboBox*>(primary)) {
                        const QSignalBlocker block(box);
                        box->setCurrentIndex(tag(trigger));
                        MusModeBox1Change(box);
                    }
                });
            }
        }
    }
    if (auto* mute = qobject_cast<QPushButton*>(m_binding.find("OutMuteBtn"))) {
        connect(mute, &QPushButton::clicked, this, [this] { OutMuteBtnClick(); });
    }
    for (int i = 1; i <= 6; ++i) {
        if (auto* b = qobject_cast<QPushButton*>(
                m_binding.find(QStringLiteral("InputBtn%1").arg(i).toLatin1().constData()))) {
            connect(b, &QPushButton::clicked, this, [this, b] { InputBtn1Click(tag(b)); });
        }
    }
    if (auto* reset = qobject_cast<QPushButton*>(m_binding.find("EQResetBtn"))) {
        connect(reset, &QPushButton::clicked, this, [this] { EQResetBtnClick(); });
    }
    const std::pair<const char*, int> paging[] = {{"LeftAddBtn", 0},  {"RightAddBtn", 0},
                                                  {"LeftAddBtn2", 3}, {"RightAddBtn2", 3},
                                                  {"LeftAddBtn3", 8}, {"RightAddBtn3", 8}};
    for (const auto& [name, module] : paging) {
        if (auto* b = qobject_cast<QPushButton*>(m_binding.find(name))) {
            const bool left = QByteArray(name).startsWith("Left");
            const int m = module;
            connect(b, &QPushButton::clicked, this,
                    [this, left, m] { left ? LeftAddBtnClick(m) : RightAddBtnClick(m); });
        }
    }
    m_main->installEventFilter(this);
}

bool EditPipeline::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && m_wheelArmed) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0) {
            CommitEdit(delta > 0 ? 1 : 11);
            return true;
        }
    }
    if (auto* label = qobject_cast<QLabel*>(watched)) {
        if (event->type() == QEvent::MouseButtonPress) {
            MusPEQtn1Click(label);
            return true;
        }
        return false;
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            MusFreEdit1Click(edit);
            return false;
        case QEvent::FocusOut:
            MusFreEdit1Exit(edit);
            return false;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const int k = key->key();
            if (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right) {
                if (m_lastFocusedEdit.isNull()) {
                    return true;
                }
                const int kind = hintNumber(edit);
                const int a = tag(edit);
                // Up and Down change the gain, Left and Right the frequency.
                if (kind == 2 && (k == Qt::Key_Up || k == Qt::Key_Down)) {
                    if (auto* gain = qobject_cast<QLineEdit*>(m_binding.PrimaryControl(a + 1))) {
                        MusFreEdit1Click(gain);
                    }
                } else if (kind == 3 && (k == Qt::Key_Left || k == Qt::Key_Right)) {
                    if (auto* freq = qobject_cast<QLineEdit*>(m_binding.PrimaryControl(a - 1))) {
                        MusFreEdit1Click(freq);
                    }
                }
                // Marked dirty after the move, so leaving the first edit resends nothing.
                m_dirty = true;
                CommitEdit(k == Qt::Key_Up || k == Qt::Key_Right ? 1 : 11);
                return true;
            }
            m_lastFocusedEdit = edit;
            m_dirty = true;
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                MusFreEdit1Exit(edit);
                return true;
            }
            if (k == Qt::Key_Backspace) {
                return false;
            }
            const QString t = key->text();
            const bool allowed = t.size() == 1 && (t[0].isDigit() || t[0] == '-' || t[0] == '.');
            return !allowed;  // every other character is discarded
        }
        default:
            return false;
    }
}

void EditPipeline::RefreshAll(int module) {
    ParameterStore& s = m_store;
    s.flags().bindingActive = true;
    s.flags().refreshActive = true;
    s.LoadPanelFromDevice();
    const int bank = s.deviceValue(ModMusic, 86);
    s.selection().outputBank = bank > 1 ? 0 : bank;
    // The Auxiliary gains follow the visible sub-page (inner page 1 holds the user EQ).
    int auxSubPage = 0;
    if (auto* aux = qobject_cast<QTabWidget*>(m_binding.find("AuxPageCtrol"))) {
        auxSubPage = aux->currentIndex() == 1 ? 0 : 1;
    }
    m_binding.RebindAuxiliaryGains(auxSubPage);
    const int output = s.selection().curOutput;
    const bool surround = output >= 12 && output <= 15;
    m_binding.rebindSharedControls(s.selection().curPageModule, surround);

    for (int d : PanelModules) {
        if (module != 100 && module != d) {
            continue;
        }
        for (int slot = 0; slot < SlotCount[size_t(d)]; ++slot) {
            const int a = makeAddress(d, slot);
            QWidget* w = m_binding.PrimaryControl(a);
            if (w == nullptr || m_binding.isPlaceholder(w) || tag(w) != a) {
                continue;  // shared controls are refreshed from their current binding
            }
            const int v = s.panelValue(a);
            if (auto* slider = qobject_cast<QSlider*>(w)) {
                {
                    const QSignalBlocker block(slider);
                    slider->setValue(v);
                }
                if (d == ModSystemVolume) {
                    if (auto* pane = qobject_cast<QLabel*>(m_binding.ValueDisplay(a))) {
                        pane->setText(QString::number(slider->value()));
                    }
                } else if (auto* pane = qobject_cast<QLabel*>(m_binding.ValueDisplay(a))) {
                    ApplyControlValue(pane, 0, 1, v);
                }
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                setHint(button, v != 0 ? "1" : "0");
                button->setChecked(v != 0);
            } else if (auto* box = qobject_cast<QComboBox*>(w)) {
                {
                    const QSignalBlocker block(box);
                    box->setCurrentIndex(v);
                }
                QWidget* first = m_binding.BandControl(a, 0);
                if (qobject_cast<QLabel*>(first) != nullptr ||
                    qobject_cast<QPushButton*>(first) != nullptr) {
                    MusModeBox1Change(box);
                }
            } else if (qobject_cast<QLineEdit*>(w) != nullptr) {
                ApplyControlValue(w, 0, 1, v);
            }
        }
    }
    // The right-channel controls of the output group on show.
    const int rightRow = surround ? 14 : 10;
    for (int slot : {10, 11}) {
        if (auto* slider =
                qobject_cast<QSlider*>(m_binding.PrimaryControl(makeAddress(rightRow, slot)))) {
            const QSignalBlocker block(slider);
            slider->setValue(s.panelValue(makeAddress(rightRow, slot)));
            ApplyControlValue(m_binding.ValueDisplay(makeAddress(rightRow, slot)), 0, 1,
                              slider->value());
        }
    }
    if (auto* link = qobject_cast<QComboBox*>(m_binding.find("MainLRLinkBox"))) {
        const QSignalBlocker block(link);
        link->setCurrentIndex(s.panelValue(surround ? 90 : 89) != 0 ? 1 : 0);
    }
    if (m_hooks.channelLinks) {
        m_hooks.channelLinks();
    }
    if (QWidget* pitch = m_binding.find("MusPitchBar")) {
        pitch->setEnabled(s.panelValue(2) != 0);
    }
    // The EQ bypass button follows the page on show.
    const int page = s.selection().curPageModule;
    if (auto* bypass = qobject_cast<QPushButton*>(m_binding.find("MusEQAllpassBtn"))) {
        const int state = (page == ModDeq || page == ModAuxiliary || page >= 25)
                              ? 0
                              : (s.panelValue(makeAddress(page, EqFirstSlot(page) - 1)) != 0);
        setHint(bypass, QString::number(state));
        bypass->setChecked(state == 1);
        m_eqBypass[size_t(std::clamp(page, 0, 30))] = state;
    }
    setOutputPageLock(s.panelValue(makeAddress(ModMusic, 85)) == 0);
    if (m_hooks.systemPanelStates) {
        m_hooks.systemPanelStates();
    }
    if (m_hooks.modeLists) {
        m_hooks.modeLists();
    }
    s.flags().bindingActive = false;
    if (m_hooks.redrawEq) {
        m_hooks.redrawEq(page);
    }
    s.flags().refreshActive = false;
    if (m_hooks.lockPrompt) {
        m_hooks.lockPrompt();
    }
}

void EditPipeline::ResetEq(int module) {
    ParameterStore& s = m_store;
    int m = module;
    if (m != 100) {
        const ChannelSelection& sel = s.selection();
        m = m == ModEcho           ? sel.curEffect
            : m == ModMicA         ? sel.curMic
            : m == ModMainLeftSing ? sel.curOutput
            : m == ModHintMusic    ? sel.curHint
                                   : m;
    }
    for (int i = 0; i <= 24; ++i) {
        if (m != 100 && i != m) {
            continue;
        }
        const int group = EqGroup(i);
        for (int bnd = 0; bnd < EqBandCount(i); ++bnd) {
            const int values[5] = {1, DefaultBandFrequency(group, bnd), 120, 16, 16};
            for (int f = 0; f < 5; ++f) {
                const int a = makeAddress(i, eqFieldSlot(i, bnd, f));
                if (s.selection().outputBank == 0 || m == 100) {
                    s.setDeviceValue(a, values[f]);
                    s.setPanelValue(a, values[f]);
                } else {
                    s.setDeviceValue(s.MapToDevice(a), values[f]);
                }
            }
        }
        if (m != 100) {
            s.SendEQDatatoMCU(makeAddress(ModCommand, EqResetCode(i)), 1);
        }
    }
    RefreshAll(m == 100 ? 100 : s.selection().curPageModule);
}

}  // namespace mz3
