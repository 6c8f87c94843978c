// Every message box and confirmation of the panel goes through this service, so that tests can
// answer them and read what was shown, and no test ever blocks on a modal dialog.
#pragma once

#include <QString>

class QWidget;

namespace mz3 {

enum class DialogIcon { None, Information, Warning, Question };

class DialogService {
public:
    virtual ~DialogService() = default;
    // A plain notice with an OK button.
    virtual void showMessage(QWidget* parent, const QString& caption, const QString& text,
                             DialogIcon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    // OK/Cancel question; true for OK.
    virtual bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
};

// The real service: modal QMessageBox windows.
class QtDialogService : public DialogService {
public:
    void showMessage(QWidget* parent, const QString& caption, const QString& text,
                     DialogIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
    bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) override;
};

struct AppState;

// The panel's message conventions on top of the dialog service: texts picked by the language
// on show, confirmations captioned "Confirm", notices captioned "提示" / "Confirm", plain
// messages captioned with the application title.
class Messages {
public:
    Messages(DialogService& dialogs, const AppState& state) : m_dialogs(dialogs), m_state(state) {}

    void ShowBilingualMessage(const QString& chinese, const QString& english,
                              QWidget* parent = nullptr);
    void notice(const QString& chinese, const QString& english, QWidget* parent = nullptr,
                DialogIcon icon = DialogIcon::Information);
    bool confirm(const QString& chinese, const QString& english, QWidget* parent = nullptr);

    DialogService& dialogs() { return m_dialogs; }

private:
    const QString& pick(const QString& chinese, const QString& english) const;

    DialogService& m_dialogs;
    const AppState& m_state;
};

}  // namespace mz3
