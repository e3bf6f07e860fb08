#pragma once
// Takes a fuzzer's bytes apart into the pieces a target needs. Reading past
// the end gives zeros and empty texts, so every input means something.
#include <algorithm>
#include <cstdint>
#include <iterator>
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
  // Up to length bytes, fewer when the input ends.
  [[nodiscard]] std::string Bytes(std::size_t length) {
    const std::size_t start = std::min(position_, size_);
    position_ = start + std::min(length, size_ - start);
    return {reinterpret_cast<const char*>(data_) + start, position_ - start};
  }
  // A header byte, then the characters: bits 0-1 say how bytes become them
  // (1: UTF-16LE code units, lone surrogates included; 2: one byte picks from
  // characters that break formats; else Latin-1), bits 2-6 how many (31: a
  // count byte follows), bit 7 that a byte follows which repeats the piece
  // 1 + 64 times that many, so that a short input makes a long name.
  [[nodiscard]] std::wstring Text(std::size_t maxLength) {
    const std::uint8_t header = Byte();
    const std::size_t length = ((header >> 2) & 0x1F) == 0x1F ? Byte() : (header >> 2) & 0x1F;
    const std::size_t repeats = (header & 0x80) != 0 ? 1 + 64 * static_cast<std::size_t>(Byte()) : 1;
    std::wstring piece, text;
    for (std::size_t i = 0; i < length && !Empty(); ++i) {
      piece.push_back((header & 3) == 1   ? static_cast<wchar_t>(Number16())
                      : (header & 3) == 2 ? kAlphabet[Byte() % std::size(kAlphabet)]
                                          : static_cast<wchar_t>(Byte()));
    }
    for (std::size_t r = 0; r < repeats && text.size() < maxLength; ++r) text += piece;
    return text.substr(0, maxLength);
  }

 private:
  static constexpr wchar_t kAlphabet[] = {L'\t', L'\r', L'\n', L'\0', L'\\', L' ', L'\'', L'a', L'A', L'=', L'\x00E9', L'\x00C9',
                                          L'\x0416', L'\x0436', L'\x0131', L'I', L'\xD800', L'?', L'M', L'O', L'N', L'T', L'R', L'\x20AC'};
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace tavrel::fuzz
