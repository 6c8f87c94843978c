// Link-wide enumerations and the narrow interfaces the wire protocol talks through.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace mz3 {

enum LinkTransport : int { TransportUsb = 0, TransportSerial = 1, TransportTcp = 2 };
enum LinkStateValue : int { LinkIdle = 0, LinkOnline = 2 };

// Selectors of PCtoMCUAckSign.
enum AckSign : int { SignIdentify = 0x11, SignPoll = 0x66, SignDisconnect = 0xAA };

// Carries finished frames to the box. The adapters lay the frame into a HID report, a serial
// write or a socket write. Returns false when the transport reported a write error.
class FrameTransport {
public:
    virtual ~FrameTransport() = default;
    virtual bool writeFrame(LinkTransport transport, std::span<const uint8_t> frame) = 0;
};

// What the receive side asks of the rest of the panel.
class ReceiveListener {
public:
    virtual ~ReceiveListener() = default;
    // A plain message about a damaged packet; the text is the same in both languages.
    virtual void packetMessage(const std::string& text) {}
    // The box's 8-hex-digit identifier, for DeviceIDLabel.
    virtual void deviceIdentifier(const std::string& text) {}
    // The music pitch was turned on the box; update its control without sending it back.
    virtual void pitchChangedOnBox(int value) {}
    // The box is not the expected model: drop the link (action 9), show the new-version window.
    virtual void identityMismatch() {}
};

}  // namespace mz3
