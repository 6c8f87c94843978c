#include "LinkProtocol.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace mz3 {

namespace {

// Received names: at most 20 characters, bytes outside 0x1E..0x7F shown as "?".
std::string nameFromBytes(std::span<const uint8_t> data) {
    std::string name;
    const size_t n = std::min<size_t>(data.size(), 20);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t b = data[i];
        name.push_back((b > 0x7F || b < 0x1E) ? '?' : static_cast<char>(b));
    }
    return name;
}

}  // namespace

LinkProtocol::LinkProtocol(ParameterStore& store, FrameTransport& transport,
                           ReceiveListener& listener)
    : m_store(store),
      m_transport(&transport),
      m_listener(listener),
      m_serialParser(
          [this](std::span<const uint8_t> frame) {
              ReceivePacket(TransportSerial, frame);
              flags.StepState = 2;
          },
          [this] { acknowledged(); }),
      m_tcpParser([this](std::span<const uint8_t> frame) { ReceivePacket(TransportTcp, frame); },
                  [this] { acknowledged(); }) {}

bool LinkProtocol::SendData(uint8_t wrMode, int controlModule, int highLowByte) {
    const Bytes frame = buildValueFrame(wrMode, controlModule, highLowByte);
    return m_transport->writeFrame(linkTransport, frame);
}

bool LinkProtocol::SendPacktData(uint8_t wrMode, int controlModule, int dataSize) {
    if (dataSize < 0 || dataSize > kMaxFrameData) {
        return false;
    }
    const Bytes frame = buildPacketFrame(
        wrMode, controlModule, std::span<const uint8_t>(m_txData.data(), size_t(dataSize)));
    return m_transport->writeFrame(linkTransport, frame);
}

bool LinkProtocol::SendStrData(int controlModule, std::u16string_view text) {
    auto low8 = [](char16_t c) { return static_cast<uint8_t>(c & 0xFF); };
    if (controlModule == CodeModeSave) {
        // Mode index and name padded with spaces: exactly 22 bytes.
        m_txData[0] = text.size() > 0 ? low8(text[0]) : 0;
        m_txData[1] = text.size() > 1 ? low8(text[1]) : 0;
        for (size_t i = 2; i < 22; ++i) {
            m_txData[i] = i < text.size() ? low8(text[i]) : 0x20;
        }
        return SendPacktData(WriteMode, controlModule, 22);
    }
    const size_t n = std::min<size_t>(text.size(), kMaxFrameData);
    for (size_t i = 0; i < n; ++i) {
        m_txData[i] = low8(text[i]);
    }
    const uint8_t mode = controlModule == CodeModeName ? ReadMode : WriteMode;
    return SendPacktData(mode, controlModule, static_cast<int>(n));
}

void LinkProtocol::PCtoMCUAckSign(int numm) {
    switch (numm) {
        case SignIdentify:
            SendData(ReadMode, CodeIdentify, 0);
            break;
        case SignPoll:
            SendData(ReadMode, CodeReadBlock, StatusModule);
            break;
        case SignDisconnect:
            SendData(WriteMode, CodeDisconnect, 0x00AA);
            break;
        default:
            break;
    }
}

void LinkProtocol::acknowledged() {
    flags.HandshakeSeen = true;
    flags.DeviceReady = true;
    flags.StepState = 1;
}

void LinkProtocol::ComPortRxChar(std::span<const uint8_t> bytes) {
    m_serialParser.feed(bytes);
}

void LinkProtocol::ClientSocket1Read(std::span<const uint8_t> bytes) {
    // A TCP read may hold part of a frame or several frames: the stream parser cuts them.
    if (linkTransport == TransportTcp) {
        m_tcpParser.feed(bytes);
    }
}

void LinkProtocol::ReceivePacket(LinkTransport transport, std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
        return;
    }
    if (transport != TransportSerial) {
        if (bytes[0] == kShortReplyHead) {
            if (bytes.size() >= 2 && isAcknowledgeCode(bytes[1])) {
                acknowledged();
            }
            return;
        }
        if (bytes[0] != kFrameHead) {
            return;
        }
        flags.StepState = 2;
    }
    if (bytes.size() < 3) {
        flags.StepLost = true;
        m_listener.packetMessage(kPacketLostText);
        return;
    }
    const size_t len = bytes[2];
    const size_t total = len + 3;
    if (bytes.size() < total) {
        flags.StepLost = true;
        m_listener.packetMessage(kPacketLostText);
        return;
    }
    // A frame needs the code word and a checksum (LEN >= 4); anything shorter is damaged.
    if (len < 4) {
        flags.StepLost = true;
        return;
    }
    // USB reports carry zeros after the frame; a serial or TCP unit is exactly one frame.
    const size_t checksumPos = transport == TransportUsb ? len + 2 : bytes.size() - 1;
    const uint8_t expected = frameChecksum(bytes.first(checksumPos));
    if (expected != bytes[checksumPos]) {
        flags.StepLost = true;
        if (transport == TransportUsb) {
            m_listener.packetMessage(kChecksumWrongText);
        }
        return;
    }
    route(bytes.first(checksumPos + 1));
}

void LinkProtocol::route(std::span<const uint8_t> frame) {
    const int module = frame[4];
    const int slot = frame[5];
    const auto data = frame.subspan(6, frame.size() - 7);

    if (module <= 29) {
        // A frame holds at most 251 data bytes: the words fit a fixed buffer.
        std::array<uint16_t, (kMaxFrameData + 1) / 2> words{};
        const size_t count = std::min(data.size() / 2, words.size());
        for (size_t i = 0; i < count; ++i) {
            words[i] = static_cast<uint16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        }
        m_store.StoreDeviceWords(module, slot, std::span<const uint16_t>(words.data(), count));
        return;
    }
    if (module == StatusModule) {
        acknowledged();
        // Byte 16 is the low byte of the status block's value 5, the music pitch.
        constexpr size_t kPitchByte = 16;
        if (slot == 0 && kPitchByte < 6 + data.size()) {
            const int pitch = frame[kPitchByte];
            if (pitch != m_store.deviceValue(ModMusic, 3)) {
                m_store.setDeviceValue(ModMusic, 3, pitch);
                m_listener.pitchChangedOnBox(pitch);
            }
        }
        return;
    }
    routeSystem(frame, data);
}

void LinkProtocol::routeSystem(std::span<const uint8_t> frame, std::span<const uint8_t> data) {
    const int module = frame[4];
    const int slot = frame[5];
    switch (slot) {
        case 0x00:
            storeName(nameCounter - 1, data);
            return;
        case 0x05:
            PanelPassword.assign(data.begin(), data.end());
            return;
        case 0x07:
        case 0x0B:
        case 0x0C:
        case 0x0F:
        case 0x10:
        case 0x30:
            return;
        case 0x16:
            checkIdentity(data);
            return;
        case 0x20:
            storeName(25 + nameCounter, data);
            return;
        case 0x40: {
            if (data.size() < 4) {
                return;
            }
            char text[9];
            std::snprintf(text, sizeof text, "%02X%02X%02X%02X", data[0], data[1], data[2],
                          data[3]);
            m_listener.deviceIdentifier(text);
            return;
        }
        default:
            break;
    }
    if (slot < 48 && module <= SystemModule && data.size() >= 2) {
        m_store.setDeviceValue(module, slot, data[0] | (data[1] << 8));
    }
}

void LinkProtocol::storeName(int index, std::span<const uint8_t> data) {
    // A name whose counter points outside the table is dropped.
    if (index >= 0 && index < kModeNameCount) {
        ModeNames[size_t(index)] = nameFromBytes(data);
    }
}

void LinkProtocol::checkIdentity(std::span<const uint8_t> data) {
    // A reply too short to hold the identity is damaged, not a different model.
    if (data.size() < kModelIdentity.size()) {
        return;
    }
    if (!std::equal(kModelIdentity.begin(), kModelIdentity.end(), data.begin(),
                    [](char c, uint8_t b) { return static_cast<uint8_t>(c) == b; })) {
        m_listener.identityMismatch();
        return;
    }
    const size_t n = std::min(data.size(), size_t(kMaxFrameData));
    std::copy_n(data.begin(), n, m_txData.begin());
    SendPacktData(WriteMode, CodeIdentityEcho, static_cast<int>(n));
}

}  // namespace mz3
