#include "LinkController.h"

namespace mz3 {

LinkController::LinkController(LinkProtocol& link, ParameterStore& store, LinkTimers& timers,
                               LinkView& view, SearchTransports& transports,
                               LinkControlCallbacks callbacks)
    : m_link(link),
      m_store(store),
      m_timers(timers),
      m_view(view),
      m_transports(transports),
      m_callbacks(std::move(callbacks)),
      m_sequencer(link, store, timers, view, [this](int a) { DisCheckWindow(a); }),
      m_queue(link, view, timers, [this](int a) { DisCheckWindow(a); }) {
    // The sequencer paces at 100 ms until the first handshake.
    m_timers.setInterval(LinkTimer::Search, 1000);
    m_timers.setInterval(LinkTimer::Sequencer, 100);
    m_timers.setInterval(LinkTimer::Hold, 20);
}

void LinkController::LinkBtnClick(bool search) {
    m_view.hideCommandBox();
    if (!search) {
        m_link.linkState = LinkIdle;
        m_view.setLinkButtonSearching(false);
        m_timers.stop(LinkTimer::Search);
        m_timers.stop(LinkTimer::Sequencer);
        m_timers.stop(LinkTimer::Hold);
        m_link.PCtoMCUAckSign(SignDisconnect);
        m_view.LinkLabelWindow("设备未连接", "Off Line");
        m_view.setOnlineLook(false);
        m_view.statusCopyText();
        m_view.statusHide();
        return;
    }
    m_link.flags.HandshakeSeen = false;
    SearchCount = 0;
    m_link.FirstLinkStage = 0;
    m_store.flags().refreshActive = false;
    m_link.resetSerialParser();

    if (m_transports.usbPresent()) {
        m_link.linkTransport = TransportUsb;
    } else if (m_transports.serialSelection() < 0) {
        m_link.linkTransport = TransportTcp;
    } else {
        m_transports.selectSerialPort(0);
        m_link.linkTransport = TransportSerial;
    }
    m_timers.start(LinkTimer::Search);
    m_view.setLinkButtonSearching(true);
    m_timers.stop(LinkTimer::Sequencer);
    m_timers.stop(LinkTimer::Hold);
    m_queue.dropPending();

    m_view.LinkLabelWindow("设备搜索...", "Search...");
    m_view.setOnlineLook(false);
    m_view.statusCopyText();
    m_view.statusSetProgress(0);
    m_view.statusShow();
}

void LinkController::Timer1Timer() {
    m_view.statusShow();
    if (m_link.flags.HandshakeSeen) {
        DisCheckWindow(4);
        m_timers.setInterval(LinkTimer::Sequencer, m_link.linkTransport == TransportTcp ? 160 : 50);
        return;
    }
    switch (m_link.linkTransport) {
        case TransportUsb:
            ++SearchCount;
            if (m_transports.usbPresent() && SearchCount < 3) {
                m_link.PCtoMCUAckSign(SignIdentify);
                m_view.statusSetPortText("  USB");
            } else {
                m_link.linkTransport = TransportSerial;
                SearchCount = 0;
            }
            break;
        case TransportSerial:
            if (SearchCount > LastPortIndex + 1 || m_transports.serialSelection() < 0) {
                SearchCount = 0;
                m_link.linkTransport = TransportTcp;
                m_view.statusSetPortText("Network");
                m_transports.connectTcp();
                m_link.PCtoMCUAckSign(SignIdentify);
            } else {
                m_transports.closeSerialPort();
                m_transports.selectSerialPort(SearchCount);
                const int selected = m_transports.serialSelection();
                if (selected >= 0) {
                    const std::string name = m_transports.serialPortName(selected);
                    m_view.statusSetPortText(name);
                    LastPortIndex = selected;
                    // A port that cannot be opened costs this tick and nothing else.
                    if (m_transports.openSerialPort(name)) {
                        m_link.PCtoMCUAckSign(SignIdentify);
                    }
                }
                ++SearchCount;
            }
            break;
        case TransportTcp:
            if (SearchCount == 0) {
                m_view.statusSetPortText("Network");
                // A connection made on the tick before is kept: tearing it down would lose
                // the next identify request to the new connect.
                if (!m_transports.tcpConnected()) {
                    m_transports.connectTcp();
                }
            }
            ++SearchCount;
            if (SearchCount >= 3) {
                SearchCount = 0;
                DisCheckWindow(9);
                m_transports.deactivateTcp();
            } else {
                m_link.PCtoMCUAckSign(SignIdentify);
            }
            break;
    }
}

void LinkController::offlineLook() {
    m_view.LinkLabelWindow("设备未连接", "Off Line");
    m_view.setOnlineLook(false);
    m_view.setLinkButtonSearching(false);
    m_view.statusCopyText();
    m_view.statusHide();
}

void LinkController::startTransfer(int pos, int total, int mode) {
    m_sequencer.start(pos, total, mode, false);
}

void LinkController::DisCheckWindow(int uMode) {
    switch (uMode) {
        case 1: {
            m_store.selection().outputBank =
                m_store.deviceValue(ModMusic, 86) > 1 ? 1 : m_store.deviceValue(ModMusic, 86);
            if (m_link.FirstLinkStage == 0) {
                m_link.FirstLinkStage = 1;
            }
            if (m_callbacks.refreshAll) {
                m_callbacks.refreshAll();
            }
            if (m_callbacks.refreshPageModule) {
                m_callbacks.refreshPageModule();
            }
            m_link.linkState = LinkOnline;
            m_view.setOnlineLook(true);
            m_view.setLinkButtonSearching(true);
            m_view.LinkLabelWindow("设备已连接", "Online");
            m_view.statusCopyText();
            m_view.statusHide();
            m_view.showMainWindow();
            m_queue.HoldTicks = 0;
            m_queue.MissCount = 0;
            m_timers.start(LinkTimer::Hold);
            break;
        }
        case 2:
            startTransfer(0, 41, 0);
            m_view.LinkLabelWindow("加载中...", "Loading...");
            m_link.linkState = LinkIdle;
            break;
        case 3:
            if (m_callbacks.refillModeList) {
                m_callbacks.refillModeList();
            }
            m_link.linkState = LinkOnline;
            m_view.LinkLabelWindow("设备已连接", "Online");
            m_view.setOnlineLook(true);
            m_view.showModeSaved(false);
            break;
        case 4:
            m_sequencer.start(0, 41, 0, true);
            m_link.linkState = LinkIdle;
            m_view.setOnlineLook(false);
            m_view.LinkLabelWindow("连接中...", "Linking...");
            break;
        case 5:
            m_view.showPasswordChanged();
            break;
        case 6:
            if (m_link.linkState != LinkOnline) {
                return;
            }
            startTransfer(0, 29, 1);
            m_view.LinkLabelWindow("下载数据...", "Download...");
            m_link.linkState = LinkIdle;
            break;
        case 7:
            m_timers.stop(LinkTimer::Search);
            m_timers.stop(LinkTimer::Sequencer);
            m_store.flags().refreshActive = false;
            m_link.linkState = LinkIdle;
            offlineLook();
            break;
        case 8:
            if (m_link.linkState != LinkOnline) {
                return;
            }
            startTransfer(22, 25, 1);
            m_view.LinkLabelWindow("下载数据...", "Download...");
            m_link.linkState = LinkIdle;
            break;
        case 9:
            m_timers.stop(LinkTimer::Search);
            m_timers.stop(LinkTimer::Sequencer);
            m_store.flags().refreshActive = false;
            offlineLook();
            m_transports.deactivateTcp();
            break;
        case 22:
            startTransfer(22, 25, 0);
            m_view.LinkLabelWindow("加载中...", "Loading...");
            m_link.linkState = LinkIdle;
            break;
        case 23:
            if (m_callbacks.refillHintModeLists) {
                m_callbacks.refillHintModeLists();
            }
            m_link.linkState = LinkOnline;
            m_view.LinkLabelWindow("设备已连接", "Online");
            m_view.setOnlineLook(true);
            m_view.showModeSaved(true);
            break;
        default:
            break;
    }
}

void LinkController::closeLink() {
    if (m_link.linkState == LinkOnline) {
        m_link.linkState = LinkIdle;
        m_link.PCtoMCUAckSign(SignDisconnect);
    }
}

void LinkController::identityMismatch() {
    DisCheckWindow(9);
    if (m_callbacks.showNewVersionWindow) {
        m_callbacks.showNewVersionWindow();
    }
}

}  // namespace mz3
