// Moves the parameter image between the box and the store one request at a time, paced by
// the sequencer timer: the full load, the hint reload, the full download and the hint
// download.
#pragma once

#include <array>
#include <functional>

#include "LinkInterfaces.h"
#include "LinkProtocol.h"

namespace mz3 {

class TransferSequencer {
public:
    // performAction receives 1 (transfer complete) or 9 (the box stopped answering).
    TransferSequencer(LinkProtocol& link, ParameterStore& store, LinkTimers& timers, LinkView& view,
                      std::function<void(int)> performAction);

    // Starts a transfer and sends its first request at once. resetState (the handshake's
    // start) also puts StepState and StepTicks to 0.
    void start(int stepPos, int stepTotal, int stepMode, bool resetState);
    // One request: step x 256 + sub-packet.
    void SendPacketStep(int nTotalStep, int mode);
    // One sequencer tick.
    void Timer2Timer();

    // Progress of the transfer in percent, rounded to nearest with ties to even.
    int progressPercent() const;

    int StepPos = 0;
    int StepTotal = 0;
    int StepMode = 0;
    int SubPacket = 0;
    int StepTicks = 0;
    // Blocks of 25 slots per module over USB, minus one.
    std::array<int, 47> UsbBlockCount{};
    int& NameIndex() { return m_link.nameCounter; }

private:
    void resendCurrent();

    LinkProtocol& m_link;
    ParameterStore& m_store;
    LinkTimers& m_timers;
    LinkView& m_view;
    std::function<void(int)> m_performAction;
    int m_lastNameAsked = 0;  // the name index of the last name request sent
};

}  // namespace mz3
