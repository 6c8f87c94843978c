// mz3-preset: inspect, check, build and compare the panel's preset files from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ModeFile.h"

namespace mz3::preset {

// Runs one command line (without the program name); returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// What a slot means, where the parameter layout is known ("" otherwise).
std::string describeSlot(int module, int slot);

// The "show" report of a file's raw lines; returns true when every check passed.
bool showLines(ModeFileKind kind, const std::vector<std::string>& rawLines, std::ostream& out);

}  // namespace mz3::preset
