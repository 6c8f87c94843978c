// The four left/right channel pairs that the box can link: their states, the switch each
// writes, and the left-to-right copy the panel makes in its own image.
#pragma once

#include <array>

#include "ParameterStore.h"

namespace mz3 {

enum ChannelPair : int { MusicPair = 0, MicPair = 1, MainPair = 2, SurroundPair = 3 };
enum LinkSide : int { SideLeft = 0, SideLinked = 1, SideRight = 2 };

class ChannelLinks {
public:
    int state(ChannelPair pair) const { return m_state[size_t(pair)]; }
    void setState(ChannelPair pair, int side) { m_state[size_t(pair)] = side; }

    // Panel address of the link switch the box keeps for the pair.
    static int switchAddress(ChannelPair pair);

    // The left side copied onto the right side in DeviceValues; nothing is sent (the box
    // makes the same copy when it receives the switch). Delay and level stay per side.
    static void CopyChannel(ChannelPair pair, ParameterStore& store);

    // After a refresh loaded PanelValues: a switch that is on links the pair; a switch that is
    // off releases a linked pair to the left side and leaves a chosen side alone.
    void derive(const ParameterStore& store);

private:
    std::array<int, 4> m_state{};
};

}  // namespace mz3
