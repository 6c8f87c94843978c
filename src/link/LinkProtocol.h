// The wire protocol of the communication controller: builds every frame the PC sends and
// validates and routes every frame the box sends into the parameter store and the link state.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "Frame.h"
#include "LinkTypes.h"
#include "ParameterStore.h"
#include "StreamParser.h"

namespace mz3 {

inline constexpr std::string_view kModelIdentity = "DRK-MZ3";
inline constexpr const char* kPacketLostText = "数据包丢失数据";
inline constexpr const char* kChecksumWrongText = "数据包丢失数据 校验字不正确！";
constexpr int kModeNameCount = 52;
constexpr size_t kTxDataSize = 404;

// Flags the receive side sets for the search, the sequencer and the write queue.
struct ReceiveFlags {
    bool HandshakeSeen = false;  // the box has answered since the search began
    bool DeviceReady = false;    // the box answered the last message
    int StepState = 0;           // 1 after a short reply or status frame, 2 after a data frame
    bool StepLost = false;       // the last reply was incomplete or had a bad checksum
};

class LinkProtocol {
public:
    LinkProtocol(ParameterStore& store, FrameTransport& transport, ReceiveListener& listener);
    LinkProtocol(const LinkProtocol&) = delete;
    LinkProtocol& operator=(const LinkProtocol&) = delete;

    // --- sending ---
    bool SendData(uint8_t wrMode, int controlModule, int highLowByte);
    // Sends TxData[0 .. dataSize-1] as one packet frame. False on a transport write error or
    // when dataSize does not fit a frame (nothing is sent then).
    bool SendPacktData(uint8_t wrMode, int controlModule, int dataSize);
    bool SendStrData(int controlModule, std::u16string_view text);
    void PCtoMCUAckSign(int numm);
    std::array<uint8_t, kTxDataSize>& TxData() { return m_txData; }
    // The transports the frames leave through (the communication controller, once created).
    void setTransport(FrameTransport& transport) { m_transport = &transport; }

    // --- receiving ---
    // One received unit: a serial frame, a HID report's data bytes, or one TCP frame.
    void ReceivePacket(LinkTransport transport, std::span<const uint8_t> bytes);
    // Serial bytes as the port delivers them, in any chunks.
    void ComPortRxChar(std::span<const uint8_t> bytes);
    // TCP bytes as the socket delivers them; discarded unless TCP is the link transport.
    void ClientSocket1Read(std::span<const uint8_t> bytes);
    // Puts the serial parser back to Hunt (a search begins).
    void resetSerialParser() { m_serialParser.reset(); }
    // A new TCP connection starts a new byte stream.
    void resetTcpParser() { m_tcpParser.reset(); }
    const StreamParser& serialParser() const { return m_serialParser; }

    // --- link state owned here and read by the other link parts ---
    LinkTransport linkTransport = TransportUsb;
    int linkState = LinkIdle;
    ReceiveFlags flags;
    // The sequencer's name counter: a name reply is stored under entry (k - 1) or (25 + k).
    int nameCounter = 0;
    // 0 until the first completed load since the last search began, then 1, then 2 once the
    // panel-lock prompt has been shown.
    int FirstLinkStage = 0;
    std::array<std::string, kModeNameCount> ModeNames;
    std::string PanelPassword;

private:
    void acknowledged();
    void route(std::span<const uint8_t> frame);
    void routeSystem(std::span<const uint8_t> frame, std::span<const uint8_t> data);
    void checkIdentity(std::span<const uint8_t> data);
    void storeName(int index, std::span<const uint8_t> data);

    ParameterStore& m_store;
    FrameTransport* m_transport;
    ReceiveListener& m_listener;
    std::array<uint8_t, kTxDataSize> m_txData{};
    StreamParser m_serialParser;
    StreamParser m_tcpParser;
};

}  // namespace mz3
