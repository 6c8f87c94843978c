// Composition root of the panel: creates the shared state, the link and the seven windows in
// their fixed order, and wires them together.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "DialogService.h"
#include "HidBackend.h"
#include "LinkController.h"
#include "LinkProtocol.h"
#include "PanelOptions.h"
#include "ParameterStore.h"
#include "QtLinkTimers.h"
#include "core/AppState.h"

namespace mz3 {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class MainLinkView;
class ControlBinding;
class EditPipeline;
class Navigation;
class PanelSearchTransports;

struct PanelEnvironment {
    std::filesystem::path programDir;     // AppDir
    std::filesystem::path presetBase;     // the folder that holds "Mode"
    DialogService* dialogs = nullptr;     // null: real message boxes
    FrameTransport* transport = nullptr;  // null: the communication controller's transports
    HidBackend* hid = nullptr;            // null: hidapi on hidraw
    bool listSystemSerialPorts = true;    // false: only the ports named with --serial
};

class PanelApp : public ReceiveListener {
public:
    PanelApp(const PanelOptions& options, const PanelEnvironment& env);
    ~PanelApp() override;

    AppState& state() { return m_state; }
    ParameterStore& store() { return m_store; }
    LinkProtocol& link() { return *m_link; }
    Messages& messages() { return *m_messages; }

    TForm1* form1() const { return m_form1.get(); }
    TForm2* form2() const { return m_form2.get(); }
    TForm3* form3() const { return m_form3.get(); }
    TForm4* form4() const { return m_form4.get(); }
    TForm5* form5() const { return m_form5.get(); }
    TForm6* form6() const { return m_form6.get(); }
    TForm7* form7() const { return m_form7.get(); }

    LinkController& controller() { return *m_controller; }
    QtLinkTimers& linkTimers() { return m_timers; }
    ControlBinding& binding() { return *m_binding; }
    EditPipeline& pipeline() { return *m_pipeline; }
    Navigation& navigation() { return *m_navigation; }
    // The control bound to the music pitch is updated from the box through this hook.
    void setPitchHook(std::function<void(int)> hook) { m_pitchHook = std::move(hook); }
    // Starts watching USB devices; the first device report follows shortly.
    void startDeviceWatch();

    // ReceiveListener
    void packetMessage(const std::string& text) override;
    void deviceIdentifier(const std::string& text) override;
    void identityMismatch() override;
    void pitchChangedOnBox(int value) override;

private:
    AppState m_state;
    ParameterStore m_store;
    std::unique_ptr<FrameTransport> m_ownTransport;
    std::unique_ptr<HidBackend> m_ownHid;
    HidBackend* m_hid = nullptr;
    std::unique_ptr<LinkProtocol> m_link;
    std::unique_ptr<DialogService> m_ownDialogs;
    std::unique_ptr<Messages> m_messages;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm4> m_form4;
    std::unique_ptr<TForm5> m_form5;
    std::unique_ptr<TForm6> m_form6;
    std::unique_ptr<TForm7> m_form7;
    std::unique_ptr<TForm3> m_form3;
    QtLinkTimers m_timers;
    std::unique_ptr<MainLinkView> m_view;
    std::unique_ptr<PanelSearchTransports> m_search;
    std::unique_ptr<LinkController> m_controller;
    std::function<void(int)> m_pitchHook;
    std::unique_ptr<ControlBinding> m_binding;
    std::unique_ptr<EditPipeline> m_pipeline;
    std::unique_ptr<Navigation> m_navigation;
};

}  // namespace mz3
