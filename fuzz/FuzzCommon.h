// Shared set-up of the receive-path fuzz targets: a fresh link and store per input, and the
// invariants every input must keep.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <span>

#include "LinkProtocol.h"

namespace mz3::fuzz {

class SinkTransport : public FrameTransport {
public:
    bool writeFrame(LinkTransport, std::span<const uint8_t> frame) override {
        // The only frame the receive side may send is the identity echo, and it must fit.
        if (frame.size() < 7 || frame.size() > 258) {
            std::abort();
        }
        return true;
    }
};

struct Harness {
    ParameterStore store;
    SinkTransport transport;
    ReceiveListener listener;
    LinkProtocol link{store, transport, listener};

    // Received values are stored as unsigned 16-bit; names never exceed 20 characters.
    void checkInvariants() const {
        for (const auto& row : store.DeviceValues()) {
            for (int v : row) {
                if (v < 0 || v > 0xFFFF) {
                    std::abort();
                }
            }
        }
        for (const auto& name : link.ModeNames) {
            if (name.size() > 20) {
                std::abort();
            }
        }
    }
};

}  // namespace mz3::fuzz
