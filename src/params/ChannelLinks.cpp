#include "ChannelLinks.h"

namespace mz3 {

int ChannelLinks::switchAddress(ChannelPair pair) {
    switch (pair) {
        case MusicPair:
            return makeAddress(ModMusic, 8);
        case MicPair:
            return makeAddress(ModMicA, 13);
        case MainPair:
            return makeAddress(ModMusic, 89);
        case SurroundPair:
            break;
    }
    return makeAddress(ModMusic, 90);
}

void ChannelLinks::CopyChannel(ChannelPair pair, ParameterStore& store) {
    auto copyModule = [&](int from, int to, bool keepDelayAndLevel) {
        for (int s = 0; s < SlotCount[size_t(from)]; ++s) {
            if (keepDelayAndLevel && (s == 10 || s == 11)) {
                continue;
            }
            store.setDeviceValue(to, s, store.deviceValue(from, s));
        }
    };
    switch (pair) {
        case MusicPair:
            // The music EQ: module 0 slots 10..84 to module 1 slots 0..74.
            for (int s = 10; s <= 84; ++s) {
                store.setDeviceValue(ModMusicRightEq, s - 10, store.deviceValue(ModMusic, s));
            }
            break;
        case MicPair:
            copyModule(ModMicA, ModMicB, false);
            break;
        case MainPair:
            copyModule(8, 10, true);  // both banks in one pass
            copyModule(9, 11, true);
            break;
        case SurroundPair:
            copyModule(12, 14, true);
            copyModule(13, 15, true);
            break;
    }
}

void ChannelLinks::derive(const ParameterStore& store) {
    for (ChannelPair pair : {MusicPair, MicPair, MainPair, SurroundPair}) {
        int& s = m_state[size_t(pair)];
        if (store.panelValue(switchAddress(pair)) == 1) {
            s = SideLinked;
        } else if (s == SideLinked) {
            s = SideLeft;
        }
    }
}

}  // namespace mz3
