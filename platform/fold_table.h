#pragma once

namespace tavrel {

// The registry's upper case of one UTF-16 code unit, read from the committed
// copy of the system's table (fold_table.cpp); anything beyond 0xFFFF is its own.
wchar_t UpcaseFromTable(wchar_t c) noexcept;

}  // namespace tavrel
