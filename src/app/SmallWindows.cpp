#include "SmallWindows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Props.h"
#include "pages/MainPages.h"

namespace mz3 {

TForm4::TForm4()
    : ToolWindow("TForm4", QStringLiteral("系统面板"), QStringLiteral("System Panel"), 456, 518) {
    populateSystemPanel(this);
}

TForm6::TForm6()
    : ToolWindow("TForm6", QStringLiteral("输入面板"), QStringLiteral("Input Panel"), 447, 143) {}

TForm7::TForm7(std::function<void()> linkFailed, std::function<void()> upgrade)
    : ToolWindow("TForm7", QStringLiteral("发现新版本"), QStringLiteral("Find a new version"), 391,
                 123),
      m_linkFailed(std::move(linkFailed)),
      m_upgrade(std::move(upgrade)) {
    auto* layout = new QVBoxLayout(this);
    auto* label1 = new QLabel;
    label1->setObjectName("Label1");
    setBilingualText(label1, QStringLiteral("  ● 修复Bug,更新系统固件"),
                     QStringLiteral("  ● Fix Bugs and update system firmware."));
    auto* label2 = new QLabel;
    label2->setObjectName("Label2");
    setBilingualText(label2, QStringLiteral("请立即升级"),
                     QStringLiteral("Please upgrade immediately."));
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton;
    ok->setObjectName("RzBmpButton23");
    setBilingualText(ok, QStringLiteral("确认"), QStringLiteral("OK"));
    auto* cancel = new QPushButton;
    cancel->setObjectName("RzBmpButton1");
    setBilingualText(cancel, QStringLiteral("取消"), QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &TForm7::RzBmpButton23Click);
    connect(cancel, &QPushButton::clicked, this, &TForm7::RzBmpButton1Click);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addWidget(label1);
    layout->addWidget(label2);
    layout->addLayout(buttons);
}

void TForm7::RzBmpButton23Click() {
    if (m_linkFailed) {
        m_linkFailed();
    }
    hide();
    if (m_upgrade) {
        m_upgrade();
    }
}

void TForm7::RzBmpButton1Click() {
    if (m_linkFailed) {
        m_linkFailed();
    }
    hide();
}

}  // namespace mz3
