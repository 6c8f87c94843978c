// Builds the controls of the parameter map: sliders, combo boxes, edit boxes, value panes,
// toggle buttons, spin-button pairs and band-type labels, named as the map names them.
#pragma once

#include <QWidget>

#include "ParameterMap.h"

class QToolButton;

namespace mz3 {

// An up/down pair of small buttons.
class SpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget* parent = nullptr);
    QToolButton* up() const { return m_up; }
    QToolButton* down() const { return m_down; }

signals:
    void stepUp();
    void stepDown();

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

QWidget* createControl(const ControlSpec& spec, QWidget* parent = nullptr);

// A labelled column: caption, then the widgets from top to bottom.
QWidget* strip(const QString& caption, const QString& otherCaption,
               std::initializer_list<QWidget*> widgets);

}  // namespace mz3
