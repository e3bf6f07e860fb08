#pragma once
// The fuzz targets' bodies. Each takes any bytes, runs one subsystem on what
// they describe and checks what must hold whatever the input; a broken rule
// is reported by FuzzCheck, which aborts so that libFuzzer keeps the input.
// The same bodies replay the corpus in the ordinary test run (fuzz_replay_test).
#include <cstddef>
#include <cstdint>

namespace tavrel::fuzz {

// Both watch-list files from any bytes: "tavrel.ini" and "tavrel-user.ini",
// either missing or unreadable.
void FuzzWatchListLoader(const std::uint8_t* data, std::size_t size);
// Appends and removals of the user watch-list writer on any file content.
void FuzzUserWatchList(const std::uint8_t* data, std::size_t size);
// A watched key and its backup copy with any names, types and data; Compare
// builds the rows, the review dialog's OK action applies them with any check
// marks, and a second Compare must then find nothing left to report.
void FuzzChangeRows(const std::uint8_t* data, std::size_t size);

// Aborts with the rule's text when it does not hold.
void FuzzCheck(bool holds, const char* rule);

}  // namespace tavrel::fuzz
