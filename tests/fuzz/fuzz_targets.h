#pragma once
// The fuzz targets' bodies: each runs one subsystem on whatever the bytes describe and aborts (so that
// libFuzzer keeps the input) when a rule that holds for every input breaks. fuzz_replay_test replays them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

namespace tavrel::fuzz {

void FuzzUserWatchList(const std::uint8_t* data, std::size_t size);
void FuzzChangeRows(const std::uint8_t* data, std::size_t size);

inline void FuzzCheck(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "fuzz rule broken: %s\n", rule);
  std::abort();
}

// Takes the bytes apart; reading past the end gives zeros and empty texts.
struct FuzzInput {
  const std::uint8_t* data;
  std::size_t size, position = 0;

  bool Empty() const noexcept { return position >= size; }
  std::uint8_t Byte() noexcept { return Empty() ? 0 : data[position++]; }
  std::uint16_t Number16() noexcept {
    const unsigned low = Byte();  // first: the two reads must not swap
    return static_cast<std::uint16_t>(low | (static_cast<unsigned>(Byte()) << 8u));
  }
  std::string Bytes(std::size_t length) {  // fewer when the input ends
    const std::size_t start = std::min(position, size);
    position = start + std::min(length, size - start);
    return {reinterpret_cast<const char*>(data) + start, position - start};
  }
  // A header byte: bits 0-1 how bytes become characters (1: UTF-16LE units, lone surrogates included;
  // 2: one byte picks a character that breaks formats; else Latin-1), bits 2-6 how many (31: a count
  // byte follows), bit 7 that a byte follows repeating the piece 1 + 64 times that, for long names.
  std::wstring Text(std::size_t maxLength) {
    static constexpr wchar_t kAlphabet[] = {
        L'\t',     L'\r',     L'\n',     L'\0', L'\\',     L' ', L'\'', L'a', L'A', L'=', L'\x00E9', L'\x00C9',
        L'\x0416', L'\x0436', L'\x0131', L'I',  L'\xD800', L'?', L'M',  L'O', L'N', L'T', L'R',      L'\x20AC'};
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
};

}  // namespace tavrel::fuzz
