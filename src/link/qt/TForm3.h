// The communication controller: an invisible window that owns the transports, the link timers
// and the diagnostic log.
#pragma once

#include "ToolWindow.h"

class QListWidget;

namespace mz3 {

class TForm3 : public ToolWindow {
    Q_OBJECT
public:
    // mainWindow supplies the TCP address and port boxes read at creation.
    explicit TForm3(QWidget* mainWindow);

    // Appends one line to the diagnostic log and selects it.
    void AddToHistory(const QString& line);
    // "Clear": empties the log.
    void Button3Click();

    QString SearchHost;
    QString SearchPort;

    QListWidget* DevListBox() const { return m_devList; }
    QListWidget* HistoryListBox() const { return m_history; }

private:
    void FormCreate(QWidget* mainWindow);

    QListWidget* m_devList = nullptr;
    QListWidget* m_history = nullptr;
};

}  // namespace mz3
