#include "EditPipeline.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <cmath>

#include "ControlBinding.h"
#include "ParameterMap.h"
#include "ParameterStore.h"
#include "Props.h"
#include "ScaleTables.h"
#include "ValueScales.h"
#include "pages/ControlFactory.h"

namespace mz3 {

namespace {

double stepped(double x, int stepMode, double step) {
    return stepMode == 1 ? x + step : stepMode == 11 ? x - step : x;
}

const char* kRed = "color: rgb(226,40,40); font-weight: bold;";
const char* kBlue = "color: rgb(40,166,226); font-weight: bold;";

}  // namespace

EditPipeline::EditPipeline(ParameterStore& store, ControlBinding& binding, QWidget* mainWindow)
    : m_store(store), m_binding(binding), m_main(mainWindow) {}

bool EditPipeline::onAuxiliaryPage() const {
    return m_store.selection().curPageModule == ModAuxiliary;
}
bool EditPipeline::onDeqPage() const {
    return m_store.selection().curPageModule == ModDeq;
}

void EditPipeline::moveSlider(QSlider* slider, int position) {
    m_store.flags().programmaticMove = true;
    slider->setValue(position);
    m_store.flags().programmaticMove = false;
}

void EditPipeline::ApplyControlValue(QWidget* control, int stepMode, int noSend, double x) {
    if (control == nullptr || m_binding.isPlaceholder(control)) {
        return;
    }
    int kind = 0;
    auto* edit = qobject_cast<QLineEdit*>(control);
    auto* pane = qobject_cast<QLabel*>(control);
    auto* box = qobject_cast<QComboBox*>(control);
    if (edit != nullptr) {
        kind = hintNumber(control);
    } else if (pane != nullptr) {
        kind = hintNumber(control);
        if (kind <= 5) {
            return;  // the volume panes are written by their own handler
        }
    } else if (box != nullptr && !hint(box).isEmpty()) {
        kind = hintNumber(control);
    } else {
        return;
    }

    int a = tag(control);
    const auto band = bandOf(a);
    const int bandType = band ? m_store.panelValue(a - band->field) : 0;
    if (band && (band->field == 3 || band->field == 4)) {
        a = a - band->field + (bandType <= 1 ? 3 : 4);
    }

    QString text;
    switch (kind) {
        case 1:
            x = std::min(x, 3.0);
            if (box != nullptr) {
                const QSignalBlocker block(box);
                box->setCurrentIndex(int(x));
            }
            break;
        case 2:
            x = noSend ? std::min(x, 360.0) : std::clamp(stepped(x, stepMode, 1), 0.0, 360.0);
            text = QString::fromStdString(FormatValue(2, int(x)));
            m_lastFocusedEdit = m_binding.PrimaryControl(a);
            break;
        case 3:
            if (!noSend) {
                double step = 1;
                if (onAuxiliaryPage()) {
                    if (auto* gainStep = qobject_cast<QComboBox*>(m_binding.find("AUXGainBox"))) {
                        step = gainStep->currentIndex() + 1;
                    }
                }
                x = std::round(std::clamp(stepped(x, stepMode, step), 0.0, 180.0));
                if (onAuxiliaryPage() && addressModule(a) == ModAuxiliary && band &&
                    band->field == 2) {
                    // Each user-EQ band keeps between its maximum cut and maximum lift.
                    const int lift = m_store.panelValue(makeAddress(21, 31 + 2 * band->band));
                    const int cut = m_store.panelValue(makeAddress(21, 32 + 2 * band->band));
                    x = std::clamp(x, double(std::min(cut, lift)), double(lift));
                }
            } else {
                x = std::min(x, 180.0);
                if (onDeqPage()) {
                    x = std::max(x, 0.0);
                }
            }
            text = QString::fromStdString(formatFixed(x / 5.0 - 24.0, 1) + "dB");
            break;
        case 4:
            if (!noSend) {
                const double max = bandType >= 2 ? 24 : 100;
                x = std::clamp(stepped(x, stepMode, 1), 0.0, max);
            } else {
                x = m_store.panelValue(a);
                if (x > 100) {
                    x = 100;
                    m_store.setPanelValue(a, 100);
                    m_store.setDeviceValue(m_store.MapToDevice(a), 100);
                }
            }
            text = QString::fromLatin1(QTexts[size_t(std::clamp(int(x), 0, 100))]);
            break;
        case 27:
        case 28: {
            if (!noSend) {
                x = stepped(x, stepMode, 1);
            }
            x = std::round(double(ClampIndex(kind, int(std::lround(x)))));
            text = QString::fromStdString(formatFixed(x / 5.0 - 24.0, 1) + "dB");
            if (noSend) {
                m_store.setPanelValue(a, int(x));
                m_store.setDeviceValue(m_store.MapToDevice(a), int(x));
            }
            break;
        }
        default:
            x = ClampIndex(kind, int(x));
            text = QString::fromStdString(FormatValue(kind, int(x)));
            break;
    }
    if (edit != nullptr) {
        edit->setText(text);
    } else if (pane != nullptr) {
        pane->setText(text);
    }
    if (kind >= 2 && kind <= 4) {
        highlightBand(a);
    }
    const int v = static_cast<int>(x);
    QSlider* slider = qobject_cast<QSlider*>(m_binding.PrimaryControl(a));
    if (slider == nullptr) {
        slider = qobject_cast<QSlider*>(m_binding.BandControl(a, 0));
    }
    if (slider != nullptr) {
        moveSlider(slider, int(std::lround(x)));
    }
    if (kind <= 4) {
        m_store.setPanelValue(a, v);
        m_store.setDeviceValue(m_store.MapToDevice(a), v);
    }
    if (!noSend) {
        m_store.SendDatatoMCU(a, v);
    }
    if ((kind <= 4 || kind == 6) && !m_store.flags().bindingActive) {
        m_lastEqEdit = {a, v};
    }
}

void EditPipeline::highlightBand(int address) {
    const auto band = bandOf(address);
    if (!band) {
        return;
    }
    const int module = addressModule(address);
    const int group = EqGroup(module);
    m_lastBandOfPage[size_t(group)] = band->band;
    // A refresh passes every band: the labels and the band boxes are left where they are.
    if (m_lastFocusedEdit == m_lastHighlighted || m_store.flags().bindingActive) {
        return;
    }
    m_lastHighlighted = m_lastFocusedEdit;
    for (int n = 1; n <= EqBandCount(module); ++n) {
        if (auto* label =
                qobject_cast<QLabel*>(m_binding.find(eqBandNames(module, n).pointLabel.c_str()))) {
            label->setStyleSheet(n - 1 == band->band ? kRed : kBlue);
        }
    }
    // The Music, Mic and output band boxes page to the half that holds the band.
    const char* scrollName = module == 0   ? "MusScrollBox"
                             : module == 3 ? "MicScrollBox"
                             : module == 8 ? "MainScrollBox"
                                           : nullptr;
    if (scrollName != nullptr) {
        if (auto* scroll = qobject_cast<QScrollArea*>(m_binding.find(scrollName))) {
            const int limit = module == 8 ? 7 : 10;
            QScrollBar* bar = scroll->horizontalScrollBar();
            bar->setValue(band->band < limit ? 0 : bar->maximum());
        }
    }
}

void EditPipeline::CommitEdit(int stepMode) {
    auto* edit = qobject_cast<QLineEdit*>(m_lastFocusedEdit.data());
    if (edit == nullptr || m_binding.isPlaceholder(edit)) {
        return;
    }
    QString kept;
    for (QChar c : edit->text()) {
        if (c == '-' || c == '.' || c.isDigit()) {
            kept += c;
        }
    }
    bool ok = false;
    const double number = kept.toDouble(&ok);
    if (kept.isEmpty() || !ok || hint(edit).isEmpty()) {
        edit->setText(m_lastGoodText);
        return;
    }
    ApplyControlValue(edit, stepMode, 0, ParseValue(hintNumber(edit), number));
    m_lastGoodText = edit->text();
}

void EditPipeline::MusFreEdit1Click(QLineEdit* edit) {
    auto* primary = qobject_cast<QLineEdit*>(m_binding.PrimaryControl(tag(edit)));
    if (primary == nullptr) {
        return;
    }
    m_wheelArmed = true;
    m_lastFocusedEdit = primary;
    primary->setFocus();
    m_lastGoodText = primary->text();
    // Reformat and highlight without sending.
    const bool was = m_store.flags().refreshActive;
    m_store.flags().refreshActive = true;
    CommitEdit(0);
    m_store.flags().refreshActive = was;
}

void EditPipeline::MusFreEdit1Exit(QLineEdit* edit) {
    if (edit->text().isEmpty()) {
        edit->setText(m_lastGoodText);
    } else if (m_dirty) {
        m_lastFocusedEdit = edit;
        CommitEdit(0);
    }
    m_dirty = false;
}

void EditPipeline::MicHPFreBarChange(QSlider* slider) {
    if (m_store.flags().programmaticMove) {
        return;
    }
    if (auto* pane = qobject_cast<QLabel*>(m_binding.ValueDisplay(tag(slider)))) {
        ApplyControlValue(pane, 0, 0, slider->value());
    }
    m_lastFocusedEdit = nullptr;
    if (slider->objectName() == "MusGain1Bar" && m_hooks.inputPanelGain) {
        m_hooks.inputPanelGain(slider->value(),
                               qobject_cast<QLabel*>(m_binding.ValueDisplay(tag(slider)))->text());
    }
}

void EditPipeline::MusEQGainBar1Change(QSlider* slider) {
    if (m_store.flags().programmaticMove) {
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(m_binding.PrimaryControl(tag(slider)))) {
        m_lastFocusedEdit = edit;
        ApplyControlValue(edit, 0, 0, slider->value());
    }
}

void EditPipeline::MainLevelBarChange(QSlider* slider) {
    // The mute button keeps the last non-zero level in its Tag.
    if (slider->objectName() == "MainLevelBar") {
        if (QWidget* mute = m_binding.find("OutMuteBtn")) {
            if (slider->value() != 0) {
                setTag(mute, slider->value());
            }
            if (auto* b = qobject_cast<QPushButton*>(mute)) {
                b->setChecked(slider->value() == 0);
            }
        }
    }
    MicHPFreBarChange(slider);
}

void EditPipeline::OutMuteBtnClick() {
    auto* level = qobject_cast<QSlider*>(m_binding.find("MainLevelBar"));
    QWidget* mute = m_binding.find("OutMuteBtn");
    if (level == nullptr || mute == nullptr) {
        return;
    }
    if (level->value() == 0) {
        level->setValue(tag(mute));
    } else {
        setTag(mute, level->value());
        level->setValue(0);
    }
}

void EditPipeline::SysMusNormalVolBarChange(QSlider* slider) {
    const int a = tag(slider);
    const int slot = addressSlot(a);
    const int channel = slot % 3;
    const int role = hintNumber(slider);
    auto bar = [&](int s) {
        return qobject_cast<QSlider*>(m_binding.PrimaryControl(makeAddress(ModSystemVolume, s)));
    };
    const bool refresh = m_store.flags().refreshActive;
    if (!refresh) {
        QSlider* max = bar(3 + channel);
        if ((role == 0 || role == 1) && max != nullptr && slider->value() > max->value()) {
            moveSlider(slider, max->value());
        }
        if (role == 2) {
            for (int s : {channel, 6 + channel}) {
                if (QSlider* other = bar(s); other != nullptr && other->value() > slider->value()) {
                    other->setValue(slider->value());
                }
            }
        }
    }
    if (auto* pane = qobject_cast<QLabel*>(m_binding.ValueDisplay(a))) {
        pane->setText(QString::number(slider->value()));
    }
    m_store.SendDatatoMCU(a, slider->value());
}

void EditPipeline::markTypeLabels(int address, int type) {
    for (int k = 0; k < 4; ++k) {
        if (auto* label = qobject_cast<QLabel*>(m_binding.BandControl(address, k))) {
            label->setStyleSheet(k == std::min(type, 3)
                                     ? "color: white; background: rgb(70,90,120);"
                                     : "color: rgb(128,128,128);");
        }
    }
}

void EditPipeline::MusModeBox1Change(QComboBox* box) {
    const int v = box->currentIndex();
    const int a = tag(box);
    QWidget* first = m_binding.BandControl(a, 0);
    const bool eqType = qobject_cast<QLabel*>(first) != nullptr;
    if (eqType) {
        markTypeLabels(a, v);
    } else {
        for (int k = 0; k < 3; ++k) {
            if (auto* b = qobject_cast<QPushButton*>(m_binding.BandControl(a, k))) {
                b->setChecked(k == std::min(v, 2));
            }
        }
    }
    if (!m_store.flags().refreshActive) {
        m_store.SendDatatoMCU(a, v);
        if (eqType) {
            // The Q edit shows the Q slot the new type uses.
            const int qSlot = a + (v <= 1 ? 3 : 4);
            if (QWidget* q = m_binding.PrimaryControl(qSlot)) {
                m_lastFocusedEdit = q;
                ApplyControlValue(q, 0, 1, m_store.panelValue(qSlot));
            }
        }
    }
    m_lastEqEdit = {a, v};
}

void EditPipeline::MusPEQtn1Click(QLabel* label) {
    if (auto* box = qobject_cast<QComboBox*>(m_binding.PrimaryControl(tag(label)))) {
        {
            const QSignalBlocker block(box);
            box->setCurrentIndex(hintNumber(label));
        }
        MusModeBox1Change(box);
    }
}

void EditPipeline::MainHPTypeBoxChange(QComboBox* box) {
    m_store.SendDatatoMCU(tag(box), box->currentIndex());
    if (m_hooks.redrawEq) {
        m_hooks.redrawEq(m_store.selection().curPageModule);
    }
}

void EditPipeline::SysInputBoxChange(QComboBox* box) {
    if (!m_store.flags().refreshActive) {
        m_store.SendDatatoMCU(tag(box), box->currentIndex());
    }
}

void EditPipeline::EchoEffPhaseBtnClick(QWidget* button) {
    const int state = hint(button) == "1" ? 0 : 1;
    setHint(button, QString::number(state));
    if (auto* b = qobject_cast<QPushButton*>(button)) {
        b->setChecked(state == 1);
    }
    m_store.SendDatatoMCU(tag(button), state);
    if (button->objectName() == "MusPitchSW") {
        if (QWidget* pitch = m_binding.find("MusPitchBar")) {
            pitch->setEnabled(state == 1);
        }
    }
}

void EditPipeline::MusEQAllpassBtnClick() {
    QWidget* button = m_binding.find("MusEQAllpassBtn");
    if (button == nullptr) {
        return;
    }
    EchoEffPhaseBtnClick(button);
    const int module = addressModule(tag(button));
    m_eqBypass[size_t(std::clamp(module, 0, 30))] = hintNumber(button);
    if (QWidget* reset = m_binding.find("EQResetBtn")) {
        reset->setEnabled(hintNumber(button) == 0);
    }
}

void EditPipeline::spin(QWidget* spinButtons, bool up) {
    QWidget* primary = m_binding.PrimaryControl(tag(spinButtons));
    if (auto* edit = qobject_cast<QLineEdit*>(primary)) {
        m_lastFocusedEdit = edit;
        edit->setFocus();
        CommitEdit(up ? 1 : 11);
    } else if (auto* slider = qobject_cast<QSlider*>(primary)) {
        slider->setValue(slider->value() + (up ? 1 : -1));
    }
}

}  // namespace mz3
