#include "ControlFactory.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "Props.h"

namespace mz3 {

SpinButtons::SpinButtons(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton;
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton;
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFixedSize(16, 11);
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &SpinButtons::stepUp);
    connect(m_down, &QToolButton::clicked, this, &SpinButtons::stepDown);
}

QWidget* createControl(const ControlSpec& spec, QWidget* parent) {
    QWidget* w = nullptr;
    switch (spec.kind) {
        case ControlKind::Slider: {
            auto* s = new QSlider(Qt::Vertical, parent);
            s->setRange(0, spec.max);
            s->setMinimumHeight(64);
            w = s;
            break;
        }
        case ControlKind::Combo: {
            auto* c = new QComboBox(parent);
            for (const std::string& item : spec.items) {
                c->addItem(QString::fromStdString(item));
            }
            c->setMinimumWidth(60);
            c->setMaximumWidth(118);
            w = c;
            break;
        }
        case ControlKind::Edit: {
            auto* e = new QLineEdit(parent);
            e->setFixedWidth(66);
            e->setAlignment(Qt::AlignCenter);
            w = e;
            break;
        }
        case ControlKind::Pane: {
            auto* p = new QLabel(parent);
            p->setAlignment(Qt::AlignCenter);
            p->setMinimumWidth(52);
            p->setStyleSheet(
                "background: rgb(23,23,23); border: 1px solid rgb(86,98,118);"
                "padding: 1px 3px;");
            w = p;
            break;
        }
        case ControlKind::Toggle: {
            auto* b = new QPushButton(QString::fromStdString(spec.caption), parent);
            b->setCheckable(true);
            // A toggle's Hint is its state; its other-language caption is kept aside.
            b->setProperty("OtherCaption", QString::fromStdString(spec.otherCaption));
            setHint(b, QStringLiteral("0"));
            w = b;
            break;
        }
        case ControlKind::SpinButtons:
            w = new SpinButtons(parent);
            break;
        case ControlKind::TypeLabel: {
            auto* l = new QLabel(QString::fromStdString(spec.caption), parent);
            l->setAlignment(Qt::AlignCenter);
            l->setFixedWidth(18);
            w = l;
            break;
        }
    }
    w->setObjectName(QString::fromStdString(spec.name));
    if (spec.scaleKind >= 0 && spec.kind != ControlKind::TypeLabel) {
        setHint(w, QString::number(spec.scaleKind));
    }
    return w;
}

QWidget* strip(const QString& caption, const QString& otherCaption,
               std::initializer_list<QWidget*> widgets) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(3);
    auto* label = new QLabel;
    setBilingualText(label, caption, otherCaption);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    for (QWidget* w : widgets) {
        layout->addWidget(w, 0, Qt::AlignHCenter);
    }
    return column;
}

}  // namespace mz3
