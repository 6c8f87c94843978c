#include "DialogService.h"

#include <QMessageBox>

#include "core/AppState.h"
#include "core/Startup.h"

namespace mz3 {

namespace {

QMessageBox::Icon toQtIcon(DialogIcon icon) {
    switch (icon) {
        case DialogIcon::Information:
            return QMessageBox::Information;
        case DialogIcon::Warning:
            return QMessageBox::Warning;
        case DialogIcon::Question:
            return QMessageBox::Question;
        case DialogIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogService::showMessage(QWidget* parent, const QString& caption, const QString& text,
                                  DialogIcon icon) {
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogService::askYesNo(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

bool QtDialogService::askOkCancel(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    return box.exec() == QMessageBox::Ok;
}

const QString& Messages::pick(const QString& chinese, const QString& english) const {
    return m_state.CurrentLanguage == LanguageChinese ? chinese : english;
}

void Messages::ShowBilingualMessage(const QString& chinese, const QString& english,
                                    QWidget* parent) {
    m_dialogs.showMessage(parent, QString::fromUtf8(kApplicationTitle), pick(chinese, english),
                          DialogIcon::None);
}

void Messages::notice(const QString& chinese, const QString& english, QWidget* parent,
                      DialogIcon icon) {
    m_dialogs.showMessage(parent, pick(QStringLiteral("提示"), QStringLiteral("Confirm")),
                          pick(chinese, english), icon);
}

bool Messages::confirm(const QString& chinese, const QString& english, QWidget* parent) {
    return m_dialogs.askYesNo(parent, QStringLiteral("Confirm"), pick(chinese, english));
}

}  // namespace mz3
