#include "ControlCommands.h"

#include <cstdio>
#include <sstream>

namespace mz3::boxsim {

namespace {

std::string hex(const Bytes& bytes) {
    std::string s;
    char b[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(b, sizeof b, i == 0 ? "%02X" : " %02X", bytes[i]);
        s += b;
    }
    return s;
}

}  // namespace

ControlCommands::ControlCommands(BoxModel& model, FaultConfig& faults,
                                 std::function<BoxSession*()> session,
                                 std::function<void()> sendStatus)
    : m_model(model),
      m_faults(faults),
      m_session(std::move(session)),
      m_sendStatus(std::move(sendStatus)) {}

std::string ControlCommands::helpText() {
    return "Control commands (one per line):\n"
           "  silent | resume         stop / start answering the PC\n"
           "  set M S V               change module M slot S to V as on the box's front panel\n"
           "                          (M S V in decimal; 0 3 V is the music pitch, which the\n"
           "                          box also announces with a status frame)\n"
           "  get M S                 print one value\n"
           "  dump                    print every used slot as 'module slot value', then 'end'\n"
           "  frames                  print the frames received as 'ms HEX', then 'end'\n"
           "  clear-frames            forget the frames received\n"
           "  names                   print the 16 device-mode and 16 hint-mode names\n"
           "  password                print the panel password\n"
           "  status                  send an unsolicited status frame now\n"
           "  fault NAME VALUE        set a fault: drop-every N, drop-prob P, corrupt-every N,\n"
           "                          corrupt-prob P, split N, split-delay MS, merge 0|1,\n"
           "                          delay MS, silent-after N, silent-after-online 0|1,\n"
           "                          wrong-identity 0|1, seed N\n"
           "  faults-off              clear every fault\n"
           "  help                    this text\n";
}

std::string ControlCommands::setFault(const std::string& name, const std::string& value) {
    try {
        if (name == "drop-every") {
            m_faults.dropEvery = std::stoi(value);
        } else if (name == "drop-prob") {
            m_faults.dropProbability = std::stod(value);
        } else if (name == "corrupt-every") {
            m_faults.corruptEvery = std::stoi(value);
        } else if (name == "corrupt-prob") {
            m_faults.corruptProbability = std::stod(value);
        } else if (name == "split") {
            m_faults.splitMax = std::stoi(value);
        } else if (name == "split-delay") {
            m_faults.splitDelayMs = std::stoi(value);
        } else if (name == "merge") {
            m_faults.merge = std::stoi(value) != 0;
        } else if (name == "delay") {
            m_faults.delayMs = std::stoi(value);
        } else if (name == "silent-after") {
            m_faults.silentAfterFrames = std::stoi(value);
        } else if (name == "silent-after-online") {
            m_faults.silentAfterOnline = std::stoi(value) != 0;
        } else if (name == "wrong-identity") {
            m_faults.wrongIdentity = std::stoi(value) != 0;
        } else if (name == "seed") {
            m_faults.seed = static_cast<uint32_t>(std::stoul(value));
        } else {
            return "error: unknown fault " + name + "\n";
        }
    } catch (const std::exception&) {
        return "error: bad value " + value + "\n";
    }
    if (BoxSession* s = m_session()) {
        s->setFaults(m_faults);
    }
    return "ok\n";
}

std::string ControlCommands::execute(const std::string& line) {
    std::istringstream in(line);
    std::string cmd;
    in >> cmd;
    BoxSession* session = m_session();
    if (cmd.empty()) {
        return "";
    }
    if (cmd == "help") {
        return helpText() + "ok\n";
    }
    if (cmd == "silent" || cmd == "resume") {
        m_silent = cmd == "silent";
        if (session != nullptr) {
            session->setSilent(m_silent);
        }
        return "ok\n";
    }
    if (cmd == "set") {
        int m = -1;
        int s = -1;
        long v = -1;
        if (!(in >> m >> s >> v) || m < 0 || m >= kModuleCount || s < 0 || s >= kSlotCapacity ||
            v < 0 || v > 0xFFFF) {
            return "error: usage set MODULE SLOT VALUE\n";
        }
        m_model.setValue(m, s, static_cast<uint16_t>(v));
        if (m == ModMusic && s == 3 && m_sendStatus) {
            m_sendStatus();
        }
        return "ok\n";
    }
    if (cmd == "get") {
        int m = -1;
        int s = -1;
        if (!(in >> m >> s) || m < 0 || m >= kModuleCount || s < 0 || s >= kSlotCapacity) {
            return "error: usage get MODULE SLOT\n";
        }
        return std::to_string(m_model.value(m, s)) + "\nok\n";
    }
    if (cmd == "dump") {
        std::string out;
        for (int m = 0; m < kModuleCount; ++m) {
            for (int s = 0; s < SlotCount[size_t(m)]; ++s) {
                out += std::to_string(m) + " " + std::to_string(s) + " " +
                       std::to_string(m_model.value(m, s)) + "\n";
            }
        }
        return out + "end\n";
    }
    if (cmd == "frames") {
        std::string out;
        if (session != nullptr) {
            for (const ReceivedFrame& f : session->received()) {
                out += std::to_string(f.timestampMs) + " " + hex(f.bytes) + "\n";
            }
        }
        return out + "end\n";
    }
    if (cmd == "clear-frames") {
        if (session != nullptr) {
            session->clearReceived();
        }
        return "ok\n";
    }
    if (cmd == "names") {
        std::string out;
        for (int i = 0; i < kModeCount; ++i) {
            out += "mode " + std::to_string(i) + " " + m_model.modes()[size_t(i)].name + "\n";
        }
        for (int i = 0; i < kModeCount; ++i) {
            out += "hint " + std::to_string(i) + " " + m_model.hintModes()[size_t(i)].name + "\n";
        }
        return out + "end\n";
    }
    if (cmd == "password") {
        return m_model.password + "\nok\n";
    }
    if (cmd == "status") {
        if (m_sendStatus) {
            m_sendStatus();
        }
        return "ok\n";
    }
    if (cmd == "fault") {
        std::string name;
        std::string value;
        if (!(in >> name >> value)) {
            return "error: usage fault NAME VALUE\n";
        }
        return setFault(name, value);
    }
    if (cmd == "faults-off") {
        const uint32_t seed = m_faults.seed;
        m_faults = FaultConfig{};
        m_faults.seed = seed;
        if (session != nullptr) {
            session->setFaults(m_faults);
        }
        return "ok\n";
    }
    return "error: unknown command " + cmd + " (try help)\n";
}

}  // namespace mz3::boxsim
