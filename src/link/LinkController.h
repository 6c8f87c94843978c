// Link control: the search for the box over USB, the serial ports and TCP, the handshake, and
// the eleven link actions that take the link online and offline.
#pragma once

#include <functional>

#include "LinkInterfaces.h"
#include "LinkProtocol.h"
#include "TransferSequencer.h"
#include "WriteQueue.h"

namespace mz3 {

// Steps of the link actions that belong to the parameter pages and panels.
struct LinkControlCallbacks {
    std::function<void()> refreshAll;           // refresh every control from the store
    std::function<void()> refreshPageModule;    // then the module of the page on show
    std::function<void()> refillModeList;       // save panel's SysModeBox (action 3)
    std::function<void()> refillHintModeLists;  // SysMode2Box and SysMode3Box (action 23)
    std::function<void()> showNewVersionWindow;
};

class LinkController {
public:
    LinkController(LinkProtocol& link, ParameterStore& store, LinkTimers& timers, LinkView& view,
                   SearchTransports& transports, LinkControlCallbacks callbacks = {});

    // LinkBtnClick with LinkBtn (search = true) or UnLinkBtn (search = false).
    void LinkBtnClick(bool search);
    // One search tick (Timer1).
    void Timer1Timer();
    // Link action uMode; unknown numbers do nothing.
    void DisCheckWindow(int uMode);
    // The main window is closing: the disconnect notice when online.
    void closeLink();
    // The box's identity did not match (from the receive side).
    void identityMismatch();

    TransferSequencer& sequencer() { return m_sequencer; }
    WriteQueue& writeQueue() { return m_queue; }
    LinkControlCallbacks& callbacks() { return m_callbacks; }

    int SearchCount = 0;
    int LastPortIndex = 0;

private:
    void offlineLook();
    void startTransfer(int pos, int total, int mode);

    LinkProtocol& m_link;
    ParameterStore& m_store;
    LinkTimers& m_timers;
    LinkView& m_view;
    SearchTransports& m_transports;
    LinkControlCallbacks m_callbacks;
    TransferSequencer m_sequencer;
    WriteQueue m_queue;
};

}  // namespace mz3
