#include "BoxResponder.h"

#include <algorithm>
#include <string>

namespace mz3::boxsim {

namespace {

constexpr int kStatusValues = 8;

std::vector<uint8_t> textBytes(const std::string& s) {
    return {s.begin(), s.end()};
}

}  // namespace

Bytes BoxResponder::valueReply(int code, uint16_t value) const {
    return buildValueFrame(WriteMode, code, value);
}

Bytes BoxResponder::statusFrame() const {
    // The status block: value 5 carries the music pitch in its low byte.
    std::vector<uint8_t> data(2 * kStatusValues, 0);
    const uint16_t values[kStatusValues] = {1,
                                            m_model.value(SystemModule, 2),
                                            m_model.value(SystemModule, 4),
                                            m_model.value(ModMusic, 86),
                                            m_model.value(ModMusic, 88),
                                            m_model.value(ModMusic, 3),
                                            m_model.value(ModSystemVolume, 0),
                                            m_model.value(ModSystemVolume, 1)};
    for (int i = 0; i < kStatusValues; ++i) {
        data[size_t(2 * i)] = static_cast<uint8_t>(values[i] & 0xFF);
        data[size_t(2 * i + 1)] = static_cast<uint8_t>(values[i] >> 8);
    }
    return buildPacketFrame(WriteMode, StatusModule * 256, data);
}

std::vector<Bytes> BoxResponder::readBlock(int module, int startSlot) {
    if (module == StatusModule) {
        m_events.polledStatus = true;
        return {statusFrame()};
    }
    if (module < 0 || module >= kModuleCount) {
        return {ack(0xCC)};
    }
    const int used = SlotCount[size_t(module)];
    int count = std::max(0, used - startSlot);
    if (m_usb) {
        count = std::min(count, 25);
    }
    std::vector<uint8_t> data;
    data.reserve(size_t(2 * count));
    for (int i = 0; i < count; ++i) {
        const uint16_t v = m_model.value(module, startSlot + i);
        data.push_back(static_cast<uint8_t>(v & 0xFF));
        data.push_back(static_cast<uint8_t>(v >> 8));
    }
    return {buildPacketFrame(WriteMode, module * 256 + startSlot, data)};
}

std::vector<Bytes> BoxResponder::systemRead(int slot, std::span<const uint8_t> data) {
    switch (slot) {
        case 0x00: {
            const int index = data.empty() ? 0 : data[0];
            const std::string name =
                index < kModeCount ? m_model.modes()[size_t(index)].name : std::string();
            return {buildPacketFrame(WriteMode, CodeModeName, textBytes(name))};
        }
        case 0x05:
            return {buildPacketFrame(WriteMode, CodePanelPassword, textBytes(m_model.password))};
        case 0x16: {
            std::string id = m_wrongIdentity ? std::string("DRK-MZ2") : m_model.identity;
            id += "V1.2";
            return {buildPacketFrame(WriteMode, CodeIdentify, textBytes(id))};
        }
        case 0x20: {
            const int index = data.empty() ? 0 : data[0];
            const std::string name =
                index < kModeCount ? m_model.hintModes()[size_t(index)].name : std::string();
            return {buildPacketFrame(WriteMode, CodeHintName, textBytes(name))};
        }
        default:
            break;
    }
    if (slot < kSlotCapacity) {
        return {valueReply(SystemModule * 256 + slot, m_model.value(SystemModule, slot))};
    }
    return {ack(0xCC)};
}

std::vector<Bytes> BoxResponder::respond(std::span<const uint8_t> frame) {
    if (frame.size() < 7) {
        return {};
    }
    const uint8_t mode = frame[3];
    const int module = frame[4];
    const int slot = frame[5];
    const auto data = frame.subspan(6, frame.size() - 7);
    const auto word = [&](size_t i) -> uint16_t {
        return i + 1 < data.size() ? static_cast<uint16_t>(data[i] | (data[i + 1] << 8)) : 0;
    };

    if (module != SystemModule) {
        // A single parameter write.
        if (mode == WriteMode && data.size() >= 2 && module < kModuleCount) {
            m_model.setValue(module, slot, word(0));
            return {ack()};
        }
        return {ack(0xCC)};
    }

    const int code = module * 256 + slot;
    if (mode == ReadMode) {
        if (code == CodeReadBlock) {
            return readBlock(data.empty() ? 0 : data[0], data.size() > 1 ? data[1] : 0);
        }
        return systemRead(slot, data);
    }

    switch (code) {
        case CodeModeSave: {
            if (data.empty()) {
                return {ack(0xCC)};
            }
            std::string name(data.begin() + 1, data.end());
            // The PC pads with spaces; a missing second character arrives as 0.
            while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) {
                name.pop_back();
            }
            if (!name.empty() && name.front() == '\0') {
                name.erase(0, 1);
            }
            m_model.saveMode(data[0], name);
            return {ack(0xAA)};
        }
        case CodeModeRecall:
            m_model.recallMode(word(0));
            return {ack()};
        case CodePanelPassword:
            m_model.password.assign(data.begin(), data.end());
            return {ack()};
        case CodeWriteBlock: {
            if (data.size() < 2) {
                return {ack(0xCC)};
            }
            const int m = data[0];
            const int start = data[1];
            for (size_t i = 2; i + 1 < data.size(); i += 2) {
                m_model.setValue(m, start + int(i - 2) / 2, word(i));
            }
            return {ack()};
        }
        case CodeIdentityEcho: {
            m_events.identified = true;
            // The box follows a good echo with its device identifier.
            const auto& id = m_model.deviceId;
            return {ack(), buildPacketFrame(WriteMode, SystemModule * 256 + 0x40,
                                            std::vector<uint8_t>(id.begin(), id.end()))};
        }
        case CodeHintSave: {
            if (data.empty()) {
                return {ack(0xCC)};
            }
            m_model.saveHintMode(data[0], std::string(data.begin() + 1, data.end()));
            return {ack(0xAA)};
        }
        case CodeHintRecall:
            m_model.recallHintMode(word(0));
            return {ack()};
        case CodeDisconnect:
            m_events.disconnected = true;
            return {ack()};
        default:
            break;
    }
    // Any other system slot written as a value (the lock switch, for one).
    if (data.size() >= 2) {
        m_model.setValue(SystemModule, slot, word(0));
        return {ack()};
    }
    return {ack(0xCC)};
}

}  // namespace mz3::boxsim
