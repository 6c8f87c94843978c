// The main window: borderless, with its own title bar, the link indicator, the page selector,
// the nine parameter pages and the EQ graph panel.
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "PanelOptions.h"
#include "ShellHooks.h"

class QLabel;
class QLineEdit;
class QComboBox;
class QPushButton;
class QStackedWidget;
class QGroupBox;

namespace mz3 {

struct AppState;
class LinkProtocol;
class ParameterStore;
class Messages;
class LinkController;
class PageBuilder;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(AppState& state, ParameterStore& store, LinkProtocol& link, Messages& messages,
           const PanelOptions& options, ShellHooks hooks = {});

    // Steps of the start-up that other subsystems fill (set before the first show).
    ShellHooks& hooks() { return m_hooks; }

    // Show-time start-up; runs once, on the first show (tests may call it directly).
    void FormShow();
    bool formShowDone() const { return m_formShowDone; }

    // Title-bar handlers.
    void RzBmpButton1Click();  // maximise / restore (also MaxFormBtn)
    void RzBmpButton2Click();  // minimise
    void RzBmpButton3Click();  // close: disconnect notice when online, then close
    void MenuItem6Click() { RzBmpButton3Click(); }  // Device menu "Exit"

    // Fills ComComboBox1 with the ports named on the command line and those present.
    void fillSerialPortList();
    void setListSystemSerialPorts(bool on) { m_listSystemPorts = on; }

    // Link and unlink buttons and the close path go through link control.
    void setLinkController(LinkController* controller);
    void LinkBtnClick(bool search);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    void buildUi();
    QWidget* buildTitleBar();
    QWidget* buildLeftColumn();
    QWidget* buildPageArea();
    QWidget* buildSystemPage();
    void applyShortScreenLayout();

    AppState& m_state;
    ParameterStore& m_store;
    LinkProtocol& m_link;
    Messages& m_messages;
    PanelOptions m_options;
    ShellHooks m_hooks;
    LinkController* m_controller = nullptr;
    PageBuilder* m_pageBuilder = nullptr;  // only while the window is built

    QTimer m_timer1;  // spectrum timer, 10 ms
    bool m_formShowDone = false;
    bool m_listSystemPorts = true;
    bool m_dragging = false;
    QPoint m_dragOffset;

    QWidget* m_maxFormBtn = nullptr;
    QGroupBox* m_logoGroup = nullptr;    // AdvGroupBox13
    QGroupBox* m_volumeGroup = nullptr;  // AdvGroupBox16
    QComboBox* m_comComboBox = nullptr;  // ComComboBox1
};

}  // namespace mz3
