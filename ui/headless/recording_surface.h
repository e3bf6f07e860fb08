#pragma once
// A drawing surface that keeps every drawing call, settings change and text
// measurement in order, so that a test can compare whole paint passes.
#include <string>
#include <string_view>
#include <vector>

#include "ui/surface.h"

namespace tavrel {

struct SurfaceCall {
  enum class Op {
    kClear,          // colour = the back colour it filled with
    kLine,           // x1, y1, x2, y2, colour; number = pen width
    kBox,            // x1, y1, x2, y2, colour; number = pen width
    kFilledBox,      // x1, y1, x2, y2, colour; number = pen width
    kPenWidth,       // number
    kPenStyle,       // number (0 solid, 2 dotted)
    kForeColor,      // colour
    kTextPosition,   // x1, y1
    kPrint,          // text at x1, y1 in colour
    kMeasureWidth,   // text
    kMeasureHeight,  // text
  };
  Op op = Op::kClear;
  float x1 = 0;
  float y1 = 0;
  float x2 = 0;
  float y2 = 0;
  Colour colour = 0;
  int number = 0;
  std::wstring text;
  friend bool operator==(const SurfaceCall&, const SurfaceCall&) = default;

  // Shorthands that fill only the fields an operation uses.
  static SurfaceCall Shape(Op op, float x1, float y1, float x2, float y2, Colour colour,
                           int pen_width) {
    SurfaceCall call;
    call.op = op;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    call.number = pen_width;
    return call;
  }
  static SurfaceCall WithColour(Op op, Colour colour) {
    SurfaceCall call;
    call.op = op;
    call.colour = colour;
    return call;
  }
  static SurfaceCall WithNumber(Op op, int number) {
    SurfaceCall call;
    call.op = op;
    call.number = number;
    return call;
  }
  static SurfaceCall WithText(Op op, std::wstring_view text, float x = 0, float y = 0,
                              Colour colour = 0) {
    SurfaceCall call;
    call.op = op;
    call.x1 = x;
    call.y1 = y;
    call.colour = colour;
    call.text = std::wstring(text);
    return call;
  }
  static SurfaceCall Position(float x, float y) {
    SurfaceCall call;
    call.op = Op::kTextPosition;
    call.x1 = x;
    call.y1 = y;
    return call;
  }
};

// One line of readable text per call, for test failure messages.
[[nodiscard]] std::string Describe(const SurfaceCall& call);
[[nodiscard]] std::string Describe(const std::vector<SurfaceCall>& calls);

class RecordingSurface final : public SurfaceSettings {
 public:
  // A fixed-pitch stand-in for a font: every character is the same width and
  // every text one line high, whatever the font, so results are exact.
  struct Metrics {
    float char_width = 90;
    float line_height = 195;
  };

  RecordingSurface(float width, float height) : width_(width), height_(height) {}
  RecordingSurface(float width, float height, Metrics metrics)
      : width_(width), height_(height), metrics_(metrics) {}

  void Resize(float width, float height) {
    width_ = width;
    height_ = height;
  }
  [[nodiscard]] const std::vector<SurfaceCall>& Calls() const { return calls_; }
  void ForgetCalls() { calls_.clear(); }

  [[nodiscard]] float Width() const override { return width_; }
  [[nodiscard]] float Height() const override { return height_; }
  void SetForeColor(Colour colour) override;
  void SetPenWidth(int pixels) override;
  void SetPenStyle(LineStyle style) override;
  void SetTextPosition(float x, float y) override;

  void Clear() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void FilledBox(float x1, float y1, float x2, float y2, Colour colour) override;
  [[nodiscard]] float TextWidth(std::wstring_view text) override;
  [[nodiscard]] float TextHeight(std::wstring_view text) override;
  void Print(std::wstring_view text) override;

 private:
  void Shape(SurfaceCall::Op op, float x1, float y1, float x2, float y2, Colour colour);

  float width_;
  float height_;
  Metrics metrics_;
  std::vector<SurfaceCall> calls_;
};

}  // namespace tavrel
