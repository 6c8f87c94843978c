// Byte layout of the frames exchanged with the box: packet frames, value frames, checksum and
// the USB output report that carries a frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace mz3 {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kFrameHead = 0xF5;
constexpr uint8_t kFrameSecondHead = 0xC0;
constexpr uint8_t kShortReplyHead = 0xEE;
constexpr uint8_t WriteMode = 0xB7;
constexpr uint8_t ReadMode = 0xB0;
constexpr int kMaxFrameData = 251;  // LEN = N + 4 must fit one byte
constexpr size_t kUsbReportFrameBytes = 64;

// System codes of module 30.
enum SystemCode : int {
    CodeModeName = 0x1E00,
    CodeModeSave = 0x1E01,
    CodeModeRecall = 0x1E02,
    CodePanelPassword = 0x1E05,
    CodeWriteBlock = 0x1E0F,
    CodeReadBlock = 0x1E10,
    CodeIdentify = 0x1E16,
    CodeIdentityEcho = 0x1E17,
    CodeHintName = 0x1E20,
    CodeHintSave = 0x1E21,
    CodeHintRecall = 0x1E22,
    CodeDisconnect = 0x1E30,
};

// True for the second byte of an acknowledgement EE BB / EE AA / EE CC.
constexpr bool isAcknowledgeCode(uint8_t b) {
    return b == 0xBB || b == 0xAA || b == 0xCC;
}

// Sum of byte 0 and bytes 3 .. end-1 of a frame, mod 256 (bytes 1 and 2 are not summed).
uint8_t frameChecksum(std::span<const uint8_t> frameWithoutChecksum);

// A packet frame with the given data bytes; an empty result when there are more than 251.
Bytes buildPacketFrame(uint8_t wrMode, int controlModule, std::span<const uint8_t> data);
inline Bytes buildPacketFrame(uint8_t wrMode, int controlModule,
                              std::initializer_list<uint8_t> data) {
    return buildPacketFrame(wrMode, controlModule,
                            std::span<const uint8_t>(data.begin(), data.size()));
}

// The 9-byte value frame: value low byte then high byte (division truncating toward zero).
Bytes buildValueFrame(uint8_t wrMode, int controlModule, int value);

// The HID output report for a frame: report ID 0, the frame cut at 64 bytes, zeros up to
// outputReportLength.
Bytes buildUsbReport(std::span<const uint8_t> frame, size_t outputReportLength);

}  // namespace mz3
