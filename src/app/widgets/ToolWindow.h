// A small always-on-top window of the panel: created once, shown and hidden, never destroyed.
// Closing it only hides it.
#pragma once

#include <QWidget>
#include <functional>

namespace mz3 {

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // caption is the current-language caption; otherCaption is kept in the Hint property for
    // the language switch.
    ToolWindow(const char* name, const QString& caption, const QString& otherCaption, int width,
               int height, bool stayOnTop = true);

    // The window is centred on this widget when shown (null: the screen centre).
    void setCentreOn(QWidget* w) { m_centreOn = w; }
    // Called after the close box hid the window (pane buttons get their normal look back).
    void setOnHidden(std::function<void()> f) { m_onHidden = std::move(f); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_centreOn = nullptr;
    std::function<void()> m_onHidden;
};

}  // namespace mz3
