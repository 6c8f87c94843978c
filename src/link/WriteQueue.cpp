#include "WriteQueue.h"

namespace mz3 {

void WriteRing::put(int code, int value) {
    if (empty()) {
        QueueWrite = advance(QueueWrite);
        m_entries[size_t(QueueWrite)] = {code, value};
        return;
    }
    Entry& newest = m_entries[size_t(QueueWrite)];
    if (newest.code == code) {
        // Consecutive changes of one parameter travel as one write.
        newest.value = value;
        return;
    }
    if (advance(QueueWrite) == QueueRead) {
        newest = {code, value};  // full: the newest entry is replaced
        return;
    }
    QueueWrite = advance(QueueWrite);
    m_entries[size_t(QueueWrite)] = {code, value};
}

bool WriteRing::take(Entry& out) {
    if (empty()) {
        return false;
    }
    QueueRead = advance(QueueRead);
    out = m_entries[size_t(QueueRead)];
    return true;
}

WriteQueue::WriteQueue(LinkProtocol& link, LinkView& view, LinkTimers& timers,
                       std::function<void(int)> performAction)
    : m_link(link), m_view(view), m_timers(timers), m_performAction(std::move(performAction)) {}

void WriteQueue::send(int code, int value) {
    m_link.SendData(WriteMode, code, value);
    m_link.flags.DeviceReady = false;
}

void WriteQueue::submitWrite(int controlModule, int value) {
    if (m_link.linkState != LinkOnline) {
        return;
    }
    HoldTicks = 0;
    if (!(m_link.flags.DeviceReady && m_ring.empty())) {
        m_ring.put(controlModule, value);
        return;
    }
    m_link.flags.StepState = 0;
    switch (controlModule) {
        case CodeModeRecall:
        case CodeHintRecall:
            m_view.LinkLabelWindow("加载中...", "Loading...");
            m_link.linkState = LinkIdle;
            MissCount = 0;
            PendingAction = controlModule == CodeModeRecall ? 2 : 22;
            break;
        case CodeModeSave:
            PendingAction = 3;
            break;
        case CodeHintSave:
            PendingAction = 23;
            break;
        default:
            PendingAction = 0;
            break;
    }
    m_ring.reset();
    m_ring.put(controlModule, value);
    WriteRing::Entry e;
    m_ring.take(e);
    send(e.code, e.value);
}

void WriteQueue::armAction(int action) {
    PendingAction = action;
    m_link.linkState = LinkIdle;
    MissCount = 0;
    m_view.LinkLabelWindow("保存中...", "Saving...");
}

void WriteQueue::HoldTimerTimer() {
    HoldTicks = HoldTicks + 1 > 50 ? 50 : HoldTicks + 1;

    if (m_link.flags.DeviceReady && PendingAction != 0) {
        const int action = PendingAction;
        PendingAction = 0;
        MissCount = 0;
        HoldTicks = 0;
        m_performAction(action);
    } else if (PendingAction != 0 && HoldTicks == 50) {
        HoldTicks = 0;
        if (++MissCount > 50) {
            MissCount = 0;
            m_timers.stop(LinkTimer::Hold);
            m_performAction(7);
            return;
        }
    }

    WriteRing::Entry e;
    if (m_link.flags.DeviceReady && !m_ring.empty()) {
        MissCount = 0;
        HoldTicks = 0;
        m_ring.take(e);
        send(e.code, e.value);
    }

    if (m_link.linkState == LinkOnline && HoldTicks == 50) {
        HoldTicks = 0;
        ++MissCount;
        if (m_link.flags.DeviceReady) {
            m_link.flags.DeviceReady = false;
            MissCount = 0;
            m_link.PCtoMCUAckSign(SignPoll);
        } else if (MissCount % 2 == 0 && m_ring.empty()) {
            m_link.PCtoMCUAckSign(SignPoll);
        }
        if (MissCount > 4) {
            MissCount = 0;
            m_timers.stop(LinkTimer::Hold);
            m_performAction(7);
        }
    }
}

}  // namespace mz3
