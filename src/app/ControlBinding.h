// The binding tables: for every panel address the control the user operates, the control
// that shows the value, and up to four band controls. Filled once from the parameter map.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

#include "ParamTypes.h"

namespace mz3 {

class ParameterStore;

class ControlBinding {
public:
    // windows: the main window, the system panel and the save panel, searched by name.
    explicit ControlBinding(std::vector<QWidget*> windows);

    // Fills the tables, sets Tag and Hint, writes the store's start values and the fixed
    // tags. Runs once at start-up.
    void BindControls(ParameterStore& store);

    // Lookups; outside the tables or for unfilled entries: null.
    QWidget* PrimaryControl(int moduleAddr) const;
    QWidget* ValueDisplay(int moduleAddr) const;
    QWidget* BandControl(int moduleAddr, int k) const;
    // The hidden placeholder that stands for "no control".
    QWidget* example() const { return m_example; }
    bool isPlaceholder(const QWidget* w) const { return w != nullptr && w == m_example; }

    // Points the six Auxiliary gain slots at the edit boxes of the visible sub-page
    // (0: the EQ sub-page, 1: the limit sub-page).
    void RebindAuxiliaryGains(int subPage);
    // Shared controls follow the page on show: the EQ bypass button, the L/R link list and
    // the right-channel delay and level.
    void rebindSharedControls(int pageModule, bool surround);

    // A control of the three windows by name (looked up once, then remembered).
    QWidget* find(const char* name) const;

private:
    using Table = std::array<std::array<QPointer<QWidget>, kSlotCapacity>, kModuleCount>;
    static bool inTable(int moduleAddr);

    std::vector<QWidget*> m_windows;
    Table m_primary;
    Table m_display;
    std::array<Table, 4> m_band;
    QWidget* m_example = nullptr;
    mutable QHash<QString, QPointer<QWidget>> m_byName;
};

}  // namespace mz3
