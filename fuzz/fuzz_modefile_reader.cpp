// The mode-file checks fed arbitrary file contents as both kinds. A file the checks accept
// must hold exactly the lines its count says, and checking must never store anything.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ModeFile.h"

namespace {

std::vector<std::string> splitLines(const uint8_t* data, size_t size) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            if (!current.empty() && current.back() == '\r') {
                current.pop_back();
            }
            lines.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (!current.empty()) {
        lines.push_back(current);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> lines = splitLines(data, size);
    for (mz3::ModeFileKind kind : {mz3::KindModeFile, mz3::KindHintFile}) {
        const mz3::ModeFileCheck check = mz3::checkModeFileLines(kind, lines);
        if (check.verdict == mz3::ModeFileCheck::Verdict::Ok &&
            check.values.size() + 4 != lines.size()) {
            std::abort();
        }
    }
    return 0;
}
