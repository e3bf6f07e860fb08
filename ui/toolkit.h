#pragma once
// The GUI toolkit seam: exactly what the scan window and the review dialog
// need of a window system. Backends: Win32 (ui/win32) and headless
// (ui/headless). Geometry is in twips (1/1440 inch); each backend converts.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/button_control.h"
#include "ui/toolkit_controls.h"

namespace tavrel {

struct FormSpec {
  std::wstring caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
};

// A top-level window. It is created hidden and centred on the screen; the
// window logic owns it from load to unload. Controls are created in tab order
// and live as long as the form object.
class Form {
 public:
  virtual ~Form() = default;

  virtual void Show() = 0;  // not modal
  virtual void Hide() = 0;
  // Destroys the window. The form object itself stays valid (its controls
  // ignore further calls), so a handler may unload the form it runs in.
  virtual void Unload() = 0;
  [[nodiscard]] virtual bool IsLoaded() const = 0;
  [[nodiscard]] virtual bool IsVisible() const = 0;
  // Outer height: frame and caption included.
  virtual void SetOuterHeight(int twips) = 0;

  virtual LabelControl& AddLabel(const TwipsRect& rect, const FontSpec& font, const std::wstring& text) = 0;
  virtual void AddDecoration(const TwipsRect& rect, Decoration kind) = 0;
  virtual ComboControl& AddCombo(const ComboSpec& layout) = 0;
  virtual ProgressControl& AddProgressBar(const TwipsRect& rect) = 0;
  // The system's standard push button.
  virtual ButtonControl& AddPushButton(const ButtonSpec& layout) = 0;
  // The program's own gradient button (a standard push button until that
  // control is hosted: the backend decides, the caller does not change).
  virtual ButtonControl& AddGradientButton(const GradientButtonSpec& layout) = 0;
  virtual CheckedListControl& AddCheckedList(const TwipsRect& rect, const FontSpec& font) = 0;
  virtual CheckBoxControl& AddCheckBox(const TwipsRect& rect, const FontSpec& font, const std::wstring& caption) = 0;
  virtual TimerControl& AddTimer(int intervalMilliseconds) = 0;

  // The user closes the window from its frame. Without a handler the form
  // unloads itself.
  std::function<void()> OnFrameClose;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  [[nodiscard]] virtual std::unique_ptr<Form> CreateForm(const FormSpec& layout) = 0;
  // Modal, a single OK button, no icon, the application's title.
  virtual void ShowMessageBox(const std::wstring& text) = 0;
  // Dispatches the events already waiting, once, and returns.
  virtual void PumpPendingEvents() = 0;
  // Dispatches events until the last form has been unloaded; answers the
  // process's exit code.
  virtual int RunEventLoop() = 0;
};

}  // namespace tavrel
