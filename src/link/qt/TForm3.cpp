#include "TForm3.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mz3 {

TForm3::TForm3(QWidget* mainWindow)
    : ToolWindow("TForm3", QStringLiteral("系统"), QStringLiteral("System"), 664, 453) {
    auto* layout = new QVBoxLayout(this);
    m_devList = new QListWidget;
    m_devList->setObjectName("DevListBox");
    m_history = new QListWidget;
    m_history->setObjectName("HistoryListBox");
    m_history->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_history->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* clear = new QPushButton(QStringLiteral("Clear"));
    clear->setObjectName("Button3");
    connect(clear, &QPushButton::clicked, this, &TForm3::Button3Click);
    layout->addWidget(m_devList);
    layout->addWidget(m_history, 1);
    layout->addWidget(clear);
    FormCreate(mainWindow);
}

void TForm3::FormCreate(QWidget* mainWindow) {
    hide();
    if (mainWindow != nullptr) {
        if (auto* host = mainWindow->findChild<QLineEdit*>("IPstrEdit")) {
            SearchHost = host->text();
        }
        if (auto* port = mainWindow->findChild<QLineEdit*>("IPPortStrEdit")) {
            SearchPort = port->text();
        }
    }
}

void TForm3::AddToHistory(const QString& line) {
    m_history->addItem(line);
    m_history->setCurrentRow(m_history->count() - 1);
}

void TForm3::Button3Click() {
    m_history->clear();
}

}  // namespace mz3
