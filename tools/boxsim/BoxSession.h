// One connection between the box and the PC: parses what the PC sends, answers through the
// responder, injects the configured faults, and logs every frame received.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "BoxResponder.h"
#include "StreamParser.h"

namespace mz3::boxsim {

// Faults on demand; every random choice comes from the seed, so a run can be repeated.
struct FaultConfig {
    uint32_t seed = 1;
    int dropEvery = 0;           // drop every Nth reply (0: never)
    double dropProbability = 0;  // drop a reply with this probability
    int corruptEvery = 0;        // corrupt the checksum of every Nth reply frame
    double corruptProbability = 0;
    int splitMax = 0;                // cut reply frames into fragments of 1..splitMax bytes
    int splitDelayMs = 0;            // pause between fragments
    bool merge = false;              // hold each reply and send it with the next one
    int delayMs = 0;                 // delay every reply
    int silentAfterFrames = -1;      // stop answering after this many frames (-1: never)
    bool silentAfterOnline = false;  // stop answering once the PC polls the status block
    bool wrongIdentity = false;      // claim to be another model
};

// Bytes to send after a delay measured from the previous chunk.
struct OutChunk {
    Bytes bytes;
    int delayMs = 0;
};

struct ReceivedFrame {
    int64_t timestampMs;
    Bytes bytes;
};

class BoxSession {
public:
    BoxSession(BoxModel& model, bool usb);

    void setFaults(const FaultConfig& faults);
    const FaultConfig& faults() const { return m_faults; }

    // Bytes from a serial line or TCP connection, in any chunks.
    std::vector<OutChunk> receiveStream(std::span<const uint8_t> bytes, int64_t nowMs);
    // One USB output report (report ID first). Replies are 64-byte input reports.
    std::vector<OutChunk> receiveUsbReport(std::span<const uint8_t> report, int64_t nowMs);
    // Whatever a merge fault is still holding back.
    std::vector<OutChunk> flush();
    bool holdingMerged() const { return !m_held.empty(); }

    // An unsolicited status frame (someone turned the pitch knob on the box).
    std::vector<OutChunk> unsolicitedStatus();

    void setSilent(bool silent) { m_silent = silent; }
    bool silent() const { return m_silent; }

    const std::vector<ReceivedFrame>& received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    BoxResponder& responder() { return m_responder; }
    bool usb() const { return m_usb; }

private:
    void handleFrame(std::span<const uint8_t> frame);
    std::vector<OutChunk> shape(std::vector<Bytes> replies);
    Bytes packForTransport(const Bytes& frame) const;

    BoxModel& m_model;
    BoxResponder m_responder;
    StreamParser m_parser;
    FaultConfig m_faults;
    std::mt19937 m_rng;
    bool m_usb;
    bool m_silent = false;
    int64_t m_now = 0;
    int m_framesSeen = 0;
    int m_repliesSeen = 0;
    std::vector<Bytes> m_pending;  // replies of the frame being handled
    std::vector<Bytes> m_held;     // replies held back by the merge fault
    std::vector<ReceivedFrame> m_received;
};

}  // namespace mz3::boxsim
