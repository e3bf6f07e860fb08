#pragma once
// The toolkit's controls as Win32 child windows, made when their form is first
// shown. Each child is destroyed with its form's window; the objects live as
// long as the form object and ignore calls once the form is unloaded (a
// window's handle may be reused by then).
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/button_control.h"
#include "ui/toolkit_controls.h"

namespace tavrel {

class Win32Form;

// Where and how a child window is made once its form is shown: the window
// class, styles, placement in twips, font and control number.
struct ChildLayout {
  const wchar_t* className = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
  TwipsRect rect;
  FontSpec font;
  int id = 0;
  int dropDownHeights = 0;  // a combo box's list, in heights of its edit field
};

// A child control. Its window is made when the form is first shown; until
// then the object keeps what the window logic sets and answers from that, and
// Create hands it all to the new window.
class Win32Child {
 public:
  Win32Child(ChildLayout placement, const bool& alive) noexcept : placement_(std::move(placement)), alive_(alive) {}
  virtual ~Win32Child() = default;
  Win32Child(const Win32Child&) = delete;
  Win32Child& operator=(const Win32Child&) = delete;

  [[nodiscard]] HWND Window() const noexcept { return window_; }
  virtual void Create(Win32Form& form);
  virtual void Command(WORD /*notification*/) {}
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // Messages of the child itself (subclassed); nothing means "default".
  virtual std::optional<LRESULT> Subclassed(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

 protected:
  [[nodiscard]] const ChildLayout& Layout() const noexcept { return placement_; }
  // Loaded: from the form's creation to its unload.
  [[nodiscard]] bool Alive() const noexcept { return alive_; }
  [[nodiscard]] const bool& AliveFlag() const noexcept { return alive_; }
  // Loaded, and its window made.
  [[nodiscard]] bool HasWindow() const noexcept { return alive_ && window_ != nullptr; }
  void Attach(HWND window) noexcept { window_ = window; }
  // Sends window messages to this child's own procedure through its subclass.
  void Subclass(HWND window);

 private:
  ChildLayout placement_;
  HWND window_ = nullptr;
  const bool& alive_;
};

class Win32Label final : public LabelControl, public Win32Child {
 public:
  Win32Label(ChildLayout placement, const bool& alive, std::wstring text) noexcept
      : Win32Child(std::move(placement), alive), text_(std::move(text)) {}
  void Create(Win32Form& form) override;
  void SetText(const std::wstring& text) override;
  [[nodiscard]] std::wstring Text() const override;

 private:
  std::wstring text_;
};

class Win32Combo final : public ComboControl, public Win32Child {
 public:
  Win32Combo(ChildLayout placement, const bool& alive, const ComboSpec& layout);
  void Create(Win32Form& form) override;
  [[nodiscard]] std::wstring Text() const override;
  void SetLocked(bool locked) override;
  [[nodiscard]] bool IsLocked() const override { return locked_; }
  void Command(WORD notification) override;
  std::optional<LRESULT> Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyLock() const;

  std::wstring text_;
  std::vector<std::wstring> items_;
  HWND edit_ = nullptr;
  bool locked_ = false;
};

class Win32Progress final : public ProgressControl, public Win32Child {
 public:
  using Win32Child::Win32Child;
  void Create(Win32Form& form) override;
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;

 private:
  int maximum_ = 100;  // the bar's own default range
  int position_ = 0;
};

class Win32PushButton final : public ButtonControl, public Win32Child {
 public:
  Win32PushButton(ChildLayout placement, const bool& alive, std::wstring caption) noexcept
      : Win32Child(std::move(placement), alive), caption_(std::move(caption)) {}
  void Create(Win32Form& form) override;
  void SetCaption(const std::wstring& caption) override;
  [[nodiscard]] std::wstring Caption() const override;
  void Command(WORD notification) override;
  std::optional<LRESULT> Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::wstring caption_;
};

class Win32CheckBox final : public CheckBoxControl, public Win32Child {
 public:
  Win32CheckBox(ChildLayout placement, const bool& alive, std::wstring caption) noexcept
      : Win32Child(std::move(placement), alive), caption_(std::move(caption)) {}
  void Create(Win32Form& form) override;
  [[nodiscard]] bool IsChecked() const override;
  void Command(WORD notification) override;

 private:
  std::wstring caption_;
};

// A timer of the form's window; one enabled before the window exists starts
// when the window is made.
class Win32Timer final : public TimerControl {
 public:
  Win32Timer(const bool& alive, UINT_PTR id, UINT interval) noexcept : alive_(alive), id_(id), interval_(interval) {}
  void Attach(HWND form);
  void SetEnabled(bool enabled) override;
  [[nodiscard]] bool IsEnabled() const override { return enabled_; }
  [[nodiscard]] UINT_PTR Id() const noexcept { return id_; }
  void Tick();

 private:
  HWND form_ = nullptr;
  const bool& alive_;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
};

// An owner-drawn list box: a check box, then the row's text set out with
// TabbedTextOut at the tab stops given by LB_SETTABSTOPS. The rows (text,
// tag, check mark) are kept here; the list box holds their texts to show.
class Win32CheckedList final : public CheckedListControl, public Win32Child {
 public:
  using Win32Child::Win32Child;
  void Create(Win32Form& form) override;
  void SetTabStops(const std::vector<int>& dialogUnits) override;
  void Redraw() override;
  void AddRow(const ListRow& row) override;
  void Clear() override;
  [[nodiscard]] std::size_t RowCount() const override { return rows_.size(); }
  [[nodiscard]] ListRow Row(std::size_t index) const override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  std::optional<LRESULT> Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  [[nodiscard]] int CheckBoxSize() const noexcept;
  void ApplyTabStops();
  // Puts a row into the list box; false when it refuses it.
  [[nodiscard]] bool Insert(const ListRow& row);
  // The row under a point of the client area, if any.
  [[nodiscard]] std::optional<std::size_t> RowAt(int x, int y) const;
  void Toggle(std::size_t index);
  void WidenScrollExtent(const std::wstring& text);

  HFONT font_ = nullptr;
  int averageCharWidth_ = 6;
  int itemHeight_ = 16;
  int widestRow_ = 0;
  std::vector<int> tabStopUnits_;
  std::vector<int> tabStopPixels_;
  std::vector<ListRow> rows_;
};

}  // namespace tavrel
