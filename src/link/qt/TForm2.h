// The device status window: shows the link status text and progress while the user waits.
#pragma once

#include "ToolWindow.h"

class QLabel;

namespace mz3 {

class TForm2 : public ToolWindow {
    Q_OBJECT
public:
    TForm2();

    void setStatusText(const QString& text);
    QString statusText() const;

private:
    QLabel* m_status = nullptr;
};

}  // namespace mz3
