// "mz3-preset show" on arbitrary file contents: the report is built for any input.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "PresetTool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else if (data[i] != '\r') {
            lines.back().push_back(static_cast<char>(data[i]));
        }
    }
    std::ostringstream out;
    mz3::preset::showLines(size % 2 == 0 ? mz3::KindModeFile : mz3::KindHintFile, lines, out);
    if (out.str().find("verdict: ") == std::string::npos) {
        std::abort();
    }
    return 0;
}
