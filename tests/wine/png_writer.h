#pragma once
// Writes 32-bit BGRA pixels as a PNG file (stored deflate blocks: no
// compression library needed, and any viewer opens it).
#include <cstdint>
#include <string>
#include <vector>

namespace tavrel::e2e {

[[nodiscard]] bool WritePng(const std::wstring& path, int width, int height, const std::vector<std::uint8_t>& bgra);

}  // namespace tavrel::e2e
