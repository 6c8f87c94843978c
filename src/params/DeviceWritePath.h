// The narrow interface through which the parameter store hands edits to the device link.
#pragma once

namespace mz3 {

class DeviceWritePath {
public:
    virtual ~DeviceWritePath() = default;
    // One changed parameter in device numbering. The link decides whether it is sent at once,
    // queued until the box answers, or (while offline) dropped.
    virtual void submitWrite(int controlModule, int value) = 0;
    // Makes the following writes wait until the box acknowledges (clears DeviceReady).
    virtual void holdUntilAcknowledged() = 0;
};

}  // namespace mz3
