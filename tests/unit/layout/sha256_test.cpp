#include "layout/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tessary {
namespace {

// The standard vectors, and lengths around the padding boundary: 55 bytes still fit the
// length in the last block (56, as in the two-block vector, need another); 63 and 64 end
// at a block's edge.
TEST(Sha256, KnownDigests) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqr"
       "lmnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
      {std::string(63, 'x'), "75220b47218278e656f2013bb8f0c455a25eaf01e86c64924e9d48d89776d6f2"},
      {std::string(64, 'x'), "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c"},
  };
  for (const auto& [text, digest] : cases) EXPECT_EQ(Sha256Hex(text), digest) << text.size();
}

TEST(Sha256, OneMillionLettersFedInUnevenPieces) {
  const std::string piece(997, 'a');  // a prime, so pieces straddle block boundaries
  Sha256 hash;
  std::size_t fed = 0;
  while (fed < 1000000) {
    const std::size_t take = std::min(piece.size(), 1000000 - fed);
    hash.Update(piece.data(), take);
    fed += take;
  }
  const auto words = hash.Finish();
  EXPECT_EQ(words[0], 0xcdc76e5cu);
  EXPECT_EQ(words[7], 0xc7112cd0u);
  EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace tessary
