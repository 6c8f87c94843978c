#include "TForm2.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mz3 {

TForm2::TForm2()
    : ToolWindow("TForm2", QStringLiteral("设备状态"), QStringLiteral("Device Status"), 306, 85) {
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(QStringLiteral("设备未连接"));
    m_status->setObjectName("StatusLabel");
    m_status->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_status);
}

void TForm2::setStatusText(const QString& text) {
    m_status->setText(text);
}

QString TForm2::statusText() const {
    return m_status->text();
}

}  // namespace mz3
