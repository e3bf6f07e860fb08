#pragma once
// Building expected drawing calls, and printing them in test failures.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "gradient_button/picture.h"
#include "ui/headless/recording_surface.h"

namespace tavrel {

inline void PrintTo(const SurfaceCall& call, std::ostream* out) { *out << Describe(call); }

namespace calls {

using Op = SurfaceCall::Op;
using List = std::vector<SurfaceCall>;

inline constexpr Colour kFace = 0x8000000F;
inline constexpr Colour kShadow = 0x80000010;
inline constexpr Colour kGrey = 0x80000011;
inline constexpr Colour kText = 0x80000012;
inline constexpr Colour kLight = 0x80000014;
inline constexpr Colour kDark = 0x80000015;

inline SurfaceCall Clear(Colour colour) { return SurfaceCall::WithColour(Op::kClear, colour); }
inline SurfaceCall Pen(int width) { return SurfaceCall::WithNumber(Op::kPenWidth, width); }
inline SurfaceCall Dotted() { return SurfaceCall::WithNumber(Op::kPenStyle, 2); }
inline SurfaceCall Solid() { return SurfaceCall::WithNumber(Op::kPenStyle, 0); }
inline SurfaceCall Line(float x1, float y1, float x2, float y2, Colour colour, int width) {
  return SurfaceCall::Shape(Op::kLine, x1, y1, x2, y2, colour, width);
}
inline SurfaceCall Box(float x1, float y1, float x2, float y2, Colour colour, int width) {
  return SurfaceCall::Shape(Op::kBox, x1, y1, x2, y2, colour, width);
}
inline SurfaceCall Filled(float x1, float y1, float x2, float y2, Colour colour, int width) {
  return SurfaceCall::Shape(Op::kFilledBox, x1, y1, x2, y2, colour, width);
}
inline SurfaceCall Fore(Colour colour) { return SurfaceCall::WithColour(Op::kForeColor, colour); }
inline SurfaceCall At(float x, float y) { return SurfaceCall::Position(x, y); }
inline SurfaceCall Print(const std::wstring& text, float x, float y, Colour colour) {
  return SurfaceCall::WithText(Op::kPrint, text, x, y, colour);
}
inline SurfaceCall MeasureWidth(const std::wstring& text) {
  return SurfaceCall::WithText(Op::kMeasureWidth, text);
}
inline SurfaceCall MeasureHeight(const std::wstring& text) {
  return SurfaceCall::WithText(Op::kMeasureHeight, text);
}

inline List Join(std::initializer_list<List> parts) {
  List all;
  for (const List& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A square picture of one colour.
inline std::shared_ptr<Picture> Image(int side, std::uint32_t colour = 0x00336699) {
  auto picture = std::make_shared<Picture>();
  picture->width = side;
  picture->height = side;
  picture->pixels.assign(static_cast<std::size_t>(side * side), colour);
  return picture;
}

// Calls of one kind only.
inline List Only(const List& all, Op op) {
  List some;
  for (const SurfaceCall& call : all) {
    if (call.op == op) some.push_back(call);
  }
  return some;
}

}  // namespace calls
}  // namespace tavrel
