#pragma once
// SHA-256 in plain C++, so that a backup copy's digest is the same on every
// build and needs no system library.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tavrel {

class Sha256 {
 public:
  Sha256() noexcept;
  void Add(std::span<const std::byte> bytes) noexcept;
  // The digest of everything added; the object is spent afterwards.
  [[nodiscard]] std::array<std::uint8_t, 32> Finish() noexcept;

 private:
  void Block() noexcept;

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> block_{};
  std::size_t used_ = 0;
  std::uint64_t length_ = 0;  // bytes
};

// The digest as 64 lower-case hex digits.
[[nodiscard]] std::wstring HexDigest(const std::array<std::uint8_t, 32>& digest);

}  // namespace tavrel
