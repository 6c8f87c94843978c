#include "PanelApp.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "HidApiBackend.h"
#include "LinkAdapters.h"
#include "Navigation.h"
#include "SmallWindows.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm5.h"
#include "core/Startup.h"
#include "pages/MainPages.h"

namespace mz3 {

namespace {

// Until the transport adapters are wired in, nothing reaches a box: every write reports
// failure, so no caller mistakes a frame for sent.
class UnconnectedTransport : public FrameTransport {
public:
    bool writeFrame(LinkTransport, std::span<const uint8_t>) override { return false; }
};

}  // namespace

PanelApp::PanelApp(const PanelOptions& options, const PanelEnvironment& env)
    : m_ownTransport(std::make_unique<UnconnectedTransport>()) {
    setFolders(m_state, env.programDir, env.presetBase);
    // Until the communication controller exists, nothing can be sent.
    m_link = std::make_unique<LinkProtocol>(m_store, *m_ownTransport, *this);
    m_hid = env.hid;
    if (m_hid == nullptr) {
        m_ownHid = std::make_unique<HidApiBackend>();
        m_hid = m_ownHid.get();
    }
    DialogService* dialogs = env.dialogs;
    if (dialogs == nullptr) {
        m_ownDialogs = std::make_unique<QtDialogService>();
        dialogs = m_ownDialogs.get();
    }
    m_messages = std::make_unique<Messages>(*dialogs, m_state);

    // The seven windows, in their fixed creation order.
    m_form1 = std::make_unique<TForm1>(m_state, m_store, *m_link, *m_messages, options);
    m_form1->setListSystemSerialPorts(env.listSystemSerialPorts);
    m_form2 = std::make_unique<TForm2>();
    m_form4 = std::make_unique<TForm4>();
    m_form5 = std::make_unique<TForm5>();
    populateSavePanel(m_form5.get());
    m_form6 = std::make_unique<TForm6>();
    m_form7 = std::make_unique<TForm7>([this] { m_controller->DisCheckWindow(9); }, nullptr);
    LinkControlHooks hooks;
    hooks.startSearch = [this] { m_controller->LinkBtnClick(true); };
    hooks.linkLost = [this] { m_controller->DisCheckWindow(7); };
    hooks.showMessage = [this](const QString& text) {
        m_messages->ShowBilingualMessage(text, text);
    };
    m_form3 = std::make_unique<TForm3>(m_form1.get(), *m_link, *m_hid, std::move(hooks));
    m_form3->setTrace(options.trace, options.trace);
    m_link->setTransport(env.transport != nullptr ? *env.transport
                                                  : static_cast<FrameTransport&>(*m_form3));

    // Link control with its timers, view and search transports.
    m_view = std::make_unique<MainLinkView>(m_state, *m_messages, *m_form1, *m_form2, m_form5.get(),
                                            m_form4.get());
    m_search = std::make_unique<PanelSearchTransports>(
        *m_form3, *m_form1->findChild<QComboBox*>("ComComboBox1"));
    LinkControlCallbacks callbacks;
    callbacks.showNewVersionWindow = [this] { m_form7->show(); };
    m_controller = std::make_unique<LinkController>(*m_link, m_store, m_timers, *m_view, *m_search,
                                                    std::move(callbacks));
    m_timers.setHandler(LinkTimer::Search, [this] { m_controller->Timer1Timer(); });
    m_timers.setHandler(LinkTimer::Sequencer, [this] { m_controller->sequencer().Timer2Timer(); });
    m_timers.setHandler(LinkTimer::Hold, [this] { m_controller->writeQueue().HoldTimerTimer(); });
    m_store.setWritePath(&m_controller->writeQueue());

    // Control binding, run by the main window's show-time start-up.
    m_binding = std::make_unique<ControlBinding>(
        std::vector<QWidget*>{m_form1.get(), m_form4.get(), m_form5.get()});
    m_pipeline = std::make_unique<EditPipeline>(m_store, *m_binding, m_form1.get());
    m_navigation = std::make_unique<Navigation>(m_store, *m_binding, *m_pipeline, m_form1.get());
    m_pipeline->hooks().channelLinks = [this] { m_navigation->deriveLinks(); };
    m_pipeline->hooks().reselectPage = [this] {
        m_navigation->FormMusTabBtnClick(m_navigation->CurrentTab);
    };
    m_form1->hooks().BindControls = [this] {
        m_binding->BindControls(m_store);
        m_pipeline->connectHandlers();
        m_navigation->connectHandlers();
    };
    m_form1->hooks().ResetAllEq = [this] { m_pipeline->ResetEq(100); };
    m_form1->hooks().SelectMusicPage = [this] { m_navigation->FormMusTabBtnClick(0); };
    m_controller->callbacks().refreshAll = [this] { m_pipeline->RefreshAll(100); };
    m_controller->callbacks().refreshPageModule = [this] {
        m_pipeline->RefreshAll(m_store.selection().curPageModule);
    };
    // The pitch turned on the box is shown without being sent back.
    m_pitchHook = [this](int value) {
        m_pipeline->ApplyControlValue(m_binding->ValueDisplay(makeAddress(ModMusic, 3)), 0, 1,
                                      value);
    };
    m_form1->setLinkController(m_controller.get());

    for (ToolWindow* w :
         {static_cast<ToolWindow*>(m_form4.get()), static_cast<ToolWindow*>(m_form5.get()),
          static_cast<ToolWindow*>(m_form6.get()), static_cast<ToolWindow*>(m_form7.get())}) {
        w->setCentreOn(m_form1.get());
    }
    // A small window closed by its close box gives its pane button the normal look back.
    const std::pair<ToolWindow*, const char*> panes[] = {{m_form4.get(), "PaneSysBtn"},
                                                         {m_form5.get(), "PaneSaveBtn"},
                                                         {m_form6.get(), "PaneInputBtn"}};
    for (const auto& [window, paneName] : panes) {
        QPushButton* pane = m_form1->findChild<QPushButton*>(paneName);
        window->setOnHidden([pane] {
            if (pane != nullptr) {
                pane->setChecked(false);
            }
        });
    }
}

PanelApp::~PanelApp() {
    m_store.setWritePath(nullptr);
    m_controller.reset();
    // The communication controller releases its devices before the backend goes.
    m_form3.reset();
}

void PanelApp::startDeviceWatch() {
    m_hid->start();
}

void PanelApp::packetMessage(const std::string& text) {
    const QString t = QString::fromStdString(text);
    m_messages->ShowBilingualMessage(t, t);
}

void PanelApp::deviceIdentifier(const std::string& text) {
    if (auto* label = m_form1->findChild<QLabel*>("DeviceIDLabel")) {
        label->setText(QString::fromStdString(text));
    }
}

void PanelApp::identityMismatch() {
    m_controller->identityMismatch();
}

void PanelApp::pitchChangedOnBox(int value) {
    if (m_pitchHook) {
        m_pitchHook(value);
    }
}

}  // namespace mz3
