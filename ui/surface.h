#pragma once
// The drawing surface a control paints on: a few GDI-like calls in twips
// (1/1440 inch), pen widths in pixels. The real backend is GDI; tests paint
// on a pixel grid (ui/headless/pixel_surface.h).
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel {

// 0x00BBGGRR (red in the low byte) for a direct colour, or 0x800000nn for the
// window system's colour number nn, resolved only when a backend draws.
using Colour = std::uint32_t;

[[nodiscard]] constexpr bool IsSystemColour(Colour colour) noexcept { return (colour & 0xFF000000u) == 0x80000000u; }
[[nodiscard]] constexpr Colour RgbColour(std::uint32_t red, std::uint32_t green, std::uint32_t blue) noexcept {
  return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

namespace system_colour {
inline constexpr Colour kButtonFace = 0x8000000F;
inline constexpr Colour kButtonShadow = 0x80000010;
inline constexpr Colour kGreyText = 0x80000011;
inline constexpr Colour kButtonText = 0x80000012;
inline constexpr Colour kHighlight3d = 0x80000014;
inline constexpr Colour kDarkShadow3d = 0x80000015;
}  // namespace system_colour

// A font as a control stores and persists it; backends make the real font.
struct SurfaceFont {
  std::wstring name = L"MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  friend bool operator==(const SurfaceFont&, const SurfaceFont&) = default;
};

// The pen's dash pattern, numbered as persisted draw styles are.
enum class LineStyle : std::int32_t { kSolid = 0, kDotted = 2 };

class Surface {
 public:
  virtual ~Surface() = default;

  // Current size in twips, read afresh every time.
  [[nodiscard]] virtual float Width() const = 0;
  [[nodiscard]] virtual float Height() const = 0;

  // Settings that persist from one call (and one paint pass) to the next.
  [[nodiscard]] virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour colour) = 0;
  [[nodiscard]] virtual Colour ForeColor() const = 0;
  virtual void SetForeColor(Colour colour) = 0;
  [[nodiscard]] virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  [[nodiscard]] virtual const SurfaceFont& Font() const = 0;
  virtual void SetFont(const SurfaceFont& font) = 0;
  [[nodiscard]] virtual int PenWidth() const = 0;
  virtual void SetPenWidth(int pixels) = 0;
  [[nodiscard]] virtual LineStyle PenStyle() const = 0;
  virtual void SetPenStyle(LineStyle style) = 0;
  [[nodiscard]] virtual float CurrentX() const = 0;
  [[nodiscard]] virtual float CurrentY() const = 0;
  virtual void SetTextPosition(float x, float y) = 0;

  // Fills the surface with BackColor and puts the text position at (0, 0).
  virtual void Clear() = 0;
  // Lines and boxes use the current pen width and style; both end points and
  // all four corners are drawn.
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
  virtual void Box(float x1, float y1, float x2, float y2, Colour colour) = 0;
  // Outline (current pen width) and inside, all in one colour.
  virtual void FilledBox(float x1, float y1, float x2, float y2, Colour colour) = 0;
  [[nodiscard]] virtual float TextWidth(std::wstring_view text) = 0;
  [[nodiscard]] virtual float TextHeight(std::wstring_view text) = 0;
  // Draws the text with its top-left corner at the text position, in
  // ForeColor, without filling its background; the position then moves to the
  // start of the next line (x 0, y one text height further down).
  virtual void Print(std::wstring_view text) = 0;
};

// Keeps the settings every backend shares, with their starting values.
class SurfaceSettings : public Surface {
 public:
  [[nodiscard]] Colour BackColor() const override { return back_colour_; }
  void SetBackColor(Colour colour) override { back_colour_ = colour; }
  [[nodiscard]] Colour ForeColor() const override { return fore_colour_; }
  void SetForeColor(Colour colour) override { fore_colour_ = colour; }
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  [[nodiscard]] const SurfaceFont& Font() const override { return font_; }
  void SetFont(const SurfaceFont& font) override { font_ = font; }
  [[nodiscard]] int PenWidth() const override { return pen_width_; }
  void SetPenWidth(int pixels) override { pen_width_ = pixels; }
  [[nodiscard]] LineStyle PenStyle() const override { return pen_style_; }
  void SetPenStyle(LineStyle style) override { pen_style_ = style; }
  [[nodiscard]] float CurrentX() const override { return current_x_; }
  [[nodiscard]] float CurrentY() const override { return current_y_; }
  void SetTextPosition(float x, float y) override {
    current_x_ = x;
    current_y_ = y;
  }

 private:
  Colour back_colour_ = system_colour::kButtonFace;
  Colour fore_colour_ = system_colour::kButtonText;
  bool enabled_ = true;
  SurfaceFont font_;
  int pen_width_ = 1;
  LineStyle pen_style_ = LineStyle::kSolid;
  float current_x_ = 0;
  float current_y_ = 0;
};

}  // namespace tavrel
