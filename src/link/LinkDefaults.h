// Fixed endpoints of the box.
#pragma once

namespace mz3 {

// The box's network bridge answers on this private address out of the box. The panel only
// prefills its address box with it; tests and demos always pass --host 127.0.0.1.
inline constexpr const char* kDefaultBridgeHost = "10.10.100.254";
inline constexpr int kDefaultTcpPort = 8899;

// USB identity of the box.
inline constexpr unsigned short kUsbVendorId = 0x2B5D;
inline constexpr unsigned short kUsbProductId = 0x0E63;

}  // namespace mz3
