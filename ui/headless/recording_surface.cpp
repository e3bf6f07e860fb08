#include "ui/headless/recording_surface.h"

#include <cstdio>

namespace tavrel {
namespace {

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

// Appends rather than concatenates: GCC 12 at -O3 misreads chained string
// additions as overlapping copies.
std::string Quoted(std::string head, const std::wstring& text) {
  head.append(1, '"');
  head.append(Narrow(text));
  head.append(1, '"');
  return head;
}

const char* OpName(SurfaceCall::Op op) {
  switch (op) {
    case SurfaceCall::Op::kClear: return "clear";
    case SurfaceCall::Op::kLine: return "line";
    case SurfaceCall::Op::kBox: return "box";
    case SurfaceCall::Op::kFilledBox: return "filled box";
    case SurfaceCall::Op::kPenWidth: return "pen width";
    case SurfaceCall::Op::kPenStyle: return "pen style";
    case SurfaceCall::Op::kForeColor: return "fore colour";
    case SurfaceCall::Op::kTextPosition: return "text position";
    case SurfaceCall::Op::kPrint: return "print";
    case SurfaceCall::Op::kMeasureWidth: return "measure width";
    case SurfaceCall::Op::kMeasureHeight: return "measure height";
  }
  return "?";
}

}  // namespace

std::string Describe(const SurfaceCall& call) {
  char buffer[160];
  using Op = SurfaceCall::Op;
  switch (call.op) {
    case Op::kClear:
    case Op::kForeColor:
      std::snprintf(buffer, sizeof buffer, "%s 0x%08X", OpName(call.op), call.colour);
      return buffer;
    case Op::kLine:
    case Op::kBox:
    case Op::kFilledBox:
      std::snprintf(buffer, sizeof buffer, "%s (%.9g, %.9g)-(%.9g, %.9g) 0x%08X width %d",
                    OpName(call.op), static_cast<double>(call.x1), static_cast<double>(call.y1),
                    static_cast<double>(call.x2), static_cast<double>(call.y2), call.colour,
                    call.number);
      return buffer;
    case Op::kPenWidth:
    case Op::kPenStyle:
      std::snprintf(buffer, sizeof buffer, "%s %d", OpName(call.op), call.number);
      return buffer;
    case Op::kTextPosition:
      std::snprintf(buffer, sizeof buffer, "%s (%.9g, %.9g)", OpName(call.op),
                    static_cast<double>(call.x1), static_cast<double>(call.y1));
      return buffer;
    case Op::kPrint:
      std::snprintf(buffer, sizeof buffer, "print at (%.9g, %.9g) 0x%08X ",
                    static_cast<double>(call.x1), static_cast<double>(call.y1), call.colour);
      return Quoted(buffer, call.text);
    case Op::kMeasureWidth:
    case Op::kMeasureHeight:
      return Quoted(std::string(OpName(call.op)) + " ", call.text);
  }
  return "?";
}

std::string Describe(const std::vector<SurfaceCall>& calls) {
  std::string out;
  for (const SurfaceCall& call : calls) {
    out.append(Describe(call));
    out.append(1, '\n');
  }
  return out;
}

void RecordingSurface::SetForeColor(Colour colour) {
  SurfaceSettings::SetForeColor(colour);
  calls_.push_back(SurfaceCall::WithColour(SurfaceCall::Op::kForeColor, colour));
}

void RecordingSurface::SetPenWidth(int pixels) {
  SurfaceSettings::SetPenWidth(pixels);
  calls_.push_back(SurfaceCall::WithNumber(SurfaceCall::Op::kPenWidth, pixels));
}

void RecordingSurface::SetPenStyle(LineStyle style) {
  SurfaceSettings::SetPenStyle(style);
  calls_.push_back(SurfaceCall::WithNumber(SurfaceCall::Op::kPenStyle, static_cast<int>(style)));
}

void RecordingSurface::SetTextPosition(float x, float y) {
  SurfaceSettings::SetTextPosition(x, y);
  calls_.push_back(SurfaceCall::Position(x, y));
}

void RecordingSurface::Clear() {
  SurfaceSettings::SetTextPosition(0, 0);
  calls_.push_back(SurfaceCall::WithColour(SurfaceCall::Op::kClear, BackColor()));
}

void RecordingSurface::Shape(SurfaceCall::Op op, float x1, float y1, float x2, float y2,
                             Colour colour) {
  calls_.push_back(SurfaceCall::Shape(op, x1, y1, x2, y2, colour, PenWidth()));
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  Shape(SurfaceCall::Op::kLine, x1, y1, x2, y2, colour);
}

void RecordingSurface::Box(float x1, float y1, float x2, float y2, Colour colour) {
  Shape(SurfaceCall::Op::kBox, x1, y1, x2, y2, colour);
}

void RecordingSurface::FilledBox(float x1, float y1, float x2, float y2, Colour colour) {
  Shape(SurfaceCall::Op::kFilledBox, x1, y1, x2, y2, colour);
}

float RecordingSurface::TextWidth(std::wstring_view text) {
  calls_.push_back(SurfaceCall::WithText(SurfaceCall::Op::kMeasureWidth, text));
  return metrics_.char_width * static_cast<float>(text.size());
}

float RecordingSurface::TextHeight(std::wstring_view text) {
  calls_.push_back(SurfaceCall::WithText(SurfaceCall::Op::kMeasureHeight, text));
  return metrics_.line_height;
}

void RecordingSurface::Print(std::wstring_view text) {
  calls_.push_back(
      SurfaceCall::WithText(SurfaceCall::Op::kPrint, text, CurrentX(), CurrentY(), ForeColor()));
  SurfaceSettings::SetTextPosition(0, CurrentY() + metrics_.line_height);
}

}  // namespace tavrel
