// mz3-preset: command-line access to the panel's preset files.
#include <iostream>

#include "PresetTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return mz3::preset::run(args, std::cout, std::cerr);
}
