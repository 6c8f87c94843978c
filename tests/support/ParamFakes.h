// Fakes for the parameter store's link side.
#pragma once

#include <utility>
#include <vector>

#include "DeviceWritePath.h"

namespace mz3::test {

// Records the writes the parameter store hands to the link.
class RecordingWritePath : public DeviceWritePath {
public:
    void submitWrite(int controlModule, int value) override {
        writes.emplace_back(controlModule, value);
    }
    void holdUntilAcknowledged() override { ++holds; }
    std::vector<std::pair<int, int>> writes;
    int holds = 0;
};

}  // namespace mz3::test
