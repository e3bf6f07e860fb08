#pragma once
// The controls of the toolkit seam and the plain data that creates them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Left, top, width, height in twips, relative to the form's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TwipsRect&) const = default;
};

struct FontSpec {
  const wchar_t* face = L"Arial";
  int hundredthsOfPoint = 825;  // 8.25 pt
  bool bold = false;
  // Faces compare by their text: the same literal may sit at two addresses.
  bool operator==(const FontSpec& other) const noexcept {
    return std::wstring_view(face ? face : L"") == std::wstring_view(other.face ? other.face : L"") &&
           hundredthsOfPoint == other.hundredthsOfPoint && bold == other.bold;
  }
};

inline constexpr FontSpec kArial12Bold{L"Arial", 1200, true};
inline constexpr FontSpec kArial825Bold{L"Arial", 825, true};
inline constexpr FontSpec kArial825{L"Arial", 825, false};
inline constexpr FontSpec kArial975{L"Arial", 975, false};

// Pictures and shapes that only decorate: drawn by the form, no events.
enum class Decoration { ProgramIcon, Logo, LogoBackdrop };

class LabelControl {
 public:
  virtual ~LabelControl() = default;
  virtual void SetText(const std::wstring& text) = 0;
  [[nodiscard]] virtual std::wstring Text() const = 0;
};

struct ComboSpec {
  TwipsRect rect;
  FontSpec font;
  std::wstring text;
  std::vector<std::wstring> items;
};

// An editable drop-down combo box: the user may type any text or pick an item.
class ComboControl {
 public:
  virtual ~ComboControl() = default;
  [[nodiscard]] virtual std::wstring Text() const = 0;
  // A locked combo keeps its text: nothing can be typed or picked.
  virtual void SetLocked(bool locked) = 0;
  [[nodiscard]] virtual bool IsLocked() const = 0;
};

class ProgressControl {
 public:
  virtual ~ProgressControl() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};

struct ButtonSpec {
  TwipsRect rect;
  FontSpec font;
  std::wstring caption;
};

// The look of a gradient button, as its design-time properties name it.
struct GradientButtonSpec {
  ButtonSpec button;
  std::uint32_t backColor = 0;  // 0x00BBGGRR
  int borderStyle = 0;
  int textAlign = 0;
};

struct ListRow {
  std::wstring text;  // fields joined by TAB, set out by the tab stops
  std::uint32_t tag = 0;
  bool checked = false;
  bool operator==(const ListRow&) const = default;
};

// A list whose rows carry a text, an integer tag and a check mark.
class CheckedListControl {
 public:
  virtual ~CheckedListControl() = default;
  // Tab stops in dialog template units; an empty list restores the defaults.
  virtual void SetTabStops(const std::vector<int>& dialogUnits) = 0;
  virtual void Redraw() = 0;
  virtual void AddRow(const ListRow& row) = 0;
  virtual void Clear() = 0;
  [[nodiscard]] virtual std::size_t RowCount() const = 0;
  [[nodiscard]] virtual ListRow Row(std::size_t index) const = 0;

  std::function<void()> OnClick;  // any click in the list (mouse or keyboard)
  // The user ticked or unticked a row.
  std::function<void(std::size_t index, bool checked)> OnCheckChanged;
};

class CheckBoxControl {
 public:
  virtual ~CheckBoxControl() = default;
  [[nodiscard]] virtual bool IsChecked() const = 0;
  std::function<void()> OnClick;  // after the box has changed
};

// Ticks every interval while enabled; enabling restarts the interval.
class TimerControl {
 public:
  virtual ~TimerControl() = default;
  virtual void SetEnabled(bool enabled) = 0;
  [[nodiscard]] virtual bool IsEnabled() const = 0;
  std::function<void()> OnTick;
};

}  // namespace tavrel
