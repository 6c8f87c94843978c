// ReceivePacket fed one arbitrary unit as it would arrive on one transport; built once per
// transport with MZ3_FUZZ_TRANSPORT set to TransportUsb, TransportTcp or TransportSerial.
#include "FuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mz3::fuzz::Harness h;
    // The first byte picks the sequencer's name counter, so name replies land anywhere.
    if (size > 0) {
        h.link.nameCounter = static_cast<int8_t>(data[0]);
        ++data;
        --size;
    }
    h.link.ReceivePacket(mz3::MZ3_FUZZ_TRANSPORT, std::span<const uint8_t>(data, size));
    h.checkInvariants();
    return 0;
}
