#include "StreamParser.h"

#include "Frame.h"

namespace mz3 {

StreamParser::StreamParser(FrameHandler onFrame, AckHandler onAck)
    : m_onFrame(std::move(onFrame)), m_onAck(std::move(onAck)) {
    m_buffer.reserve(260);
    m_frame.reserve(260);
}

void StreamParser::reset() {
    m_state = State::Hunt;
    m_need = 0;
    m_got = 0;
    m_buffer.clear();
}

void StreamParser::feed(std::span<const uint8_t> chunk) {
    for (uint8_t b : chunk) {
        switch (m_state) {
            case State::Hunt:
                m_buffer.clear();
                if (b == kFrameHead || b == kShortReplyHead) {
                    m_buffer.push_back(b);
                    m_state = State::Header;
                    m_need = (b == kFrameHead) ? 3 : 1;
                    m_got = 0;
                }
                break;
            case State::Header:
                m_buffer.push_back(b);
                if (++m_got == m_need) {
                    headerComplete();
                }
                break;
            case State::Body:
                m_buffer.push_back(b);
                if (++m_got == m_need) {
                    // The handler gets its own copy, so it may reset or feed this parser.
                    m_frame.assign(m_buffer.begin(), m_buffer.end());
                    reset();
                    m_onFrame(m_frame);
                }
                break;
        }
    }
}

void StreamParser::headerComplete() {
    if (m_buffer[0] == kFrameHead) {
        const uint8_t len = m_buffer[2];
        const uint8_t mode = m_buffer[3];
        // LEN below 4 cannot hold the code word and the checksum: such a header is noise.
        if (m_buffer[1] == kFrameSecondHead && (mode == WriteMode || mode == ReadMode) &&
            len >= 4) {
            m_state = State::Body;
            m_need = len - 1;
            m_got = 0;
            return;
        }
        reset();
        return;
    }
    const bool ack = isAcknowledgeCode(m_buffer[1]);
    reset();
    if (ack) {
        m_onAck();
    }
}

}  // namespace mz3
