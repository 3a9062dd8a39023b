#pragma once

// SHA-256 (FIPS 180-4). Imported layouts take their ids from the digest of their name and
// tree, so the same layout always gets the same id on every machine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessary {

class Sha256 {
 public:
  Sha256();

  void Update(const void* data, std::size_t size);
  void Update(std::string_view text) { Update(text.data(), text.size()); }

  // The eight words of the digest; the object must not be updated afterwards.
  std::array<std::uint32_t, 8> Finish();

 private:
  void Compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
  std::uint64_t total_bytes_ = 0;
};

// The digest of `text` as 64 lower-case hexadecimal digits, word by word.
std::string Sha256Hex(std::string_view text);

}  // namespace tessary
