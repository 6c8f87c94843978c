#include "ToolWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "Props.h"

namespace mz3 {

ToolWindow::ToolWindow(const char* name, const QString& caption, const QString& otherCaption,
                       int width, int height, bool stayOnTop)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                           (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::Widget)) {
    setObjectName(name);
    setWindowTitle(caption);
    setHint(this, otherCaption);
    setFixedSize(width, height);
}

void ToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QRect area;
    if (m_centreOn != nullptr) {
        area = m_centreOn->frameGeometry();
    } else if (const QScreen* s = QGuiApplication::primaryScreen()) {
        area = s->geometry();
    }
    if (area.isValid()) {
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    if (m_onHidden) {
        m_onHidden();
    }
}

}  // namespace mz3
