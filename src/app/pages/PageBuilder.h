// Lays out the controls of the parameter map on a page: sections of strips (slider with its
// pane, combo box, toggle) in group boxes, and EQ bands as vertical strips side by side.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ParameterMap.h"

class QBoxLayout;

namespace mz3 {

class PageBuilder {
public:
    // Sections of a page key, each in a group box, side by side. Sections listed in skip are
    // left out (they are placed elsewhere).
    QWidget* sections(const char* page, const QStringList& skip = {});
    // The EQ bands of a module, side by side; in a horizontal scroll box when scrollName is
    // given.
    QWidget* eqBands(int module, const QString& scrollName = QString());
    // One control of the map by name (created once).
    QWidget* control(const QString& name);
    // Creates the control of a spec, or returns it when it exists already.
    QWidget* once(const ControlSpec& spec);

private:
    QWidget* bandStrip(int module, int band);
    const SlotBinding* find(int module, int slot) const;

    QHash<QString, QWidget*> m_created;
};

}  // namespace mz3
