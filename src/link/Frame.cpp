#include "Frame.h"

#include <algorithm>

namespace mz3 {

uint8_t frameChecksum(std::span<const uint8_t> frameWithoutChecksum) {
    unsigned sum = frameWithoutChecksum.empty() ? 0 : frameWithoutChecksum[0];
    for (size_t i = 3; i < frameWithoutChecksum.size(); ++i) {
        sum += frameWithoutChecksum[i];
    }
    return static_cast<uint8_t>(sum & 0xFF);
}

Bytes buildPacketFrame(uint8_t wrMode, int controlModule, std::span<const uint8_t> data) {
    if (data.size() > static_cast<size_t>(kMaxFrameData)) {
        return {};
    }
    Bytes frame;
    frame.reserve(data.size() + 7);
    frame.push_back(kFrameHead);
    frame.push_back(kFrameSecondHead);
    frame.push_back(static_cast<uint8_t>(data.size() + 4));
    frame.push_back(wrMode);
    frame.push_back(static_cast<uint8_t>((controlModule / 256) & 0xFF));
    frame.push_back(static_cast<uint8_t>((controlModule % 256) & 0xFF));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(frameChecksum(frame));
    return frame;
}

Bytes buildValueFrame(uint8_t wrMode, int controlModule, int value) {
    const uint8_t data[2] = {static_cast<uint8_t>((value % 256) & 0xFF),
                             static_cast<uint8_t>((value / 256) & 0xFF)};
    return buildPacketFrame(wrMode, controlModule, data);
}

Bytes buildUsbReport(std::span<const uint8_t> frame, size_t outputReportLength) {
    const size_t carried = std::min(frame.size(), kUsbReportFrameBytes);
    Bytes report(std::max(outputReportLength, carried + 1), 0);
    report[0] = 0x00;
    std::copy_n(frame.begin(), carried, report.begin() + 1);
    return report;
}

}  // namespace mz3
