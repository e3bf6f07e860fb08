#pragma once
// The toolkit's controls as Win32 child windows. Each child is destroyed with
// its form's window; the objects live as long as the form object and ignore
// calls once the window is gone (its handle may be reused by then).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/button_control.h"
#include "ui/toolkit_controls.h"

namespace tavrel {

// What the form forwards to the child that owns a notification.
class Win32Child {
 public:
  Win32Child(HWND window, const bool& alive) noexcept : window_(window), alive_(alive) {}
  virtual ~Win32Child() = default;
  Win32Child(const Win32Child&) = delete;
  Win32Child& operator=(const Win32Child&) = delete;

  [[nodiscard]] HWND Window() const noexcept { return window_; }
  virtual void Command(WORD /*notification*/) {}
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // Messages of the child itself (subclassed); nothing means "default".
  virtual std::optional<LRESULT> Subclassed(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

 protected:
  [[nodiscard]] bool Alive() const noexcept { return alive_; }
  // Sends window messages to this child's own procedure through its subclass.
  void Subclass(HWND window);

 private:
  HWND window_;
  const bool& alive_;
};

class Win32Label final : public LabelControl, public Win32Child {
 public:
  using Win32Child::Win32Child;
  void SetText(const std::wstring& text) override;
  [[nodiscard]] std::wstring Text() const override;
};

class Win32Combo final : public ComboControl, public Win32Child {
 public:
  Win32Combo(HWND window, const bool& alive, const ComboSpec& layout);
  [[nodiscard]] std::wstring Text() const override;
  void SetLocked(bool locked) override;
  [[nodiscard]] bool IsLocked() const override { return locked_; }
  void Command(WORD notification) override;
  std::optional<LRESULT> Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND edit_ = nullptr;
  bool locked_ = false;
};

class Win32Progress final : public ProgressControl, public Win32Child {
 public:
  using Win32Child::Win32Child;
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;
};

class Win32PushButton final : public ButtonControl, public Win32Child {
 public:
  Win32PushButton(HWND window, const bool& alive);
  void SetCaption(const std::wstring& caption) override;
  [[nodiscard]] std::wstring Caption() const override;
  void Command(WORD notification) override;
  std::optional<LRESULT> Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::wstring caption_;
};

class Win32CheckBox final : public CheckBoxControl, public Win32Child {
 public:
  using Win32Child::Win32Child;
  [[nodiscard]] bool IsChecked() const override;
  void Command(WORD notification) override;
};

class Win32Timer final : public TimerControl {
 public:
  Win32Timer(HWND form, const bool& alive, UINT_PTR id, UINT interval) noexcept
      : form_(form), alive_(alive), id_(id), interval_(interval) {}
  void SetEnabled(bool enabled) override;
  [[nodiscard]] bool IsEnabled() const override { return enabled_; }
  [[nodiscard]] UINT_PTR Id() const noexcept { return id_; }
  void Tick();

 private:
  HWND form_;
  const bool& alive_;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
};

// An owner-drawn list box: a check box, then the row's text set out with
// TabbedTextOut at the tab stops given by LB_SETTABSTOPS. The tag is the
// item data, the check marks are kept here.
class Win32CheckedList final : public CheckedListControl, public Win32Child {
 public:
  Win32CheckedList(HWND window, const bool& alive, HFONT font);
  void SetTabStops(const std::vector<int>& dialogUnits) override;
  void Redraw() override;
  void AddRow(const ListRow& row) override;
  void Clear() override;
  [[nodiscard]] std::size_t RowCount() const override { return checked_.size(); }
  [[nodiscard]] ListRow Row(std::size_t index) const override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  std::optional<LRESULT> Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  [[nodiscard]] int CheckBoxSize() const noexcept;
  // The row under a point of the client area, if any.
  [[nodiscard]] std::optional<std::size_t> RowAt(int x, int y) const;
  void Toggle(std::size_t index);
  void WidenScrollExtent(const std::wstring& text);

  HFONT font_;
  int averageCharWidth_ = 6;
  int itemHeight_ = 16;
  int widestRow_ = 0;
  std::vector<int> tabStopPixels_;
  std::vector<bool> checked_;
};

}  // namespace tavrel
