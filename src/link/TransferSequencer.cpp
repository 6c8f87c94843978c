#include "TransferSequencer.h"

#include <algorithm>

namespace mz3 {

namespace {

// System requests of steps 30 to 41.
constexpr int kSystemStepCodes[12] = {0x1E00, 0x1E01, 0x1E02, 0x1E03, 0x1E04, 0x1E05,
                                      0x1E15, 0x1E20, 0x1E21, 0x1E22, 0x1E14, 0x1E18};

}  // namespace

TransferSequencer::TransferSequencer(LinkProtocol& link, ParameterStore& store, LinkTimers& timers,
                                     LinkView& view, std::function<void(int)> performAction)
    : m_link(link),
      m_store(store),
      m_timers(timers),
      m_view(view),
      m_performAction(std::move(performAction)) {
    for (int m = 0; m < kModuleCount; ++m) {
        UsbBlockCount[size_t(m)] = SlotCount[size_t(m)] > 0 ? (SlotCount[size_t(m)] - 1) / 25 : 0;
    }
}

int TransferSequencer::progressPercent() const {
    if (StepTotal <= 0) {
        return 0;
    }
    const int num = StepPos * 100;
    int q = num / StepTotal;
    const int twiceRem = 2 * (num % StepTotal);
    if (twiceRem > StepTotal || (twiceRem == StepTotal && q % 2 == 1)) {
        ++q;
    }
    return q;
}

void TransferSequencer::start(int stepPos, int stepTotal, int stepMode, bool resetState) {
    StepPos = stepPos;
    StepTotal = stepTotal;
    StepMode = stepMode;
    SubPacket = 0;
    m_timers.stop(LinkTimer::Search);
    m_timers.stop(LinkTimer::Hold);
    m_timers.start(LinkTimer::Sequencer);
    if (resetState) {
        m_link.flags.StepState = 0;
        StepTicks = 0;
    }
    SendPacketStep(StepPos * 256 + SubPacket, StepMode);
}

void TransferSequencer::SendPacketStep(int nTotalStep, int mode) {
    const int step = nTotalStep / 256;
    const int sub = nTotalStep % 256;
    const bool usb = m_link.linkTransport == TransportUsb;
    const int startSlot = usb ? sub * 25 : 0;
    auto& tx = m_link.TxData();

    if (mode == 0) {
        if (step >= 0 && step <= 29) {
            m_link.SendData(ReadMode, CodeReadBlock, step + startSlot * 256);
        } else if (step >= 30 && step <= 41) {
            const bool named = step == 30 || step == 37;
            if (named) {
                m_lastNameAsked = tx[0];
            }
            m_link.SendPacktData(ReadMode, kSystemStepCodes[step - 30], named ? 2 : 0);
        }
        return;
    }
    if (mode == 1 && step >= 0 && step <= 29) {
        const int slots = SlotCount[size_t(step)];
        const int n = std::max(0, usb ? std::min(25, slots - startSlot) : slots);
        const int first = usb ? startSlot : 0;
        tx[0] = static_cast<uint8_t>(step);
        tx[1] = static_cast<uint8_t>(first);
        for (int i = 0; i < n; ++i) {
            const int v = m_store.deviceValue(step, first + i);
            tx[size_t(2 + 2 * i)] = static_cast<uint8_t>(v & 0xFF);
            tx[size_t(3 + 2 * i)] = static_cast<uint8_t>((v >> 8) & 0xFF);
        }
        m_link.SendPacktData(WriteMode, CodeWriteBlock, 2 + 2 * n);
    }
}

void TransferSequencer::resendCurrent() {
    SendPacketStep(StepPos * 256 + SubPacket, StepMode);
}

void TransferSequencer::Timer2Timer() {
    if (StepTicks < 100) {
        ++StepTicks;
    }
    m_view.statusCopyText();
    m_view.statusSetProgress(progressPercent());
    m_view.statusShow();

    ReceiveFlags& f = m_link.flags;
    const bool usb = m_link.linkTransport == TransportUsb;

    if (f.StepState == 2 || (f.StepState == 1 && StepMode == 1)) {
        if (StepPos >= StepTotal) {
            f.StepState = 0;
            m_timers.stop(LinkTimer::Sequencer);
            m_performAction(1);
        } else {
            if (StepPos == 30 || StepPos == 37) {
                // Name steps: ask for the next index; after a damaged reply ask for the same
                // index again, so that every name still lands in its own entry.
                auto& tx = m_link.TxData();
                tx[0] = static_cast<uint8_t>(f.StepLost ? m_lastNameAsked : NameIndex());
                tx[1] = 0;
                if (!f.StepLost) {
                    ++NameIndex();
                }
                f.StepLost = false;
                if (NameIndex() > 16) {
                    NameIndex() = 0;
                    ++StepPos;
                }
            } else {
                if (StepPos == 25 || StepPos == 36) {
                    // After module 25 the run goes on with the names (step 30).
                    if (StepPos == 25) {
                        StepPos = 29;
                    }
                    NameIndex() = 0;
                    m_link.TxData()[0] = 0;
                    m_link.TxData()[1] = 0;
                }
                if (!f.StepLost) {
                    if (!usb || SubPacket > UsbBlockCount[size_t(StepPos)]) {
                        ++StepPos;
                        SubPacket = 0;
                        if (StepPos == 30) {
                            ++NameIndex();
                        }
                    }
                } else if (usb && SubPacket > 0) {
                    --SubPacket;  // the same block again
                }
                f.StepLost = false;
            }
            if (StepTotal == 25 && StepPos == 25) {
                // A hint-module transfer has passed module 24: the next tick completes it.
                f.StepState = 2;
                StepTicks = 0;
                return;
            }
            if (StepPos >= StepTotal && StepMode == 1) {
                SendPacketStep(25 * 256, 0);  // a full download ends with a read of module 25
            } else {
                resendCurrent();
            }
            if (usb) {
                ++SubPacket;
            }
        }
        f.StepState = 3;
        StepTicks = 0;
        return;
    }
    if (f.StepState == 3 && StepTicks > 10) {
        if (StepPos > 1) {
            f.StepState = 4;
        } else if (!usb) {
            resendCurrent();
        }
        StepTicks = 0;
    } else if (f.StepState == 4 && StepTicks > 20) {
        if (!usb) {
            resendCurrent();
        }
        f.StepState = 5;
        StepTicks = 0;
    } else if (f.StepState == 5 && StepTicks >= 100) {
        f.StepState = 0;
        m_performAction(9);
    }
}

}  // namespace mz3
