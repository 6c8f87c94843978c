#include "ControlBinding.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "ParameterMap.h"
#include "ParameterStore.h"
#include "Props.h"
#include "ValueScales.h"
#include "pages/ControlFactory.h"

namespace mz3 {

ControlBinding::ControlBinding(std::vector<QWidget*> windows) : m_windows(std::move(windows)) {
    m_example = find("Example");
}

QWidget* ControlBinding::find(const char* name) const {
    const QString key = QString::fromLatin1(name);
    if (auto it = m_byName.constFind(key); it != m_byName.constEnd() && !it->isNull()) {
        return it->data();
    }
    QWidget* found = nullptr;
    for (QWidget* w : m_windows) {
        if (w == nullptr) {
            continue;
        }
        if (w->objectName() == key) {
            found = w;
            break;
        }
        if (auto* child = w->findChild<QWidget*>(key)) {
            found = child;
            break;
        }
    }
    if (found != nullptr) {
        m_byName.insert(key, found);
    }
    return found;
}

bool ControlBinding::inTable(int moduleAddr) {
    return isTableAddress(moduleAddr);
}

QWidget* ControlBinding::PrimaryControl(int a) const {
    return inTable(a) ? m_primary[size_t(addressModule(a))][size_t(addressSlot(a))].data()
                      : nullptr;
}

QWidget* ControlBinding::ValueDisplay(int a) const {
    return inTable(a) ? m_display[size_t(addressModule(a))][size_t(addressSlot(a))].data()
                      : nullptr;
}

QWidget* ControlBinding::BandControl(int a, int k) const {
    if (!inTable(a) || k < 0 || k > 3) {
        return nullptr;
    }
    return m_band[size_t(k)][size_t(addressModule(a))][size_t(addressSlot(a))].data();
}

void ControlBinding::BindControls(ParameterStore& store) {
    // 1. The tables from the map.
    for (const SlotBinding& b : parameterMap()) {
        const size_t m = size_t(b.module);
        const size_t s = size_t(b.slot);
        m_primary[m][s] = find(b.primary.name.c_str());
        if (b.hasDisplay) {
            m_display[m][s] = find(b.display.name.c_str());
        }
        for (int k = 0; k < b.bandCount; ++k) {
            m_band[size_t(k)][m][s] = find(b.band[size_t(k)].name.c_str());
        }
    }
    // Slots of the panel rows that exist but have no control get the placeholder.
    for (int m : PanelModules) {
        for (int s = 0; s < SlotCount[size_t(m)]; ++s) {
            if (m_primary[size_t(m)][size_t(s)].isNull()) {
                m_primary[size_t(m)][size_t(s)] = m_example;
                m_display[size_t(m)][size_t(s)] = m_example;
            }
        }
    }
    // A system volume slider is operated, not set up for the pipeline: its role is its Hint.
    const char* roles[9] = {"0", "0", "0", "2", "2", "2", "1", "1", "1"};
    store.flags().bindingActive = true;
    // 3. Tags and hints.
    for (int m = 0; m < kModuleCount; ++m) {
        for (int s = 0; s < SlotCount[size_t(m)]; ++s) {
            const int address = makeAddress(m, s);
            QWidget* primary = m_primary[size_t(m)][size_t(s)];
            if (primary != nullptr && primary != m_example) {
                setTag(primary, address);
                if (m == ModSystemVolume && qobject_cast<QAbstractSlider*>(primary) != nullptr) {
                    if (s < 9) {
                        setHint(primary, QString::fromLatin1(roles[s]));
                    }
                    continue;  // its pane keeps no Tag: it is found through ValueDisplay
                }
            }
            QWidget* display = m_display[size_t(m)][size_t(s)];
            if (display != nullptr && display != m_example) {
                setTag(display, address);
            }
            QWidget* first = m_band[0][size_t(m)][size_t(s)];
            if (qobject_cast<QLabel*>(first) != nullptr) {
                for (int k = 0; k < 4; ++k) {
                    if (auto* label =
                            qobject_cast<QLabel*>(m_band[size_t(k)][size_t(m)][size_t(s)].data())) {
                        setTag(label, address);
                        setHint(label, QString::number(k));
                    }
                }
            } else if (qobject_cast<QAbstractSlider*>(first) != nullptr ||
                       qobject_cast<SpinButtons*>(first) != nullptr) {
                setTag(first, address);
            }
        }
    }
    // 4. Start values.
    store.writeStartupDefaults();
    // 5. Fixed tags of controls outside the tables.
    for (const char* name : {"SysVolRunBtn1", "SysVolRunBtn2"}) {
        if (QWidget* w = find(name)) {
            setTag(w, makeAddress(ModSystemVolume, 9));
        }
    }
    for (const char* name : {"SysLRBtn1", "SysLRBtn2"}) {
        if (QWidget* w = find(name)) {
            setTag(w, makeAddress(SystemModule, 3));
        }
    }
    store.flags().bindingActive = false;
}

void ControlBinding::RebindAuxiliaryGains(int subPage) {
    for (int n = 1; n <= 6; ++n) {
        const int slot = eqFieldSlot(ModAuxiliary, n - 1, 2);
        const QString group = n <= 3 ? QStringLiteral("AUXMUS") : QStringLiteral("AUXMIC");
        const int k = n <= 3 ? n : n - 3;
        const QString name =
            group +
            (subPage == 0 ? QStringLiteral("GainEdit%1") : QStringLiteral("2GainEdit%1")).arg(k);
        m_primary[ModAuxiliary][size_t(slot)] = find(name.toLatin1().constData());
    }
}

void ControlBinding::rebindSharedControls(int pageModule, bool surround) {
    if (QWidget* bypass = find("MusEQAllpassBtn"); bypass != nullptr && pageModule < 25) {
        setTag(bypass, makeAddress(pageModule, EqFirstSlot(pageModule) - 1));
    }
    if (QWidget* link = find("MainLRLinkBox")) {
        setTag(link, surround ? 90 : 89);
    }
    const int group = surround ? 12 : 8;
    for (const char* name : {"MainRdelayBar", "MainRdelayPane"}) {
        if (QWidget* w = find(name)) {
            setTag(w, (group + 2) * 256 + 10);
        }
    }
    for (const char* name : {"MainRLevelBar", "MainRLevelPane"}) {
        if (QWidget* w = find(name)) {
            setTag(w, (group + 2) * 256 + 11);
        }
    }
}

}  // namespace mz3
