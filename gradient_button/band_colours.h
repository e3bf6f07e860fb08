#pragma once
// The colours of a vertical gradient's bands, a pure function of its ends.
#include <cstdint>
#include <vector>

#include "ui/surface.h"

namespace tavrel {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] double RoundHalfEven(double value);

// Colours of a face `rounded_height` twips high painted in 8-twip bands,
// entry i for the band starting at y = 8 i. There are rounded_height div 8 + 1
// entries (none for a negative count). Entry i is top + (i + 1) steps, each
// channel held within 0..255: the first band is already one step from the top
// colour, entry N - 1 is the bottom colour, and entry N lies a step beyond it.
//
// Colours are split into channels as they stand: a system colour 0x800000nn
// is not resolved, so nn becomes its red channel.
//
// Below 8 twips there are no steps to take (N is 0): the single band keeps
// the top colour, as the face would show with the steps left out.
[[nodiscard]] std::vector<Colour> GradientBandColours(Colour top, Colour bottom, std::int64_t rounded_height);

}  // namespace tavrel
