// The edit pipeline's page furniture: input source buttons, EQ reset, band paging and the
// output page lock.
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "ParameterMap.h"
#include "ParameterStore.h"

namespace mz3 {

void EditPipeline::InputBtn1Click(int source) {
    for (int i = 1; i <= 6; ++i) {
        if (auto* b = qobject_cast<QPushButton*>(
                m_binding.find(QStringLiteral("InputBtn%1").arg(i).toLatin1().constData()))) {
            b->setChecked(i - 1 == source);
        }
    }
    if (auto* box = qobject_cast<QComboBox*>(m_binding.find("SysInputBox"))) {
        if (source < box->count()) {
            const QSignalBlocker block(box);
            box->setCurrentIndex(source);
        }
        SysInputBoxChange(box);
    }
}

void EditPipeline::EQResetBtnClick() {
    const int module = m_store.selection().curPageModule;
    ResetEq(module);
    if (m_hooks.reselectPage) {
        m_hooks.reselectPage();
    }
    RefreshAll(m_store.selection().curPageModule);
}

namespace {

const char* scrollBoxOf(int module) {
    return module == 0 ? "MusScrollBox" : module == 3 ? "MicScrollBox" : "MainScrollBox";
}

const char* const kPaging[3][2] = {{"LeftAddBtn", "RightAddBtn"},
                                   {"LeftAddBtn2", "RightAddBtn2"},
                                   {"LeftAddBtn3", "RightAddBtn3"}};

int pagingRow(int module) {
    return module == 0 ? 0 : module == 3 ? 1 : 2;
}

}  // namespace

void EditPipeline::LeftAddBtnClick(int module) {
    if (auto* scroll = qobject_cast<QScrollArea*>(m_binding.find(scrollBoxOf(module)))) {
        scroll->horizontalScrollBar()->setValue(0);
    }
    const auto& names = kPaging[pagingRow(module)];
    if (auto* b = qobject_cast<QPushButton*>(m_binding.find(names[0])))
        b->setChecked(true);
    if (auto* b = qobject_cast<QPushButton*>(m_binding.find(names[1])))
        b->setChecked(false);
}

void EditPipeline::RightAddBtnClick(int module) {
    if (auto* scroll = qobject_cast<QScrollArea*>(m_binding.find(scrollBoxOf(module)))) {
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    }
    const auto& names = kPaging[pagingRow(module)];
    if (auto* b = qobject_cast<QPushButton*>(m_binding.find(names[0])))
        b->setChecked(false);
    if (auto* b = qobject_cast<QPushButton*>(m_binding.find(names[1])))
        b->setChecked(true);
}

void EditPipeline::setOutputPageLock(bool automatic) {
    // Every parameter slider of the output page and its EQ follows the music mode; the list
    // is gathered once, since every refresh applies it.
    if (m_outputLockControls.empty()) {
        for (const SlotBinding& b : parameterMap()) {
            if (b.page != PageMain) {
                continue;
            }
            if (QWidget* w = m_binding.find(b.primary.name.c_str());
                w != nullptr && qobject_cast<QSlider*>(w) != nullptr) {
                m_outputLockControls.emplace_back(w);
            }
            if (b.bandCount > 0) {
                if (auto* bar = qobject_cast<QSlider*>(m_binding.find(b.band[0].name.c_str()))) {
                    m_outputLockControls.emplace_back(bar);
                }
            }
        }
        for (const char* name : {"OutRLevelGroupBox", "MainScrollBox"}) {
            if (QWidget* w = m_binding.find(name)) {
                m_outputLockControls.emplace_back(w);
            }
        }
    }
    for (const QPointer<QWidget>& w : m_outputLockControls) {
        if (!w.isNull()) {
            w->setEnabled(!automatic);
        }
    }
    if (QWidget* reset = m_binding.find("EQResetBtn")) {
        const int page = m_store.selection().curPageModule;
        reset->setEnabled(m_eqBypass[size_t(std::clamp(page, 0, 30))] == 0 &&
                          (page != ModMainLeftSing || !automatic));
    }
}

}  // namespace mz3
