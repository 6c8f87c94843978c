#include "TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSerialPortInfo>
#include <QWindow>

#include "LinkController.h"
#include "LinkProtocol.h"
#include "ParameterStore.h"
#include "core/AppState.h"
#include "core/Startup.h"
#include "pages/MainPages.h"

namespace mz3 {

TForm1::TForm1(AppState& state, ParameterStore& store, LinkProtocol& link, Messages& messages,
               const PanelOptions& options, ShellHooks hooks)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_state(state),
      m_store(store),
      m_link(link),
      m_messages(messages),
      m_options(options),
      m_hooks(std::move(hooks)) {
    setObjectName("TForm1");
    FormCreate();
}

void TForm1::FormCreate() {
    // Step 1, the "." decimal separator, is the C locale set by the composition root.
    // Step 2: screen size, read once.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m_state.ScreenWidth = screen->geometry().width();
        m_state.ScreenHeight = screen->geometry().height();
    }
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    buildUi();
    resize(1258, 863);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // Step 3: keep the logo and the running volumes visible on a short screen.
    if (isShortScreen(m_state.ScreenHeight)) {
        applyShortScreenLayout();
    }
    // Step 4, double buffering, is what Qt widgets always do.
    // Step 5: the EQ graph.
    if (m_hooks.SetupEqGraph) {
        m_hooks.SetupEqGraph();
    }
    // Step 6: sound capture for the spectrum; start-up goes on without an input device.
    if (m_hooks.StartSpectrumCapture) {
        m_hooks.StartSpectrumCapture();
    }
    m_timer1.setInterval(10);
    connect(&m_timer1, &QTimer::timeout, this, [this] {
        if (m_hooks.SpectrumTick) {
            m_hooks.SpectrumTick();
        }
    });
}

void TForm1::applyShortScreenLayout() {
    m_logoGroup->setProperty("DesignTop", 412);
    m_volumeGroup->setProperty("DesignTop", 222);
    // In the column layout both groups sit directly under the page selector; a short screen
    // drops the logo so the running volumes stay reachable.
    m_logoGroup->hide();
}

void TForm1::FormShow() {
    if (m_formShowDone) {
        return;
    }
    m_formShowDone = true;
    // 1. Binding, then the parameter store's start values and the EQ defaults.
    if (m_hooks.BindControls) {
        m_hooks.BindControls();  // binding writes the start values itself
    } else {
        m_store.writeStartupDefaults();
    }
    if (m_hooks.ResetAllEq) {
        m_hooks.ResetAllEq();
    }
    // 2 and 3. Folders are set by the composition root; read the language file now.
    readLanguageAndPrepareFolders(m_state);
    // 4. PC file lists.
    if (m_hooks.FillFileLists) {
        m_hooks.FillFileLists();
    }
    // 5. Saved language.
    if (m_state.SavedLanguage != m_state.CurrentLanguage && m_hooks.SwitchLanguage) {
        m_hooks.SwitchLanguage(m_state.SavedLanguage);
    }
    // 6. Music page, unless the lock prompt already took over.
    if (m_link.FirstLinkStage != 2) {
        if (m_hooks.SelectMusicPage) {
            m_hooks.SelectMusicPage();
        }
    }
    // 7. Spectrum timer.
    m_timer1.start();
    // 8. Serial ports; a failure to list them is ignored.
    fillSerialPortList();
    // 9.
    m_state.StartupDone = true;
}

void TForm1::fillSerialPortList() {
    m_comComboBox->clear();
    // Ports named on the command line come first: the user asked for them by name.
    for (const QString& port : m_options.serialPorts) {
        m_comComboBox->addItem(port);
    }
    const QList<QSerialPortInfo> present =
        m_listSystemPorts ? QSerialPortInfo::availablePorts() : QList<QSerialPortInfo>();
    for (const QSerialPortInfo& info : present) {
        if (m_comComboBox->findText(info.systemLocation()) < 0) {
            m_comComboBox->addItem(info.systemLocation());
        }
    }
    m_comComboBox->setCurrentIndex(m_comComboBox->count() > 0 ? 0 : -1);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_state.ScreenWidth > 0 && m_state.ScreenHeight > 0) {
        const WindowSize min = minimumMainWindowSize(m_state.ScreenWidth, m_state.ScreenHeight);
        if (height() < min.height || width() < min.width) {
            resize(std::max(width(), min.width), std::max(height(), min.height));
        }
    }
    if (m_hooks.RelayoutEqGraph) {
        m_hooks.RelayoutEqGraph();
    }
}

void TForm1::RzBmpButton1Click() {
    if (isMaximized()) {
        showNormal();
        m_maxFormBtn->hide();
        return;
    }
    showMaximized();
    if (const QScreen* s = screen()) {
        // Keep the task bar uncovered, but give it at most 40 pixels.
        const int taskBar = s->geometry().height() - s->availableGeometry().height();
        const QRect full = s->geometry();
        setGeometry(full.x(), full.y(), full.width(), maximisedHeight(full.height(), taskBar));
    }
    m_maxFormBtn->show();
}

void TForm1::RzBmpButton2Click() {
    showMinimized();
}

void TForm1::RzBmpButton3Click() {
    if (m_controller != nullptr) {
        m_controller->closeLink();  // the disconnect notice when online
    }
    close();
}

void TForm1::setLinkController(LinkController* controller) {
    m_controller = controller;
    auto* link = findChild<QPushButton*>("LinkBtn");
    auto* unlink = findChild<QPushButton*>("UnLinkBtn");
    connect(link, &QPushButton::clicked, this, [this] { LinkBtnClick(true); });
    connect(unlink, &QPushButton::clicked, this, [this] { LinkBtnClick(false); });
}

void TForm1::LinkBtnClick(bool search) {
    if (m_controller != nullptr) {
        m_controller->LinkBtnClick(search);
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The main window never refuses to close, and its closing ends the program even while a
    // small window is shown.
    event->accept();
    QCoreApplication::quit();
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A press on a bare area drags the borderless window like a caption bar.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
    }
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
}

}  // namespace mz3
