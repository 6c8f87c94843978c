#include "TForm2.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include "Props.h"

namespace mz3 {

TForm2::TForm2()
    : ToolWindow("TForm2", QStringLiteral("设备状态"), QStringLiteral("Device Status"), 306, 85) {
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        "QWidget#TForm2 { background-color: rgb(50,58,71); }"
        "QLabel { color: white; background: transparent; }"
        "QProgressBar { background-color: rgb(50,58,71); border: 1px solid rgb(90,100,116);"
        "  border-radius: 2px; }"
        "QProgressBar::chunk { width: 6px; margin: 1px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(255,128,0),"
        "  stop:1 rgb(255,128,64)); }");
    m_linkLabel = new QLabel(QStringLiteral("设备未连接"), this);
    m_linkLabel->setObjectName("LinkLabel");
    m_linkLabel->setGeometry(26, 12, 220, 16);
    m_comLabel = new QLabel(QStringLiteral("COM1"), this);
    m_comLabel->setObjectName("ComLabel");
    m_comLabel->setGeometry(258, 12, 48, 16);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("RzProgressStatus1");
    m_progress->setGeometry(24, 32, 265, 18);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_warnLabel = new QLabel(this);
    m_warnLabel->setObjectName("WarnLabel");
    m_warnLabel->setGeometry(32, 64, 265, 16);
    setBilingualText(m_warnLabel, QStringLiteral("请稍等,可能需要几秒钟才能完成操作！"),
                     QStringLiteral("Please Wait for a moment!"));

    m_autoCloseTimer.setInterval(100);
    connect(&m_autoCloseTimer, &QTimer::timeout, this, &TForm2::autoCloseTick);
}

void TForm2::setStatusText(const QString& text) {
    m_linkLabel->setText(text);
}
QString TForm2::statusText() const {
    return m_linkLabel->text();
}
void TForm2::setPortText(const QString& text) {
    m_comLabel->setText(text);
}
QString TForm2::portText() const {
    return m_comLabel->text();
}
void TForm2::setProgress(int percent) {
    m_progress->setValue(percent);
}
int TForm2::progress() const {
    return m_progress->value();
}

void TForm2::setLanguage(bool chinese) {
    setWindowTitle(chinese ? QStringLiteral("设备状态") : QStringLiteral("Device Status"));
    m_warnLabel->setText(chinese ? QStringLiteral("请稍等,可能需要几秒钟才能完成操作！")
                                 : QStringLiteral("Please Wait for a moment!"));
}

void TForm2::ArmAutoClose(int delayMs) {
    disarm();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        m_knownWindows.insert(w);
    }
    m_autoCloseDelay = delayMs;
    m_autoCloseStart.start();
    m_autoCloseTimer.start();
}

void TForm2::autoCloseTick() {
    if (m_autoCloseTarget.isNull() && m_autoCloseTitle.isNull()) {
        // The message box opened after arming is the new active window.
        QWidget* found = nullptr;
        QWidget* active = QApplication::activeModalWidget();
        if (active == nullptr) {
            active = QApplication::activeWindow();
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == active && w->isVisible() && w->isEnabled() && !m_knownWindows.contains(w)) {
                found = w;
            }
        }
        if (found == nullptr) {
            disarm();
            return;
        }
        m_autoCloseTarget = found;
        m_autoCloseTitle = found->windowTitle();
        m_autoCloseStart.start();
        return;
    }
    if (m_autoCloseTarget.isNull() || !m_autoCloseTarget->isVisible() ||
        !m_autoCloseTarget->isEnabled()) {
        disarm();
        return;
    }
    if (m_autoCloseStart.elapsed() >= m_autoCloseDelay) {
        QWidget* target = m_autoCloseTarget;
        disarm();
        target->close();
    }
}

void TForm2::disarm() {
    if (!m_autoCloseTarget.isNull() && !m_autoCloseTitle.isNull()) {
        m_autoCloseTarget->setWindowTitle(m_autoCloseTitle);
    }
    m_autoCloseTimer.stop();
    m_knownWindows.clear();
    m_autoCloseTarget = nullptr;
    m_autoCloseTitle = QString();
}

}  // namespace mz3
