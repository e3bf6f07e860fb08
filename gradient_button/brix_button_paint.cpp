// Layout and paint passes of the gradient button.
#include <cmath>

#include "gradient_button/band_colours.h"
#include "gradient_button/brix_button.h"

namespace tavrel {
namespace {

constexpr float kPressShift = -10;  // twips; subtracted, so it moves right and down
constexpr float kFocusInset = 50;
constexpr float kFocusExtraInset = 8;
constexpr float kCornerSize = 45;
// Faces taller than this are no window's; their bands are not worth a table.
constexpr double kMaxGradientHeight = 10'000'000;

float Single(double value) { return static_cast<float>(value); }

}  // namespace

void BrixButton::UserControl_Resize() {
  press_offset_ = button_down_ ? kPressShift : 0;
  const double width = surface_.Width();
  const double height = surface_.Height();
  const double offset = press_offset_;
  double top = 0;
  double left = 0;
  switch (picture_align_) {
    case 0:
      top = (height - picture1_.Height()) / 2 - offset;
      left = 0.05 * width - 2 * offset;
      break;
    case 1: {
      const double text_height = surface_.TextHeight(caption_);
      top = (height - picture1_.Height() - text_height) / 2 - offset;
      left = (width - picture1_.Width()) / 2 - 2 * offset;
      break;
    }
    default:
      picture1_.SetSizesToImage(true);
      top = (height - picture1_.Height()) / 2 - offset;
      left = (width - picture1_.Width()) / 2 - 2 * offset;
      break;
  }
  picture1_.SetTop(Single(top));
  picture1_.SetLeft(Single(left));
  host_.PictureAreaChanged();
}

void BrixButton::UserControl_Paint() {
  surface_.Clear();
  picture1_.SetVisible(show_picture_);
  host_.PictureAreaChanged();

  if (style_ == 1) {
    if (button_down_) {
      DrawGradient(surface_.BackColor(), fade_to_colour_);
    } else {
      DrawGradient(fade_to_colour_, surface_.BackColor());
    }
  }

  const bool focus_cue = has_focus_ && !button_down_ && !hide_focus_;
  if (border_style_ == 0) {
    if (button_down_) DrawFrame(2);
    if (focus_cue) DrawFrame(1);
  } else if (border_style_ == 1 || border_style_ == 2) {
    DrawFrame(border_style_);
    if (focus_cue && border_style_ == 1) {
      surface_.SetPenStyle(LineStyle::kDotted);
      surface_.Box(kFocusInset, kFocusInset, surface_.Width() - kFocusInset - kFocusExtraInset,
                   surface_.Height() - kFocusInset - kFocusExtraInset, system_colour::kButtonShadow);
      surface_.SetPenStyle(LineStyle::kSolid);
    }
  }

  // Room the picture takes from the caption.
  double xa = 0;
  double xb = 0;
  double ya = 0;
  double yb = 0;
  if (picture1_.Visible()) {
    if (picture_align_ == 0) {
      xa = picture1_.Left();
      xb = picture1_.Width();
    } else if (picture_align_ == 1) {
      ya = picture1_.Top();
      yb = picture1_.Height();
    }
  }

  const double width = surface_.Width();
  const double height = surface_.Height();
  double x = 0;
  if (text_align_ == 2) {
    x = xa + xb + (width - surface_.TextWidth(caption_)) / 2;
  } else if (text_align_ == 1) {
    x = 0.95 * width - surface_.TextWidth(caption_);
  } else {
    x = xa + xb + 0.05 * width;
  }
  const double line_height = surface_.TextHeight(L"Hy");
  double y = (ya + yb) + ((height - line_height) - yb - ya) / 2;
  x -= press_offset_;
  y -= press_offset_;

  const Colour fore = surface_.ForeColor();
  if (!surface_.Enabled()) surface_.SetForeColor(system_colour::kGreyText);
  surface_.SetTextPosition(Single(x), Single(y));
  surface_.Print(caption_);
  surface_.SetForeColor(fore);

  host_.RefreshPictureArea();
}

void BrixButton::DrawGradient(Colour TopColor, Colour BottomColor) {
  const double height = surface_.Height();
  if (!std::isfinite(height) || height > kMaxGradientHeight) return;
  const auto rounded = static_cast<std::int64_t>(RoundHalfEven(height));
  const std::vector<Colour> BandColors = GradientBandColours(TopColor, BottomColor, rounded);
  if (BandColors.empty()) return;
  const float width = surface_.Width();
  for (std::int64_t y = 0; y <= rounded; y += 8) {
    const auto top = static_cast<float>(y);
    surface_.FilledBox(0, top, width, top + 8, BandColors[static_cast<std::size_t>(y / 8)]);
  }
}

void BrixButton::DrawFrame(std::int32_t Kind) {
  const bool sunken = Kind == 2 || button_down_;
  const Colour top_left = sunken ? system_colour::kDarkShadow3d : system_colour::kHighlight3d;
  const Colour bottom_right = sunken ? system_colour::kHighlight3d : system_colour::kDarkShadow3d;
  const float width = surface_.Width();
  const float height = surface_.Height();

  surface_.SetPenWidth(2);
  surface_.Line(15, 15, width, 0, top_left);
  surface_.Line(15, 15, 0, height, top_left);
  const auto d = static_cast<float>(4 * surface_.PenWidth());
  surface_.Line(width - d, 0, width - d, height - d, bottom_right);
  surface_.Line(0, height - d, width - d, height - d, bottom_right);

  surface_.SetPenWidth(1);
  const auto e = static_cast<float>(8 * surface_.PenWidth());
  const float inner_width = width - 2 * e;
  const float inner_height = height - 2 * e;
  const float c = kCornerSize;

  // A solid face keeps the button-face corners it was designed with; other
  // faces take the colour of the form around the control, so the cut-off
  // corners show the form rather than black squares.
  const Colour corner = style_ == 0 ? system_colour::kButtonFace : host_.AmbientBackColor();

  const bool thin_box = border_style_ == 2 || button_down_;
  const int wide_a = thin_box ? 1 : 2;
  const int wide_b = thin_box ? 2 : 1;
  const Colour shadow = system_colour::kButtonShadow;

  surface_.SetPenWidth(wide_a);
  surface_.Box(0, 0, inner_width, inner_height, shadow);

  surface_.SetPenWidth(1);
  surface_.FilledBox(0, 0, c, c, corner);
  surface_.SetPenWidth(wide_b);
  surface_.Line(0, c, c, 0, shadow);

  surface_.SetPenWidth(1);
  surface_.FilledBox(0, inner_height - c, c, inner_height, corner);
  surface_.SetPenWidth(wide_a);
  surface_.Line(0, inner_height - c, c, inner_height, shadow);

  surface_.SetPenWidth(1);
  surface_.FilledBox(inner_width - c, inner_height - c, inner_width, inner_height, corner);
  surface_.SetPenWidth(wide_a);
  surface_.Line(inner_width - c, inner_height, inner_width, inner_height - c, shadow);

  surface_.SetPenWidth(1);
  surface_.FilledBox(inner_width - c, 0, inner_width, c, corner);
  surface_.SetPenWidth(wide_b);
  surface_.Line(inner_width - c, 0, inner_width, c, shadow);
}

}  // namespace tavrel
