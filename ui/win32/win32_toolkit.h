#pragma once
// The toolkit seam over user32, comctl32 and gdi32: forms are top-level
// windows with child controls, sized from twips with the window's DPI. A form
// makes its windows when it is first shown, and the toolkit initialises the
// common controls then: a form that is never shown costs no window at all.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/window.h"

namespace tavrel {

// A button that the program's wiring makes for a form (its own gradient
// button): the form keeps it alive and knows only its ButtonControl.
class Win32OwnedButton {
 public:
  virtual ~Win32OwnedButton() = default;
  [[nodiscard]] virtual ButtonControl& Control() noexcept = 0;
};

// Makes one as a child of `parent` with that control number; nothing when it
// cannot, and a standard push button then stands in.
using GradientButtonMaker =
    std::function<std::unique_ptr<Win32OwnedButton>(HWND parent, int id, const GradientButtonSpec& layout)>;

class Win32Toolkit;

class Win32Form final : public Form, public Window<Win32Form> {
 public:
  static constexpr wchar_t kClassName[] = L"TavrelForm";
  static void CustomizeClass(WNDCLASSEXW& windowClass) noexcept;

  Win32Form(Win32Toolkit& toolkit, const FormSpec& layout);
  ~Win32Form() override;

  void Show() override;
  void Hide() override;
  void Unload() override;
  [[nodiscard]] bool IsLoaded() const override { return alive_; }
  [[nodiscard]] bool IsVisible() const override;
  void SetOuterHeight(int twips) override;

  LabelControl& AddLabel(const TwipsRect& rect, const FontSpec& font, const std::wstring& text) override;
  void AddDecoration(const TwipsRect& rect, Decoration kind) override;
  ComboControl& AddCombo(const ComboSpec& layout) override;
  ProgressControl& AddProgressBar(const TwipsRect& rect) override;
  ButtonControl& AddPushButton(const ButtonSpec& layout) override;
  ButtonControl& AddGradientButton(const GradientButtonSpec& layout) override;
  CheckedListControl& AddCheckedList(const TwipsRect& rect, const FontSpec& font) override;
  CheckBoxControl& AddCheckBox(const TwipsRect& rect, const FontSpec& font, const std::wstring& caption) override;
  TimerControl& AddTimer(int intervalMilliseconds) override;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // For the controls, while the form makes its windows.
  HWND CreateChild(const ChildLayout& placement, const std::wstring& text);
  [[nodiscard]] HFONT Font(const FontSpec& layout);
  [[nodiscard]] std::unique_ptr<Win32OwnedButton> MakeGradientButton(int id, const GradientButtonSpec& layout);

 private:
  struct DecorationItem {
    TwipsRect rect;
    Decoration kind;
  };

  // Makes the window and its children from what was set so far.
  void CreateWindows();
  // Unloaded: the timers stop and the toolkit counts one form less.
  void Close() noexcept;
  void ApplyOuterHeight();
  [[nodiscard]] int Px(int twips) const noexcept;
  [[nodiscard]] ChildLayout Placement(const wchar_t* className, DWORD style, const TwipsRect& rect,
                                      const FontSpec& font);
  template <typename C>
  C& Keep(std::unique_ptr<C> control);
  void Paint();
  void DrawDecoration(HDC dc, const DecorationItem& item);
  [[nodiscard]] HWND FocusedChild() const;

  Win32Toolkit& toolkit_;
  FormSpec layout_;
  std::optional<int> outerHeight_;
  bool alive_ = true;
  int dpi_ = 96;
  int nextId_ = 100;  // above IDOK and IDCANCEL, which Enter and Esc send
  HWND lastFocus_ = nullptr;
  std::vector<std::pair<FontSpec, UniqueGdiObject>> fonts_;
  std::vector<std::unique_ptr<Win32Child>> children_;
  std::vector<std::unique_ptr<Win32Timer>> timers_;
  std::vector<DecorationItem> decorations_;
  UniqueGdiObject logo_;
};

class Win32Toolkit final : public Toolkit {
 public:
  // Without a maker, gradient buttons are standard push buttons.
  explicit Win32Toolkit(std::wstring applicationTitle, GradientButtonMaker gradientButtons = {});
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  [[nodiscard]] std::unique_ptr<Form> CreateForm(const FormSpec& layout) override;
  void ShowMessageBox(const std::wstring& text) override;
  void PumpPendingEvents() override;
  int RunEventLoop() override;

 private:
  friend class Win32Form;
  void FormOpened() noexcept { ++openForms_; }
  void FormClosed() noexcept;
  // Before the first window: loads and initialises comctl32 (delay-imported).
  void FirstWindow() noexcept;
  static void Dispatch(MSG& message);

  std::wstring applicationTitle_;
  GradientButtonMaker gradientButtons_;
  int openForms_ = 0;
  bool windowsMade_ = false;
};

}  // namespace tavrel
