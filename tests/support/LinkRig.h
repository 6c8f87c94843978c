// A test fixture with the link core on fakes: a store, a recording transport and listener, the
// protocol, and fake timers and view for the link's state machines.
#pragma once

#include <gtest/gtest.h>

#include "LinkProtocol.h"
#include "support/Fakes.h"
#include "support/LinkFakes.h"

namespace mz3::test {

class LinkFixture : public ::testing::Test {
protected:
    ParameterStore store;
    RecordingTransport transport;
    RecordingListener listener;
    LinkProtocol link{store, transport, listener};
    FakeTimers timers;
    FakeView view;
    std::vector<int> actions;  // link actions asked for
};

}  // namespace mz3::test
