#pragma once
// Takes a fuzzer's bytes apart into the pieces a target needs. Reading past
// the end gives zeros and empty texts, so every input means something.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) noexcept : data_(data), size_(size) {}

  [[nodiscard]] bool Empty() const noexcept { return position_ >= size_; }
  [[nodiscard]] std::uint8_t Byte() noexcept { return Empty() ? 0 : data_[position_++]; }
  [[nodiscard]] std::uint16_t Number16() noexcept {
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
  }
  // Up to length bytes (fewer when the input ends).
  [[nodiscard]] std::string Bytes(std::size_t length) {
    const std::size_t taken = std::min(length, size_ - std::min(position_, size_));
    std::string bytes(reinterpret_cast<const char*>(data_ + position_), taken);
    position_ += taken;
    return bytes;
  }
  [[nodiscard]] std::string Rest() { return Bytes(size_); }

  // A text the registry or a file could hold: a header byte chooses how the
  // following bytes become characters and whether the piece repeats, so that
  // a short input can make a name of thousands of characters.
  //   bits 0-1: 0 and 3 = one byte per character (Latin-1), 1 = UTF-16LE code
  //             units (surrogate halves included), 2 = one byte per character
  //             from a small alphabet of characters that break formats;
  //   bits 2-6: length of the piece in its units (0-31), 31 meaning a length byte follows;
  //   bit 7:    a repeat byte follows: the piece repeats 1 + 64 * that many times.
  [[nodiscard]] std::wstring Text(std::size_t maxLength) {
    const std::uint8_t header = Byte();
    std::size_t length = (header >> 2) & 0x1F;
    if (length == 0x1F) length = Byte();
    const std::size_t repeats = (header & 0x80) != 0 ? 1 + 64 * static_cast<std::size_t>(Byte()) : 1;
    std::wstring piece;
    for (std::size_t i = 0; i < length && !Empty(); ++i) {
      switch (header & 3) {
        case 1:
          piece.push_back(static_cast<wchar_t>(Number16()));
          break;
        case 2:
          piece.push_back(kAlphabet[Byte() % (sizeof(kAlphabet) / sizeof(kAlphabet[0]))]);
          break;
        default:
          piece.push_back(static_cast<wchar_t>(Byte()));
          break;
      }
    }
    std::wstring text;
    for (std::size_t r = 0; r < repeats && text.size() < maxLength; ++r) text += piece;
    if (text.size() > maxLength) text.resize(maxLength);
    return text;
  }

 private:
  // TAB, CR, LF, NUL, the path separator, spaces, an apostrophe (comment
  // lines), letters whose case folds beyond ASCII, one that the ANSI code
  // page cannot hold, a lone surrogate, and the label of monitor lines.
  static constexpr wchar_t kAlphabet[] = {
      L'\t', L'\r', L'\n', L'\0', L'\\', L' ', L'\'', L'a', L'A', L'=', L'\x00E9', L'\x00C9',
      L'\x0416', L'\x0436', L'\x0131', L'I', L'\xD800', L'?', L'M', L'O', L'N', L'T', L'R', L'\x20AC'};

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace tavrel::fuzz
