// The box's side of the wire protocol: what the box answers to each frame the PC sends.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "BoxModel.h"
#include "Frame.h"

namespace mz3::boxsim {

// What the PC has done, as far as the box can tell.
struct PeerEvents {
    bool identified = false;    // identity echo received
    bool polledStatus = false;  // a status poll arrived (the PC is online)
    bool disconnected = false;  // disconnect notice received
};

class BoxResponder {
public:
    explicit BoxResponder(BoxModel& model) : m_model(model) {}

    // USB replies to a block read carry at most 25 values; serial and TCP the whole module.
    void setUsb(bool usb) { m_usb = usb; }
    bool usb() const { return m_usb; }
    // Answer identify requests with another model's identity.
    void setWrongIdentity(bool wrong) { m_wrongIdentity = wrong; }

    // The replies to one complete frame from the PC (checksum already verified).
    std::vector<Bytes> respond(std::span<const uint8_t> frame);

    // An unsolicited status block, as the box sends it when its front panel changes.
    Bytes statusFrame() const;

    PeerEvents& events() { return m_events; }

private:
    std::vector<Bytes> readBlock(int module, int startSlot);
    std::vector<Bytes> systemRead(int slot, std::span<const uint8_t> data);
    Bytes valueReply(int code, uint16_t value) const;
    Bytes ack(uint8_t code = 0xBB) const { return {kShortReplyHead, code}; }

    BoxModel& m_model;
    bool m_usb = false;
    bool m_wrongIdentity = false;
    PeerEvents m_events;
};

}  // namespace mz3::boxsim
