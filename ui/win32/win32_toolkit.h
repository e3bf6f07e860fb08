#pragma once
// The toolkit seam over user32, comctl32 and gdi32: forms are top-level
// windows with child controls, sized from twips with the window's DPI.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
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

 private:
  struct DecorationItem {
    RECT rect;
    Decoration kind;
  };

  [[nodiscard]] int Px(int twips) const noexcept;
  [[nodiscard]] HFONT Font(const FontSpec& layout);
  HWND CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                   const TwipsRect& rect, const FontSpec& font, int extraHeight = 0);
  template <typename C>
  C& Keep(std::unique_ptr<C> control);
  void Paint();
  void DrawDecoration(HDC dc, const DecorationItem& item);
  [[nodiscard]] HWND FocusedChild() const;

  Win32Toolkit& toolkit_;
  bool alive_ = false;
  int dpi_ = 96;
  int nextId_ = 100;  // above IDOK and IDCANCEL, which Enter and Esc send
  HWND lastFocus_ = nullptr;
  std::vector<std::pair<FontSpec, UniqueGdiObject>> fonts_;
  std::vector<std::unique_ptr<Win32Child>> children_;
  std::vector<std::unique_ptr<Win32OwnedButton>> gradientButtons_;
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
  static void Dispatch(MSG& message);

  std::wstring applicationTitle_;
  GradientButtonMaker gradientButtons_;
  int openForms_ = 0;
};

}  // namespace tavrel
