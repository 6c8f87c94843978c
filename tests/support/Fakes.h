// Fakes shared by the test executables.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "LinkTypes.h"
#include "ParamFakes.h"

namespace mz3::test {

// Records every frame handed to the link's transport.
class RecordingTransport : public FrameTransport {
public:
    bool writeFrame(LinkTransport transport, std::span<const uint8_t> frame) override {
        frames.emplace_back(frame.begin(), frame.end());
        transports.push_back(transport);
        return succeed;
    }
    std::vector<std::vector<uint8_t>> frames;
    std::vector<LinkTransport> transports;
    bool succeed = true;
};

// Records what the receive side asks of the panel.
class RecordingListener : public ReceiveListener {
public:
    void packetMessage(const std::string& text) override { messages.push_back(text); }
    void deviceIdentifier(const std::string& text) override { deviceId = text; }
    void pitchChangedOnBox(int value) override { pitches.push_back(value); }
    void identityMismatch() override { ++mismatches; }
    std::vector<std::string> messages;
    std::string deviceId;
    std::vector<int> pitches;
    int mismatches = 0;
};

// Parses "F5 C0 06 ..." into bytes.
inline std::vector<uint8_t> hexBytes(const std::string& text) {
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return out;
}

}  // namespace mz3::test
