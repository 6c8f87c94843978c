#include "BoxSession.h"

#include <algorithm>

namespace mz3::boxsim {

BoxSession::BoxSession(BoxModel& model, bool usb)
    : m_model(model),
      m_responder(model),
      m_parser([this](std::span<const uint8_t> f) { handleFrame(f); }, [] {}),
      m_rng(1),
      m_usb(usb) {
    m_responder.setUsb(usb);
}

void BoxSession::setFaults(const FaultConfig& faults) {
    m_faults = faults;
    m_rng.seed(faults.seed);
    m_responder.setWrongIdentity(faults.wrongIdentity);
}

void BoxSession::handleFrame(std::span<const uint8_t> frame) {
    m_received.push_back({m_now, Bytes(frame.begin(), frame.end())});
    ++m_framesSeen;
    if (frame.size() < 7 || frameChecksum(frame.first(frame.size() - 1)) != frame.back()) {
        return;  // a damaged frame gets no answer, as on the real box
    }
    if (m_faults.silentAfterFrames >= 0 && m_framesSeen > m_faults.silentAfterFrames) {
        m_silent = true;
    }
    if (m_silent) {
        return;
    }
    std::vector<Bytes> replies = m_responder.respond(frame);
    if (m_faults.silentAfterOnline && m_responder.events().polledStatus) {
        m_silent = true;
        return;
    }
    for (Bytes& r : replies) {
        m_pending.push_back(std::move(r));
    }
}

Bytes BoxSession::packForTransport(const Bytes& frame) const {
    if (!m_usb) {
        return frame;
    }
    // A 64-byte input report: the frame, then zeros.
    Bytes report(64, 0);
    std::copy_n(frame.begin(), std::min<size_t>(frame.size(), 64), report.begin());
    return report;
}

std::vector<OutChunk> BoxSession::shape(std::vector<Bytes> replies) {
    std::vector<OutChunk> out;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Bytes> kept;
    for (Bytes& r : replies) {
        ++m_repliesSeen;
        const bool dropNth = m_faults.dropEvery > 0 && m_repliesSeen % m_faults.dropEvery == 0;
        const bool dropRandom =
            m_faults.dropProbability > 0 && unit(m_rng) < m_faults.dropProbability;
        if (dropNth || dropRandom) {
            continue;
        }
        const bool isFrame = r.size() >= 7 && r[0] == kFrameHead;
        const bool corruptNth =
            m_faults.corruptEvery > 0 && m_repliesSeen % m_faults.corruptEvery == 0;
        const bool corruptRandom =
            m_faults.corruptProbability > 0 && unit(m_rng) < m_faults.corruptProbability;
        if (isFrame && (corruptNth || corruptRandom)) {
            r.back() = static_cast<uint8_t>(r.back() ^ 0x5A);
        }
        kept.push_back(std::move(r));
    }
    if (m_faults.merge && !m_usb) {
        // Hold this batch back and send it glued to the next one.
        if (m_held.empty()) {
            m_held = std::move(kept);
            return out;
        }
        std::vector<Bytes> merged = std::move(m_held);
        m_held.clear();
        for (Bytes& r : kept) {
            merged.push_back(std::move(r));
        }
        kept = std::move(merged);
        Bytes glued;
        for (const Bytes& r : kept) {
            glued.insert(glued.end(), r.begin(), r.end());
        }
        kept = {glued};
    }
    bool first = true;
    for (const Bytes& r : kept) {
        const Bytes packed = packForTransport(r);
        const int delay = first ? m_faults.delayMs : 0;
        first = false;
        if (m_faults.splitMax > 0 && !m_usb) {
            std::uniform_int_distribution<int> piece(1, m_faults.splitMax);
            size_t pos = 0;
            bool firstPiece = true;
            while (pos < packed.size()) {
                const size_t n = std::min(packed.size() - pos, size_t(piece(m_rng)));
                out.push_back({Bytes(packed.begin() + long(pos), packed.begin() + long(pos + n)),
                               firstPiece ? delay : m_faults.splitDelayMs});
                firstPiece = false;
                pos += n;
            }
        } else {
            out.push_back({packed, delay});
        }
    }
    return out;
}

std::vector<OutChunk> BoxSession::receiveStream(std::span<const uint8_t> bytes, int64_t nowMs) {
    m_now = nowMs;
    m_parser.feed(bytes);
    std::vector<Bytes> replies = std::move(m_pending);
    m_pending.clear();
    if (replies.empty()) {
        return {};
    }
    return shape(std::move(replies));
}

std::vector<OutChunk> BoxSession::receiveUsbReport(std::span<const uint8_t> report, int64_t nowMs) {
    m_now = nowMs;
    if (report.size() < 2) {
        return {};
    }
    // Report ID, then one frame; the zeros after it are padding.
    const auto frame = report.subspan(1);
    if (frame[0] != kFrameHead || frame.size() < 3 || size_t(frame[2]) + 3 > frame.size()) {
        return {};
    }
    handleFrame(frame.first(size_t(frame[2]) + 3));
    std::vector<Bytes> replies = std::move(m_pending);
    m_pending.clear();
    if (replies.empty()) {
        return {};
    }
    return shape(std::move(replies));
}

std::vector<OutChunk> BoxSession::flush() {
    std::vector<OutChunk> out;
    for (const Bytes& r : m_held) {
        out.push_back({packForTransport(r), 0});
    }
    m_held.clear();
    return out;
}

std::vector<OutChunk> BoxSession::unsolicitedStatus() {
    if (m_silent) {
        return {};
    }
    return {{packForTransport(m_responder.statusFrame()), 0}};
}

}  // namespace mz3::boxsim
