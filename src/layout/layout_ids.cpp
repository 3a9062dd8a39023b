#include "layout/layout_ids.h"

#include <cstdio>
#include <mutex>
#include <random>

namespace tessary {

Guid RandomGuid() {
  // One engine seeded once from the random device: the device may be slow or limited,
  // and ids only need to be unique, not secret.
  static std::mutex mutex;
  static std::mt19937_64 engine = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  std::lock_guard lock(mutex);
  const std::uint64_t high = engine();
  const std::uint64_t low = engine();
  Guid guid;
  guid.data1 = static_cast<std::uint32_t>(high >> 32);
  guid.data2 = static_cast<std::uint16_t>(high >> 16);
  guid.data3 = static_cast<std::uint16_t>((high & 0x0FFF) | 0x4000);  // version 4
  for (int i = 0; i < 8; ++i) guid.data4[i] = static_cast<std::uint8_t>(low >> (56 - 8 * i));
  guid.data4[0] = static_cast<std::uint8_t>((guid.data4[0] & 0x3F) | 0x80);  // RFC 4122 variant
  return guid;
}

std::string UserLayoutIdFromGuid(const Guid& guid) {
  char text[64];
  std::snprintf(text, sizeof text, "user-%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(guid.data1), unsigned{guid.data2}, unsigned{guid.data3},
                unsigned{guid.data4[0]}, unsigned{guid.data4[1]}, unsigned{guid.data4[2]},
                unsigned{guid.data4[3]}, unsigned{guid.data4[4]}, unsigned{guid.data4[5]},
                unsigned{guid.data4[6]}, unsigned{guid.data4[7]});
  return text;
}

std::string NewUserLayoutId(const GuidSource& source) {
  return UserLayoutIdFromGuid(source ? source() : RandomGuid());
}

}  // namespace tessary
