#pragma once
// Text helpers shared by every subsystem. Text is held as wide strings; the
// registry sees it unchanged (wide entry points), the two watch-list files in
// the ANSI code page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Folds one UTF-16 code unit as the registry compares names: its upper case by
// the registry's own table (the system's on Windows, a committed copy of it
// elsewhere). Two names are the same registry name exactly when their folds are.
wchar_t FoldCase(wchar_t c) noexcept;
// FoldCase of every code unit, then ASCII capitals written small, so that the
// result meets lower-case keywords; other letters stay in their folded (upper)
// form. Equal results mean equal registry names.
std::wstring ToLower(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b) noexcept;

// Splits at every separator; an empty text gives one empty field.
std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator);
std::wstring Join(const std::vector<std::wstring>& fields, std::wstring_view separator);
// Removes leading and trailing space characters (0x20) only; TABs stay.
std::wstring_view TrimSpaces(std::wstring_view text) noexcept;
// The low digits hex digits of value, leading zeros kept.
enum class HexCase { Lower, Upper };
std::wstring Hex(std::uint64_t value, std::size_t digits, HexCase letters = HexCase::Lower);

// ANSI code page conversion: the system's on Windows, Windows-1252 elsewhere.
// Characters the code page cannot hold become '?'.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

}  // namespace tavrel
