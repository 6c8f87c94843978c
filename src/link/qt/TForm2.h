// The device status window: the link status text, the transport being tried, a progress bar
// for transfers and a request to wait. It also holds the facility that closes the next
// message box by itself after a delay.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include "ToolWindow.h"

class QLabel;
class QProgressBar;

namespace mz3 {

class TForm2 : public ToolWindow {
    Q_OBJECT
public:
    TForm2();

    void setStatusText(const QString& text);
    QString statusText() const;
    void setPortText(const QString& text);
    QString portText() const;
    void setProgress(int percent);
    int progress() const;
    // Language switch: caption, warning text.
    void setLanguage(bool chinese);

    // Makes the next message box that becomes active close itself after delayMs.
    void ArmAutoClose(int delayMs);
    bool autoCloseArmed() const { return m_autoCloseTimer.isActive(); }

private:
    void autoCloseTick();
    void disarm();

    QLabel* m_linkLabel = nullptr;
    QLabel* m_comLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_warnLabel = nullptr;

    int m_autoCloseDelay = 0;
    QElapsedTimer m_autoCloseStart;
    QSet<QWidget*> m_knownWindows;
    QPointer<QWidget> m_autoCloseTarget;
    QString m_autoCloseTitle;
    QTimer m_autoCloseTimer;
};

}  // namespace mz3
