// Single-value writes while online: one message in flight, a 500-entry ring for the rest, the
// one-second keep-alive poll, and the follow-up action of a mode recall or save.
#pragma once

#include <array>
#include <functional>

#include "DeviceWritePath.h"
#include "LinkInterfaces.h"
#include "LinkProtocol.h"

namespace mz3 {

// The ring: an entry is stored after the write index has advanced, so at most 499 wait.
class WriteRing {
public:
    static constexpr int kSize = 500;
    struct Entry {
        int code = 0;
        int value = 0;
    };

    bool empty() const { return QueueRead == QueueWrite; }
    int size() const { return (QueueWrite - QueueRead + kSize) % kSize; }
    // Puts a write, merging it into the newest entry when it is for the same code, and
    // replacing the newest entry when the ring is full.
    void put(int code, int value);
    // Takes the oldest write out; false when empty.
    bool take(Entry& out);
    void reset() { QueueRead = QueueWrite = 0; }
    void drop() { QueueRead = QueueWrite; }
    const Entry& at(int index) const { return m_entries[size_t(index)]; }

    int QueueRead = 0;
    int QueueWrite = 0;

private:
    static int advance(int i) { return (i + 1) % kSize; }
    std::array<Entry, kSize> m_entries{};
};

class WriteQueue : public DeviceWritePath {
public:
    // performAction runs a link action (2, 3, 7, 22, 23).
    WriteQueue(LinkProtocol& link, LinkView& view, LinkTimers& timers,
               std::function<void(int)> performAction);

    // DeviceWritePath: the link side of SendDatatoMCU.
    void submitWrite(int controlModule, int value) override;
    void holdUntilAcknowledged() override { m_link.flags.DeviceReady = false; }

    // The mode-save flows send their request themselves, then arm the follow-up here.
    void armAction(int action);
    // HoldTimer, every 20 ms.
    void HoldTimerTimer();
    // A search starts: pending writes are dropped.
    void dropPending() { m_ring.drop(); }

    const WriteRing& ring() const { return m_ring; }
    int PendingAction = 0;
    int HoldTicks = 0;
    int MissCount = 0;

private:
    void send(int code, int value);

    LinkProtocol& m_link;
    LinkView& m_view;
    LinkTimers& m_timers;
    std::function<void(int)> m_performAction;
    WriteRing m_ring;
};

}  // namespace mz3
