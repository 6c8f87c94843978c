// Cuts a received byte stream (serial line or TCP connection) into frames and short replies.
// Bytes may arrive in any chunks; the parser keeps its state between them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace mz3 {

class StreamParser {
public:
    enum class State { Hunt, Header, Body };

    using FrameHandler = std::function<void(std::span<const uint8_t>)>;
    using AckHandler = std::function<void()>;

    StreamParser(FrameHandler onFrame, AckHandler onAck);

    // Consumes every byte of the chunk.
    void feed(std::span<const uint8_t> chunk);
    // Back to Hunt with an empty buffer (a search begins, a connection is new).
    void reset();

    State RxState() const { return m_state; }
    int RxNeed() const { return m_need; }
    int RxGot() const { return m_got; }
    const std::vector<uint8_t>& RxBuffer() const { return m_buffer; }

private:
    void headerComplete();

    FrameHandler m_onFrame;
    AckHandler m_onAck;
    State m_state = State::Hunt;
    int m_need = 0;
    int m_got = 0;
    std::vector<uint8_t> m_buffer;
    std::vector<uint8_t> m_frame;
};

}  // namespace mz3
