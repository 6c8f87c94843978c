// The serial and TCP stream parsers fed the same bytes in arbitrary chunks: the chunking must
// never change what is stored.
#include <cstring>
#include <vector>

#include "FuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    // Byte 0 seeds the chunk sizes, byte 1 the name counter; the rest is the stream.
    unsigned seed = data[0];
    const int counter = data[1] % 60;
    const std::span<const uint8_t> stream(data + 2, size - 2);

    mz3::fuzz::Harness whole;
    whole.link.nameCounter = counter;
    whole.link.ComPortRxChar(stream);

    mz3::fuzz::Harness serial;
    mz3::fuzz::Harness tcp;
    serial.link.nameCounter = counter;
    tcp.link.nameCounter = counter;
    tcp.link.linkTransport = mz3::TransportTcp;
    size_t pos = 0;
    while (pos < stream.size()) {
        seed = seed * 1103515245u + 12345u;
        const size_t n = std::min<size_t>(stream.size() - pos, 1 + (seed >> 16) % 17);
        serial.link.ComPortRxChar(stream.subspan(pos, n));
        tcp.link.ClientSocket1Read(stream.subspan(pos, n));
        pos += n;
    }
    for (const auto* h : {&serial, &tcp}) {
        h->checkInvariants();
        if (h->store.DeviceValues() != whole.store.DeviceValues() ||
            h->link.ModeNames != whole.link.ModeNames ||
            h->link.PanelPassword != whole.link.PanelPassword) {
            std::abort();
        }
    }
    return 0;
}
