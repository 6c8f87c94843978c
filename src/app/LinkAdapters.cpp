#include "LinkAdapters.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogService.h"
#include "Props.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm3.h"
#include "Theme.h"
#include "core/AppState.h"

namespace mz3 {

MainLinkView::MainLinkView(AppState& state, Messages& messages, TForm1& main, TForm2& status,
                           QWidget* savePanel, QWidget* systemPanel)
    : m_state(state),
      m_messages(messages),
      m_main(main),
      m_status(status),
      m_savePanel(savePanel),
      m_systemPanel(systemPanel) {}

void MainLinkView::LinkLabelWindow(const std::string& chinese, const std::string& english) {
    auto* label = m_main.findChild<QLabel*>("LinkLabel");
    const QString zh = QString::fromStdString(chinese);
    const QString en = QString::fromStdString(english);
    if (m_state.CurrentLanguage == LanguageChinese) {
        setBilingualText(label, zh, en);
    } else {
        setBilingualText(label, en, zh);
    }
}

void MainLinkView::setOnlineLook(bool online) {
    m_main.findChild<QLabel*>("LinkLabel")->setStyleSheet(linkStatusStyle(online));
    m_main.findChild<QWidget*>("Image_PCLink")->setVisible(online);
    m_main.findChild<QWidget*>("Image_Unlink")->setVisible(!online);
}

void MainLinkView::setLinkButtonSearching(bool searching) {
    auto* button = m_main.findChild<QPushButton*>("LinkBtn");
    const bool zh = m_state.CurrentLanguage == LanguageChinese;
    if (searching) {
        setBilingualText(button, zh ? QStringLiteral("断开") : QStringLiteral("Unlink"),
                         zh ? QStringLiteral("Unlink") : QStringLiteral("断开"));
        button->setStyleSheet("color: rgb(243,152,0);");
    } else {
        setBilingualText(button, zh ? QStringLiteral("联机") : QStringLiteral("Link"),
                         zh ? QStringLiteral("Link") : QStringLiteral("联机"));
        // The normal text colour of the theme stands for black on the dark panel.
        button->setStyleSheet(QString());
    }
}

void MainLinkView::hideCommandBox() {
    m_main.findChild<QWidget*>("SysLogoLabel")->hide();
    m_main.findChild<QWidget*>("SysLogoEdit")->hide();
}

void MainLinkView::showMainWindow() {
    m_main.show();
    m_main.raise();
}

void MainLinkView::statusCopyText() {
    m_status.setStatusText(m_main.findChild<QLabel*>("LinkLabel")->text());
}

void MainLinkView::statusSetProgress(int percent) {
    m_status.setProgress(percent);
}

void MainLinkView::statusSetPortText(const std::string& text) {
    m_status.setPortText(QString::fromStdString(text));
}

void MainLinkView::statusShow() {
    m_status.show();
    m_status.raise();
}

void MainLinkView::statusHide() {
    m_status.hide();
}

void MainLinkView::showModeSaved(bool hintMode) {
    m_messages.notice(QStringLiteral("保存成功!"), QStringLiteral("Save Success!"),
                      hintMode ? static_cast<QWidget*>(&m_main) : m_savePanel);
}

void MainLinkView::showPasswordChanged() {
    m_status.ArmAutoClose(2000);
    m_messages.notice(QStringLiteral("密码修改成功!"), QStringLiteral("Password is Changed!"),
                      m_systemPanel, DialogIcon::Information);
}

bool PanelSearchTransports::usbPresent() const {
    return m_controller.UsbPresent;
}

int PanelSearchTransports::serialSelection() const {
    return m_ports.currentIndex();
}

void PanelSearchTransports::selectSerialPort(int index) {
    m_ports.setCurrentIndex(index >= 0 && index < m_ports.count() ? index : -1);
}

std::string PanelSearchTransports::serialPortName(int index) const {
    return m_ports.itemText(index).toStdString();
}

bool PanelSearchTransports::openSerialPort(const std::string& name) {
    return m_controller.openSerialPort(QString::fromStdString(name));
}

void PanelSearchTransports::closeSerialPort() {
    m_controller.closeSerialPort();
}

void PanelSearchTransports::connectTcp() {
    m_controller.TcpBtnClick();
}

bool PanelSearchTransports::tcpConnected() const {
    return m_controller.tcpConnectedToSearchAddress();
}

void PanelSearchTransports::deactivateTcp() {
    m_controller.deactivateTcp();
}

}  // namespace mz3
