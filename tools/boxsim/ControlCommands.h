// The simulator's control language: one command per line, answered with text lines that end
// with "ok", "end" or "error: ...".
#pragma once

#include <functional>
#include <string>

#include "BoxModel.h"
#include "BoxSession.h"

namespace mz3::boxsim {

class ControlCommands {
public:
    // session returns the session of the connected PC, or null when none is connected.
    // sendStatus sends an unsolicited status frame on that session.
    ControlCommands(BoxModel& model, FaultConfig& faults, std::function<BoxSession*()> session,
                    std::function<void()> sendStatus);

    std::string execute(const std::string& line);

    static std::string helpText();

private:
    std::string setFault(const std::string& name, const std::string& value);

    BoxModel& m_model;
    FaultConfig& m_faults;
    std::function<BoxSession*()> m_session;
    std::function<void()> m_sendStatus;
    bool m_silent = false;
};

}  // namespace mz3::boxsim
